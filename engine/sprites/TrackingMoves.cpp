// Tracking and chasing: moving a sprite toward another sprite's centre or toward a point.
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/BehaviourSteps.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

const SpriteRecord& Target(const SpriteRecord& r) { return State().SpriteTable(r.TargetSprite); }

// Track: fixed speeds in eight directions; exact comparisons, the first matching row wins.
bool StepTrack(int32_t s, SpriteRecord& r, float d) {
    const PLMXY a = SpriteCentre(r);
    const PLMXY b = SpriteCentre(Target(r));
    const float sx = r.XDir * d, sy = r.YDir * d;
    struct Row {
        bool test;
        float dx, dy;
        int32_t code;
    };
    const Row rows[] = {
        {b.X > a.X && a.Y == b.Y, sx, 0, 2},  {a.X > b.X && a.Y == b.Y, -sx, 0, 6},
        {a.X == b.X && b.Y > a.Y, 0, sy, 4},  {a.X == b.X && a.Y > b.Y, 0, -sy, 0},
        {b.X > a.X && b.Y > a.Y, sx, sy, 3},  {a.X > b.X && a.Y > b.Y, -sx, -sy, 7},
        {b.X > a.X && a.Y > b.Y, sx, -sy, 1}, {b.X < a.X && a.Y < b.Y, -sx, sy, 5},
    };
    for (const Row& row : rows) {
        if (!row.test) continue;
        r.X += row.dx;
        r.Y += row.dy;
        r.DirectionCode = row.code;
        break;
    }
    return TimerRunsOut(r.MoveTimer, d) ? EndByTurnOff(s) : true;
}

// One axis of the accelerating pursuit: the speed grows toward the target, within +-limit.
void Pursue(float& speed, float accel, float limit, float from, float to, float d) {
    if (to > from) {
        speed += accel * d;
        if (speed > limit) speed = limit;
    } else if (to < from) {
        speed -= accel * d;
        if (speed < -limit) speed = -limit;
    }
}

bool StepTrackI(int32_t s, SpriteRecord& r, float d) {
    const PLMXY a = SpriteCentre(r);
    const PLMXY b = SpriteCentre(Target(r));
    Pursue(r.Param1, r.Param2, r.Param3, a.X, b.X, d);
    r.X += r.Param1 * d;
    Pursue(r.Param4, r.Param5, r.Param6, a.Y, b.Y, d);
    r.Y += r.Param4 * d;
    switch (r.EngineType) {
        case 11:
            r.DirectionCode = DirectionCodeToSprite(r, r.TargetSprite);
            return TimerRunsOut(r.MoveTimer, d) ? EndByTurnOff(s) : true;
        case 5:
            WrapIntoBounds(r);
            return true;
        default:  // 43: ends at its bounds or with the tracked sprite
            if (IsOutsideBounds(r) || Target(r).On == 0) return EndByTurnOff(s);
            return true;
    }
}

// The chase velocity toward point b at the speed in Param1, written into XDir, YDir.
void AimAt(SpriteRecord& r, const PLMXY& a, const PLMXY& b) {
    EngineState& st = State();
    DirectionFromAngle(AngleBetweenPoints(a.X, a.Y, b.X, b.Y), r.Param1);
    r.XDir = st.Rx;
    r.YDir = st.Ry;
}

bool StepChase(int32_t s, SpriteRecord& r, float d) {
    AimAt(r, SpriteCentre(r), SpriteCentre(Target(r)));
    AdvanceByVelocity(r, d);
    if (IsOutsideBounds(r)) return EndByTurnOff(s);
    if (TimerRunsOut(r.MoveTimer, d)) r.EngineType = 0;
    if (r.Option1 && Target(r).On == 0) return EndByTurnOff(s);
    return true;
}

// The wobble of one axis: it swings between -limit and +limit, turning at each.
void Wobble(float& wobble, float& accel, float limit, float d) {
    wobble += accel * d;
    if (wobble < -limit) {
        wobble = -limit;
        accel = -accel;
    } else if (wobble > limit) {
        wobble = limit;
        accel = -accel;
    }
}

bool StepChaseC(int32_t s, SpriteRecord& r, float d) {
    const bool toPoint = r.EngineType == 45;
    AimAt(r, SpriteCentre(r), toPoint ? PLMXY{r.TargetX, r.TargetY} : SpriteCentre(Target(r)));
    Wobble(r.Param6, r.Param2, r.Param3, d);
    Wobble(r.Param7, r.Param4, r.Param5, d);
    r.X += (r.XDir + r.Param6) * d;
    r.Y += (r.YDir + r.Param7) * d;
    if (r.Option3) {
        WrapIntoBounds(r);
    } else if (IsOutsideBounds(r)) {
        return EndByTurnOff(s);
    }
    if (TimerRunsOut(r.MoveTimer, d)) r.EngineType = 0;
    if (!toPoint && r.Option1 && Target(r).On == 0) return EndByTurnOff(s);
    return true;
}

}  // namespace

bool StepTrackingMove(int32_t s, SpriteRecord& r, float d) {
    switch (r.EngineType) {
        case 3: return StepTrack(s, r, d);
        case 5: case 11: case 43: return StepTrackI(s, r, d);
        case 39: return StepChase(s, r, d);
        case 44: case 45: return StepChaseC(s, r, d);
        default: return true;
    }
}

}  // namespace plm
