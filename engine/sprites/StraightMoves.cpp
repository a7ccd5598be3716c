// Straight movement by a sprite's own velocity, with optional acceleration, inside its bounds:
// leaving, reflecting, bouncing with gravity, wrapping or re-entering at the edges.
#include <algorithm>

#include "core/Convert.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/BehaviourSteps.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

// Acceleration first, then the move, where a behaviour has both.
void Accelerate(SpriteRecord& r, float d) {
    r.XDir += r.ThrustX * d;
    r.YDir += r.ThrustY * d;
}

bool StepMove(int32_t s, SpriteRecord& r, float d) {
    AdvanceByVelocity(r, d);
    if (IsOutsideBounds(r)) return EndByTurnOff(s);
    if (TimerRunsOut(r.MoveTimer, d)) return r.OffWhenTimedMoveEnds == 1 ? EndByTurnOff(s) : EndByStop(r);
    return true;
}

bool StepPong(int32_t s, SpriteRecord& r, float d) {
    AdvanceByVelocity(r, d);
    // Reflected and taken one step back in.
    if (IsOutsideX(r)) {
        r.XDir = -r.XDir;
        r.X += r.XDir * d;
    }
    if (IsOutsideY(r)) {
        r.YDir = -r.YDir;
        r.Y += r.YDir * d;
    }
    RefreshDirectionCode(r);
    return TimerRunsOut(r.MoveTimer, d) ? EndByTurnOff(s) : true;
}

bool StepWrap(int32_t s, SpriteRecord& r, float d) {
    AdvanceByVelocity(r, d);
    WrapIntoBounds(r);
    return TimerRunsOut(r.MoveTimer, d) ? EndByTurnOff(s) : true;
}

// Re-entry at the opposite bound of the travel axis; unless RepeatWrap, the other coordinate is
// drawn again from its bounds.
void ReEnter(float& travel, float lo, float hi, float& across, float acrossLo, float acrossHi, bool keepAcross) {
    if (travel >= lo && travel <= hi) return;
    travel = (travel < lo) ? hi : lo;
    if (!keepAcross) across = RandomWhole(acrossLo, acrossHi);
}

bool StepMoveYRepeat(SpriteRecord& r, float d) {
    AdvanceByVelocity(r, d);
    ReEnter(r.Y, r.YMin, r.YMax, r.X, r.XMin, r.XMax, r.RepeatWrap);
    return true;
}

bool StepMoveXRepeat(SpriteRecord& r, float d) {
    AdvanceByVelocity(r, d);
    ReEnter(r.X, r.XMin, r.XMax, r.Y, r.YMin, r.YMax, r.RepeatWrap);
    return true;
}

bool StepThrust(int32_t s, SpriteRecord& r, float d) {
    Accelerate(r, d);
    AdvanceByVelocity(r, d);
    if (IsOutsideBounds(r)) return EndByTurnOff(s);
    RefreshDirectionCode(r);
    return TimerRunsOut(r.MoveTimer, d) ? EndByStop(r) : true;
}

// The bounce of YBounce and XBounce: a positive thrust bounces off the far bound, any other off
// the near one; the speed is reflected and the sprite put on the bound.
void BounceOff(float& pos, float& dir, float thrust, float lo, float hi) {
    if (thrust > 0 && pos > hi) {
        dir = -dir;
        pos = hi;
    } else if (thrust <= 0 && pos < lo) {
        dir = -dir;
        pos = lo;
    }
}

// YBounce and XBounce: a thrust movement that bounces on one axis and ends at the other's bounds.
bool StepThrustBounce(int32_t s, SpriteRecord& r, float d, bool onY) {
    Accelerate(r, d);
    AdvanceByVelocity(r, d);
    if (onY) {
        BounceOff(r.Y, r.YDir, r.ThrustY, r.YMin, r.YMax);
    } else {
        BounceOff(r.X, r.XDir, r.ThrustX, r.XMin, r.XMax);
    }
    if (onY ? IsOutsideX(r) : IsOutsideY(r)) return EndByTurnOff(s);
    RefreshDirectionCode(r);
    return TimerRunsOut(r.MoveTimer, d) ? EndByStop(r) : true;
}

