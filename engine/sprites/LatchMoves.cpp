// Latching a sprite to another each frame, and billboards that fly in to a line, hold there and
// fly out again.
#include "core/Convert.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/BehaviourSteps.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

const SpriteRecord& Latched(const SpriteRecord& r) { return State().SpriteTable(r.LatchSprite); }

bool StepLatch(int32_t s, SpriteRecord& r, float d) {
    const SpriteRecord& on = Latched(r);
    if (on.On == 0) return EndByTurnOff(s);
    if (TimerRunsOut(r.MoveTimer, d)) return EndByTurnOff(s);
    // The whole-pixel part of the latched position, then the offsets.
    r.X = static_cast<float>(Int(on.X)) + r.LatchXOffset;
    r.Y = static_cast<float>(Int(on.Y)) + r.LatchYOffset;
    r.DirectionCode = on.DirectionCode;
    return true;
}

bool StepLatchAndDrift(int32_t s, SpriteRecord& r, float d) {
    r.CentreX += r.XDir * d;
    r.CentreY += r.YDir * d;
    const SpriteRecord& on = Latched(r);
    r.X = on.X + r.LatchXOffset + r.CentreX;
    r.Y = on.Y + r.LatchYOffset + r.CentreY;
    if (TimerRunsOut(r.MoveTimer, d)) return EndByTurnOff(s);
    if (on.On == 0) return EndByTurnOff(s);
    return true;
}

// The offsets turn with the latched sprite's rotation: the X offset to its right-hand side (it
// is stored negated), the Y offset below it, in its own frame.
bool StepLatchRotate(int32_t s, SpriteRecord& r, float d) {
    const SpriteRecord& on = Latched(r);
    r.X = on.X;
    r.Y = on.Y;
    AddTurnedOffset(on.Rotate, r.LatchXOffset, r.LatchYOffset, r.X, r.Y);
    if (r.Param1 == 1.0f) r.Rotate = on.Rotate;
    return TimerRunsOut(r.MoveTimer, d) ? EndByTurnOff(s) : true;
}

// BillboardX (17) stops at X = Param3 and leaves across XMin..XMax; BillboardY (13) the same on Y.
bool StepBillboard(int32_t s, SpriteRecord& r, float d) {
    const bool onX = r.EngineType == 17;
    if (r.HoldTimer > 0) {
        r.HoldTimer -= d;
        if (onX && r.HoldTimer < 1.0f) r.BillboardWaiting = false;
        return true;
    }
    r.XDir += r.Param1 * d;
    r.YDir += r.Param2 * d;
    AdvanceByVelocity(r, d);
    RefreshDirectionCode(r);
    float& pos = onX ? r.X : r.Y;
    const float dir = onX ? r.XDir : r.YDir;
    if (r.EndFlag == 0) {
        // No bounds while flying in: a thrust away from the line never stops.
        const bool reached = dir <= 0 ? pos < r.Param3 : pos > r.Param3;
        if (!reached) return true;
        pos = r.Param3;
        r.HoldTimer = r.MoveTimer;
        r.XDir = r.YDir = 0;
        r.Param1 = -r.Param1;
        r.Param2 = -r.Param2;
        r.EndFlag = 1;
        if (onX) r.BillboardWaiting = true;
        if (r.MoveTimer == -1.0f) r.EngineType = 0;
        return true;
    }
    if (onX ? IsOutsideX(r) : IsOutsideY(r)) return EndByTurnOff(s);
    return true;
}

}  // namespace

bool StepLatchMove(int32_t s, SpriteRecord& r, float d) {
    switch (r.EngineType) {
        case 8: return StepLatch(s, r, d);
        case 37: return StepLatchAndDrift(s, r, d);
        case 40: return StepLatchRotate(s, r, d);
        case 13: case 17: return StepBillboard(s, r, d);
        default: return true;
    }
}

}  // namespace plm
