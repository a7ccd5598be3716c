#include "sprites/SpriteAnimationStep.h"

#include "core/Convert.h"
#include "core/EngineState.h"
#include "sprites/AnimationProcs.h"
#include "sprites/BehaviourProcs.h"

namespace plm {

namespace {

enum AnimModes : int32_t {
    kRepeat = 1,
    kCollide = 2,
    kHit = 3,
    kOnce = 4,
    kDirection = 5,
    kOnceThenTurnOff = 6,
    kHitAndDirection = 7,
    kRepeatRoboMove = 8,
};

int32_t LengthOf(const SpriteRecord& r) { return State().Animations(r.AnimIndex).Length; }

// The shown frame follows the position.
void CommonUpdate(SpriteRecord& r) { ShowAnimationFrame(r, Int(r.AnimPosition)); }

// Direction modes: when the sprite has turned, pick the animation of its new direction code.
// The position is put past the end so that this frame's end test restarts it at frame 1.
void FollowDirection(SpriteRecord& r) {
    if (r.DirectionCode == r.LastDirectionCode) return;
    r.LastDirectionCode = r.DirectionCode;
    if (r.DirectionCode < 0 || r.DirectionCode > 8) return;
    const size_t code = static_cast<size_t>(r.DirectionCode);
    if (r.DirAnim[code] <= 0) return;  // this direction keeps the current animation
    r.AnimIndex = r.DirAnim[code];
    r.AnimSpeed = static_cast<float>(r.DirSpeed[code]);
    TakeAnimationGrid(r);
    r.AnimPosition = 1000.0f;
}

// RepeatRoboMove: a whole step of XDir / YDir and one frame every RoboInterval ms.
bool StepRoboMove(int32_t sprite, SpriteRecord& r, float d) {
    r.RoboTimer -= d;
    if (r.RoboTimer < 0) {
        r.RoboTimer = r.RoboInterval;
        r.X += r.XDir;
        r.Y += r.YDir;
        if (IsOutsideBounds(r)) {
            r.AnimMode = 0;
            return EndByTurnOff(sprite);
        }
        r.AnimPosition += 1.0f;
        if (Int(r.AnimPosition) > LengthOf(r)) r.AnimPosition = 1.0f;
    }
    if (TimerRunsOut(r.MoveTimer, d)) r.AnimMode = 0;  // the sprite stays on
    CommonUpdate(r);
    return true;
}

}  // namespace

bool StepAnimation(int32_t sprite) {
    EngineState& st = State();
    SpriteRecord* row = st.SpriteTable.find(sprite);
    if (!row || row->AnimMode <= 0) return true;
    SpriteRecord& r = *row;
    const float d = st.Delta;
    const int32_t mode = r.AnimMode;
    if (mode == kRepeatRoboMove) return StepRoboMove(sprite, r, d);
    if (mode > kRepeatRoboMove) {
        CommonUpdate(r);
        return true;
    }
    if (mode == kDirection) FollowDirection(r);
    r.AnimPosition += r.AnimSpeed * d;
    // Only the upper end is an end; a position below frame 1 (a negative speed or position set
    // by a caller) is held on frame 1 rather than read before the first frame.
    if (!(r.AnimPosition >= 1.0f)) r.AnimPosition = 1.0f;
    const bool atEnd = Int(r.AnimPosition) > LengthOf(r);
    if (atEnd) {
        switch (mode) {
            case kOnce:
                r.AnimPosition = static_cast<float>(LengthOf(r));
                r.AnimMode = 0;
                ShowAnimationFrame(r, LengthOf(r));
                return true;
            case kCollide:
            case kOnceThenTurnOff:
                r.AnimPosition = 1.0f;
                return EndByTurnOff(sprite);
            case kHit:
                r.AnimPosition = 1.0f;
                r.AnimIndex = r.HitNextAnim;
                r.AnimSpeed = r.HitNextSpeed;
                TakeAnimationGrid(r);
                r.AnimMode = kRepeat;
                break;
            case kHitAndDirection:
                // The next frame picks the animation of the current direction.
                r.AnimPosition = 1.0f;
                r.AnimMode = kDirection;
                r.LastDirectionCode = -1;
                return true;
            default:  // Repeat, Direction
                r.AnimPosition = 1.0f;
                break;
        }
    }
    CommonUpdate(r);
    return true;
}

}  // namespace plm