// BounceY and BounceX: move first, then gravity. Bounce mode 1.0 lands on the near bound and
// reflects at the far one; mode 0 reflects at the near bound and lands on the far one.
void Bounce(float& pos, float& dir, float thrust, float lo, float hi, float mode, float d) {
    pos += dir * d;
    dir += thrust * d;
    const bool landNear = (mode == 1.0f);
    if (pos < lo) {
        pos = lo;
        dir = landNear ? 0.0f : -dir;
    }
    if (pos > hi) {
        pos = hi;
        dir = landNear ? -dir : 0.0f;
    }
}

bool StepBounceY(int32_t s, SpriteRecord& r, float d) {
    Bounce(r.Y, r.YDir, r.ThrustY, r.YMin, r.YMax, r.BounceMode, d);
    RefreshDirectionCode(r);
    return TimerRunsOut(r.MoveTimer, d) ? EndByTurnOff(s) : true;
}

bool StepBounceX(int32_t s, SpriteRecord& r, float d) {
    Bounce(r.X, r.XDir, r.ThrustX, r.XMin, r.XMax, r.BounceMode, d);
    RefreshDirectionCode(r);
    return TimerRunsOut(r.MoveTimer, d) ? EndByTurnOff(s) : true;
}

// Held on the target once passed in the direction of travel.
void ClampPast(float& pos, float dir, float target) {
    if ((dir > 0 && pos > target) || (dir < 0 && pos < target)) pos = target;
}

bool StepMoveToXY(SpriteRecord& r, float d) {
    EngineState& st = State();
    DirectionFromAngle(AngleBetweenPoints(r.X, r.Y, r.TargetX, r.TargetY), r.MoveToSpeed);
    r.XDir = st.Rx;
    r.YDir = st.Ry;
    AdvanceByVelocity(r, d);
    ClampPast(r.X, r.XDir, r.TargetX);
    ClampPast(r.Y, r.YDir, r.TargetY);
    RefreshDirectionCode(r);
    if (Int(r.X) == Int(r.TargetX) && Int(r.Y) == Int(r.TargetY)) {
        r.X = r.TargetX;
        r.Y = r.TargetY;
        return EndByStop(r);
    }
    return true;
}

bool StepJumpAndMove(SpriteRecord& r, float d) {
    r.X += r.XDir * d;
    r.YDir += r.ThrustY * d;
    r.Y += r.YDir * d;
    if (r.Y > r.YMax) {
        // Landed: a straight move with the after-jump velocity and bounds, untimed.
        r.Y = r.YMax;
        r.XDir = r.XDirAfterJump;
        r.YDir = r.YDirAfterJump;
        r.XMin = r.XMinAfterJump;
        r.YMin = r.YMinAfterJump;
        r.XMax = r.XMaxAfterJump;
        r.YMax = r.YMaxAfterJump;
        r.MoveTimer = 0;
        r.EngineType = 1;
    } else {
        RefreshDirectionCode(r);
    }
    return true;
}

// Throttle: the speed on each axis changes by its rate (ThrustX, ThrustY) per ms and stays within
// its limits (Param1..Param2 on X, Param3..Param4 on Y); at the bounds the sprite wraps (Option3)
// or is turned off; the timer stops it.
bool StepThrottle(int32_t s, SpriteRecord& r, float d) {
    Accelerate(r, d);
    r.XDir = LimitInto(r.XDir, r.Param1, r.Param2);
    r.YDir = LimitInto(r.YDir, r.Param3, r.Param4);
    AdvanceByVelocity(r, d);
    if (r.Option3) {
        WrapIntoBounds(r);
    } else if (IsOutsideBounds(r)) {
        return EndByTurnOff(s);
    }
    RefreshDirectionCode(r);
    return TimerRunsOut(r.MoveTimer, d) ? EndByStop(r) : true;
}

}  // namespace

bool StepStraightMove(int32_t s, SpriteRecord& r, float d) {
    switch (r.EngineType) {
        case 1: return StepMove(s, r, d);
        case 2: return StepPong(s, r, d);
        case 10: return StepMoveToXY(r, d);
        case 14: return StepThrust(s, r, d);
        case 18: return StepThrustBounce(s, r, d, true);
        case 19: return StepThrustBounce(s, r, d, false);
        case 25: return StepWrap(s, r, d);
        case 26: return StepBounceY(s, r, d);
        case 28: return StepMoveYRepeat(r, d);
        case 29: return StepMoveXRepeat(r, d);
        case 34: return StepBounceX(s, r, d);
        case 36: return StepJumpAndMove(r, d);
        case 38: return StepThrottle(s, r, d);
        default: return true;
    }
}

}  // namespace plm
