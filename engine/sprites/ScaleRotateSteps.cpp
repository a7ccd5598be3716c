// The scaling and rotation effects: a value (a scale factor or the rotation in degrees) driven by
// a rate between two limits, with one of several end rules, or following a point or a sprite.
#include <cmath>

#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/BehaviourProcs.h"
#include "sprites/BehaviourSteps.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRecord.h"

namespace plm {

namespace {

// The parts of an effect that the limited styles 0..9 drive.
struct LimitedEffect {
    float& value;
    float& dir;
    float lo, hi;
    float& length;
    bool& on;
    float rest;  // the value an effect ends on in styles 1, 4 and 7
};

bool Past(const LimitedEffect& e) { return e.value > e.hi || e.value < e.lo; }

void Wrap(LimitedEffect& e) {
    if (e.value > e.hi) {
        e.value = e.lo;
    } else if (e.value < e.lo) {
        e.value = e.hi;
    }
}

// Reversed and taken one step back with the new direction (no clamp).
void PingPong(LimitedEffect& e, float d) {
    if (!Past(e)) return;
    e.dir = -e.dir;
    e.value += e.dir * d;
}

// Styles 0..9 (see SpriteEngine.h); false when the sprite was turned off.
bool StepLimited(int32_t s, LimitedEffect e, int32_t style, float d) {
    e.value += e.dir * d;
    switch (style) {
        case 0: Wrap(e); return true;
        case 1: case 2:
            Wrap(e);
            break;
        case 3: PingPong(e, d); return true;
        case 4: case 5:
            PingPong(e, d);
            break;
        case 6:
            if (e.value > e.hi) {
                e.value = e.hi;
                e.on = false;
            } else if (e.value < e.lo) {
                e.value = e.lo;
                e.on = false;
            }
            return true;
        case 7:
            if (Past(e)) {
                e.value = e.rest;
                e.on = false;
            }
            return true;
        case 8:
            if (!Past(e)) return true;
            e.on = false;
            return EndByTurnOff(s);
        case 9: break;
        default: return true;
    }
    // The timed styles 1, 2, 4, 5 and 9.
    if (!TimerRunsOut(e.length, d)) return true;
    e.on = false;
    if (style == 2 || style == 5) return EndByTurnOff(s);
    if (style != 9) e.value = e.rest;
    return true;
}

// Scale for a distance: MinScale up to MinDistance, MaxScale from MaxDistance, linear between.
float ScaleForDistance(const SpriteScalingEffect& e, float distance) {
    if (e.MaxDistance <= e.MinDistance) return distance <= e.MinDistance ? e.Min : e.Max;
    float f = (distance - e.MinDistance) / (e.MaxDistance - e.MinDistance);
    f = LimitInto(f, 0.0f, 1.0f);
    return e.Min + f * (e.Max - e.Min);
}

// Style 10: phase 0 runs to the first limit passed, holds it and turns back; phase 1 runs to the
// other limit, holds it and ends.
void StepInAndOut(SpriteScalingEffect& e, float& value, float d) {
    value += e.Dir * d;
    if (value <= e.Max && value >= e.Min) return;
    value = (value > e.Max) ? e.Max : e.Min;
    if (e.Param1 == 0) {
        e.Dir = -e.Dir;
        e.Param1 = 1;
    } else {
        e.On = false;
    }
}

// The rotation block as a limited effect; it ends upright.
LimitedEffect RotationEffect(SpriteRecord& r) {
    return LimitedEffect{r.Rotate, r.RotateDir, r.RotateMin, r.RotateMax, r.RotateLength, r.RotatingOn, 0.0f};
}

}  // namespace

bool StepScaleEffect(int32_t s, SpriteRecord& r, SpriteScalingEffect& e, float& value, int32_t lastStyle, float d) {
    if (e.Style < 0 || e.Style > lastStyle) return true;
    switch (e.Style) {
        case 10: StepInAndOut(e, value, d); return true;
        case 11: {
            const PLMXY c = SpriteCentre(r);
            value = ScaleForDistance(e, PointDistance(c.X, c.Y, e.Param1, e.Param2));
            return true;
        }
        case 12: {
            const PLMXY c = SpriteCentre(r);
            const PLMXY t = SpriteCentre(State().SpriteTable(e.Target));
            value = ScaleForDistance(e, PointDistance(c.X, c.Y, t.X, t.Y));
            return true;
        }
        default:
            return StepLimited(s, LimitedEffect{value, e.Dir, e.Min, e.Max, e.Length, e.On, 1.0f}, e.Style, d);
    }
}

bool StepRotation(int32_t s, SpriteRecord& r, float d) {
    switch (r.RotateStyle) {
        case 9:
            if (r.RotateLength > 0 && TimerRunsOut(r.RotateStep, d)) {
                r.RotateDir = r.RotateSpeedMin + RandomNumber() * (r.RotateSpeedMax - r.RotateSpeedMin);
                r.RotateStep = r.RotateLength;
            }
            return StepLimited(s, RotationEffect(r), 0, d);
        case 10: {
            const PLMXY a = SpriteCentre(r);
            const PLMXY b = SpriteCentre(State().SpriteTable(r.RotateTarget));
            if (a.X != b.X || a.Y != b.Y) r.Rotate = AngleBetweenPoints(a.X, a.Y, b.X, b.Y);
            return true;
        }
        case 11: r.Rotate = State().SpriteTable(r.RotateTarget).Rotate; return true;
        case 12:
            if (r.X != r.RotateLastX || r.Y != r.RotateLastY) {
                r.Rotate = AngleBetweenPoints(r.RotateLastX, r.RotateLastY, r.X, r.Y);
                r.RotateLastX = r.X;
                r.RotateLastY = r.Y;
            }
            return true;
        default:
            if (r.RotateStyle < 0 || r.RotateStyle > 8) return true;
            return StepLimited(s, RotationEffect(r), r.RotateStyle, d);
    }
}

}  // namespace plm
