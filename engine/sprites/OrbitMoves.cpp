// Orbits and waves: a sprite placed on a circle around a sprite or a point, or on a wave along
// a straight drift. The angle is kept within one turn, so long runs keep their precision.
#include <cmath>

#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/BehaviourSteps.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

void StepAngle(SpriteRecord& r, float d) { r.OrbitAngle = WithinOneTurn(r.OrbitAngle + r.OrbitSpeed * d); }

bool TimerTurnsOff(int32_t s, SpriteRecord& r, float d) {
    return TimerRunsOut(r.MoveTimer, d) ? EndByTurnOff(s) : true;
}

bool BoundsOrTimer(int32_t s, SpriteRecord& r, float d) {
    if (IsOutsideBounds(r)) return EndByTurnOff(s);
    return TimerTurnsOff(s, r, d);
}

bool StepOrbit(int32_t s, SpriteRecord& r, float d) {
    const SpriteRecord& target = State().SpriteTable(r.TargetSprite);
    if (r.TurnOffWithTarget && target.On == 0) return EndByTurnOff(s);
    const float c = std::cos(r.OrbitAngle), sn = std::sin(r.OrbitAngle);
    const float side = static_cast<float>(r.OrbitSide);
    r.X = target.X + r.OrbitXOffset + (r.OrbitStyle == 2 ? 0.0f : c * side * r.OrbitRadius);
    r.Y = target.Y + r.OrbitYOffset + (r.OrbitStyle == 1 ? 0.0f : sn * r.OrbitRadius);
    StepAngle(r, d);
    r.DirectionCode = DirectionCodeToSprite(r, r.TargetSprite);
    // Radius growth every Param7 ms by Param5.
    if (r.Param6 > 0) {
        r.Param6 -= d;
        if (r.Param6 < 1.0f) {
            r.OrbitRadius += r.Param5;
            r.Param6 = r.Param7;
        }
    }
    return TimerTurnsOff(s, r, d);
}

// Around the fixed centre: on both axes (21), on X only (6) or on Y only (20).
bool StepOrbitStill(int32_t s, SpriteRecord& r, float d) {
    const float c = std::cos(r.OrbitAngle), sn = std::sin(r.OrbitAngle);
    const float side = static_cast<float>(r.OrbitSide);
    switch (r.EngineType) {
        case 6:
            r.X = c * side * r.OrbitRadius + r.CentreX;
            r.Y = r.CentreY;
            break;
        case 20:
            r.X = r.CentreX;
            r.Y = sn * side * r.OrbitRadius + r.CentreY;
            break;
        default:
            r.X = c * side * r.OrbitRadius + r.CentreX;
            r.Y = sn * r.OrbitRadius + r.CentreY;
            break;
    }
    StepAngle(r, d);
    r.DirectionCode = DirectionCodeToXY(r, r.CentreX, r.CentreY);
    return TimerTurnsOff(s, r, d);
}

bool StepOrbitAroundMovingCentre(int32_t s, SpriteRecord& r, float d) {
    r.X = std::cos(r.OrbitAngle) * static_cast<float>(r.OrbitSide) * r.OrbitRadius + r.CentreX;
    r.Y = std::sin(r.OrbitAngle) * r.OrbitRadius + r.CentreY;
    StepAngle(r, d);
    r.OrbitRadius += r.Param1 * d;
    r.CentreX += r.XDir * d;
    r.CentreY += r.YDir * d;
    return BoundsOrTimer(s, r, d);
}

bool StepOrbitMoveXY(int32_t s, SpriteRecord& r, float d) {
    // The circle term is a velocity here: the sprite loops while it drifts.
    r.X += std::cos(r.OrbitAngle) * static_cast<float>(r.OrbitSide) * r.OrbitRadius * d;
    r.X += r.XDir * d;
    r.Y += std::sin(r.OrbitAngle) * r.OrbitRadius * d;
    r.Y += r.YDir * d;
    StepAngle(r, d);
    if (r.Param1 > 0) {
        r.Param1 -= d;
        if (r.Param1 < 1.0f) {
            r.Param1 = RandomWhole(r.Param2, r.Param3);
            r.OrbitSpeed = -r.OrbitSpeed;
        }
    }
    if (r.Option3) {
        WrapIntoBounds(r);
    } else if (IsOutsideBounds(r)) {
        return EndByTurnOff(s);
    }
    return TimerTurnsOff(s, r, d);
}

// The waves: YCos (7), YCosRepeat (30) and YCosYThrust (33) swing on X while drifting on Y;
// XSin (12) and XSinRepeat (31) swing on Y while drifting on X.
bool StepWave(int32_t s, SpriteRecord& r, float d) {
    const bool acrossX = r.EngineType == 7 || r.EngineType == 30 || r.EngineType == 33;
    if (acrossX) {
        r.X = std::cos(r.OrbitAngle) * static_cast<float>(r.OrbitSide) * r.OrbitRadius + r.CentreX;
        r.Y += r.YDir * d;
        if (r.EngineType == 33) r.YDir += r.Param1 * d;
    } else {
        r.X += r.XDir * d;
        r.Y = std::sin(r.OrbitAngle) * r.OrbitRadius + r.CentreY;
    }
    StepAngle(r, d);
    if (r.EngineType == 30) {
        // Re-entry at the opposite end; unless Wrap, the swing moves to a new place across.
        if (r.Y < r.YMin || r.Y > r.YMax) {
            r.Y = (r.Y < r.YMin) ? r.YMax : r.YMin;
            if (!r.Option3) r.X = r.CentreX = RandomWhole(r.XMin, r.XMax);
        }
        return true;
    }
    if (r.EngineType == 31) {
        if (r.X < r.XMin || r.X > r.XMax) {
            r.X = (r.X < r.XMin) ? r.XMax : r.XMin;
            if (!r.Option3) r.Y = r.CentreY = RandomWhole(r.YMin, r.YMax);
        }
        return true;
    }
    return BoundsOrTimer(s, r, d);
}

}  // namespace

bool StepOrbitMove(int32_t s, SpriteRecord& r, float d) {
    switch (r.EngineType) {
        case 4: return StepOrbit(s, r, d);
        case 6: case 20: case 21: return StepOrbitStill(s, r, d);
        case 22: return StepOrbitAroundMovingCentre(s, r, d);
        case 42: return StepOrbitMoveXY(s, r, d);
        case 7: case 12: case 30: case 31: case 33: return StepWave(s, r, d);
        default: return true;
    }
}

}  // namespace plm
