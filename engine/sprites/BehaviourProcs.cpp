#include "sprites/BehaviourProcs.h"

#include <algorithm>
#include <cmath>

#include "core/Convert.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "sprites/SpriteParticleStep.h"
#include "sprites/SpriteProcs.h"
#include "sprites/SpriteRecord.h"

namespace plm {

void TurnOffRoutine(int32_t sprite) {
    SpriteRecord* r = State().SpriteTable.find(sprite);
    if (!r) return;
    r->On = 0;
    r->EngineType = 0;
    r->EngineDelay = 0;
    if (r->ParticleAmount != 0) StepAndDrawParticles(sprite);
}

bool EndByTurnOff(int32_t sprite) {
    TurnOffRoutine(sprite);
    return false;
}

bool EndByStop(SpriteRecord& r) {
    r.EngineType = 0;
    return true;
}

void AdvanceByVelocity(SpriteRecord& r, float d) {
    r.X += r.XDir * d;
    r.Y += r.YDir * d;
}

void RefreshDirectionCode(SpriteRecord& r) { r.DirectionCode = DirectionCodeFromMove(r.XDir, r.YDir); }

void TakeVelocityOfMove(SpriteRecord& r, float fromX, float fromY, float d) {
    if (d > 0) {
        r.XDir = (r.X - fromX) / d;
        r.YDir = (r.Y - fromY) / d;
    }
    r.DirectionCode = DirectionCodeToPoint(fromX, fromY, r.X, r.Y);
}

float WrapInto(float v, float lo, float hi) {
    if (v < lo) return hi;
    if (v > hi) return lo;
    return v;
}

float LimitInto(float v, float lo, float hi) { return std::max(lo, std::min(v, hi)); }

void WrapIntoBounds(SpriteRecord& r) {
    r.X = WrapInto(r.X, r.XMin, r.XMax);
    r.Y = WrapInto(r.Y, r.YMin, r.YMax);
}

bool TimerRunsOut(float& timer, float d) {
    if (timer <= 0) return false;
    timer -= d;
    return timer < 1.0f;
}

bool IsOutsideX(const SpriteRecord& r) { return r.X < r.XMin || r.X > r.XMax; }
bool IsOutsideY(const SpriteRecord& r) { return r.Y < r.YMin || r.Y > r.YMax; }
bool IsOutsideBounds(const SpriteRecord& r) { return IsOutsideX(r) || IsOutsideY(r); }

int32_t DirectionCodeToPoint(float x1, float y1, float x2, float y2) {
    if (x1 == x2 && y1 == y2) return 8;
    const int32_t a = Int(AngleBetweenPoints(x1, y1, x2, y2));
    return State().AngleToDirectionTable[static_cast<size_t>(ModPositive(a, 361))];
}

int32_t DirectionCodeFromMove(float xDir, float yDir) { return DirectionCodeToPoint(0, 0, xDir, yDir); }

int32_t DirectionCodeToXY(const SpriteRecord& r, float x, float y) {
    const PLMXY a = SpriteCentre(r);
    return DirectionCodeToPoint(a.X, a.Y, x, y);
}

int32_t DirectionCodeToSprite(const SpriteRecord& r, int32_t target) {
    const PLMXY b = SpriteCentre(State().SpriteTable(target));
    return DirectionCodeToXY(r, b.X, b.Y);
}

float StartAngleRadians(float degrees) {
    const EngineState& st = State();
    int32_t i = Int(degrees);
    if (i < 0 || i > 720) i = ModPositive(i, 360);
    const int32_t m = Int(st.DegreeToMathTable[static_cast<size_t>(i)]);
    return st.DegreeToRadTable[static_cast<size_t>(std::clamp(m, 0, 720))];
}

float WithinOneTurn(float radians) {
    constexpr double kTurn = 2.0 * 3.14159265358979323846;
    if (!std::isfinite(radians)) return 0;
    if (radians >= 0 && radians < kTurn) return radians;
    double a = std::fmod(static_cast<double>(radians), kTurn);
    if (a < 0) a += kTurn;
    const float f = static_cast<float>(a);
    return f < static_cast<float>(kTurn) ? f : 0.0f;
}

int32_t CLng(float v) { return RoundHalfEven(v); }

float RandomWhole(float low, float high) {
    constexpr int32_t kLimit = 1000000000;
    const int32_t lo = std::clamp(CLng(low), -kLimit, kLimit);
    const int32_t hi = std::clamp(CLng(high), -kLimit, kLimit);
    return static_cast<float>(RandomInRange(lo, hi));
}

}  // namespace plm
