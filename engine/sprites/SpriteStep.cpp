#include "sprites/SpriteStep.h"

#include "core/Convert.h"
#include "core/EngineState.h"
#include "sprites/BehaviourSteps.h"
#include "sprites/SpriteAlphaStep.h"
#include "sprites/SpriteAnimationStep.h"

namespace plm {

namespace {

constexpr int32_t kWayPoint = 46;

// The movement type's rule. Types 0, 15, 16, 35, 47 and above, and negative types do nothing.
bool StepMovementType(int32_t s, SpriteRecord& r, float d, bool withWayPoints) {
    switch (r.EngineType) {
        case 1: case 2: case 10: case 14: case 18: case 19: case 25: case 26: case 28: case 29: case 34:
        case 36: case 38:
            return StepStraightMove(s, r, d);
        case 3: case 5: case 11: case 39: case 43: case 44: case 45:
            return StepTrackingMove(s, r, d);
        case 4: case 6: case 7: case 12: case 20: case 21: case 22: case 30: case 31: case 33: case 42:
            return StepOrbitMove(s, r, d);
        case 8: case 13: case 17: case 37: case 40:
            return StepLatchMove(s, r, d);
        case 9: case 27: case 41:
            return StepPathMove(s, r, d);
        case kWayPoint:
            return withWayPoints ? StepPathMove(s, r, d) : true;
        case 23: case 24: case 32:
            return StepInputMove(s, r, d);
        default:
            return true;
    }
}

}  // namespace

bool StepSpriteBehaviour(int sprite, bool withWayPoints) {
    EngineState& st = State();
    SpriteRecord* r = st.SpriteTable.find(sprite);
    if (!r || r->On == 0) return false;
    const float d = st.Delta;
    if (!StepMovementType(sprite, *r, d, withWayPoints)) return false;
    if (r->AnimMode > 0 && !StepAnimation(sprite)) return false;
    if (r->Scaling.On && !StepScaleEffect(sprite, *r, r->Scaling, r->Scaled, 12, d)) return false;
    if (r->XScaling.On && !StepScaleEffect(sprite, *r, r->XScaling, r->XScaled, 9, d)) return false;
    if (r->YScaling.On && !StepScaleEffect(sprite, *r, r->YScaling, r->YScaled, 9, d)) return false;
    if (r->RotatingOn && !StepRotation(sprite, *r, d)) return false;
    if (r->AlphaFadeOn && !StepAlpha(sprite)) return false;
    return r->On != 0;
}

void CountDownSpriteDelay(int sprite) {
    EngineState& st = State();
    SpriteRecord* r = st.SpriteTable.find(sprite);
    if (!r || r->On != 0 || r->EngineDelay == 0) return;
    // Rounded to whole milliseconds each frame: a frame time under 0.5 ms never counts it down.
    r->EngineDelay = RoundHalfEven(static_cast<double>(r->EngineDelay) - st.Delta);
    if (r->EngineDelay >= 1) return;
    r->EngineType = r->EngineTypeAfterDelay;
    r->EngineDelay = 0;
    r->On = 1;
}

}  // namespace plm
