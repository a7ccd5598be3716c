#pragma once
// Procedures shared by the behaviour steps: the one turn-off routine, the movement timer, the
// bounds test and the 8-way direction codes (0 up, clockwise to 7; 8 = no direction).
#include <cstdint>

namespace plm {

struct SpriteRecord;

// Ends a sprite from inside its behaviour step: On = 0, EngineType = 0, EngineDelay = 0, and a
// trail of particles is run once so that it is drawn this frame. The caller ends the step at once.
void TurnOffRoutine(int32_t sprite);

// The two endings of a behaviour, for use as "return ...;" in a step: turning off (the turn-off
// routine; gives false, the step ends) and stopping (EngineType 0, the sprite stays on; gives true).
bool EndByTurnOff(int32_t sprite);
bool EndByStop(SpriteRecord& r);

// X += XDir * d, Y += YDir * d.
void AdvanceByVelocity(SpriteRecord& r, float d);
// DirectionCode from the row's own velocity.
void RefreshDirectionCode(SpriteRecord& r);

// The velocity (per ms over d) and direction code of the move from (fromX, fromY) to X, Y,
// for behaviours that place the sprite rather than move it by its velocity.
void TakeVelocityOfMove(SpriteRecord& r, float fromX, float fromY, float d);

// Wrapping to the opposite bound (below lo gives hi, above hi gives lo) and limiting.
float WrapInto(float v, float lo, float hi);
float LimitInto(float v, float lo, float hi);
// X and Y each wrapped into the row's bounds.
void WrapIntoBounds(SpriteRecord& r);

// The timer rule of timed behaviours: a timer above 0 is lowered by d; true when that brought it
// below 1 ms (the behaviour ends). A timer of 0 or less never ends.
bool TimerRunsOut(float& timer, float d);

// Strictly outside the row's bounds: a sprite exactly on a bound is inside.
bool IsOutsideBounds(const SpriteRecord& r);
bool IsOutsideX(const SpriteRecord& r);
bool IsOutsideY(const SpriteRecord& r);

// The direction code of a velocity; 8 when it is (0, 0).
int32_t DirectionCodeFromMove(float xDir, float yDir);
// The direction code from point 1 to point 2; 8 when they coincide.
int32_t DirectionCodeToPoint(float x1, float y1, float x2, float y2);
// From the centre of row r to the point, or to the centre of sprite target.
int32_t DirectionCodeToXY(const SpriteRecord& r, float x, float y);
int32_t DirectionCodeToSprite(const SpriteRecord& r, int32_t target);

// A start angle in degrees (0 up, clockwise) as the radians of the orbit and wave circles:
// 0 starts above the centre, 90 right of it, 180 below. Angles outside 0..720 are taken modulo 360.
float StartAngleRadians(float degrees);

// An angle in radians brought back within one turn [0, 2 pi).
float WithinOneTurn(float radians);

// The whole number the engine's CLng conversion gives (nearest, halves to even).
int32_t CLng(float v);

// RandomInRange(CLng(low), CLng(high)) as a single, each end first held within +-1e9 so that
// the range's width cannot overflow.
float RandomWhole(float low, float high);

}  // namespace plm
