#pragma once
// The per-frame rules of the movement types and of the scaling and rotation effects, one family a
// source file. Each step moves row r of sprite s by the frame time d and returns false when it
// turned the sprite off (the turn-off routine has run; the caller ends the step).
#include <cstdint>

namespace plm {

struct SpriteRecord;
struct SpriteScalingEffect;

// Straight movement, bounds, bouncing and wrapping: types 1, 2, 10, 14, 18, 19, 25, 26, 28, 29,
// 34, 36, 38.
bool StepStraightMove(int32_t s, SpriteRecord& r, float d);
// Tracking and chasing: types 3, 5, 11, 39, 43, 44, 45.
bool StepTrackingMove(int32_t s, SpriteRecord& r, float d);
// Orbits and waves: types 4, 6, 7, 12, 20, 21, 22, 30, 31, 33, 42.
bool StepOrbitMove(int32_t s, SpriteRecord& r, float d);
// Latching and billboards: types 8, 13, 17, 37, 40.
bool StepLatchMove(int32_t s, SpriteRecord& r, float d);
// Paths: types 9 (frame move), 27 (robo move), 41 (spline), 46 (way points).
bool StepPathMove(int32_t s, SpriteRecord& r, float d);
// Input-driven: types 23 (keys), 24 (button), 32 (mouse).
bool StepInputMove(int32_t s, SpriteRecord& r, float d);

// One scaling effect on value (Scaled, XScaled or YScaled); styles above lastStyle do nothing.
bool StepScaleEffect(int32_t s, SpriteRecord& r, SpriteScalingEffect& e, float& value, int32_t lastStyle, float d);
// The rotation effect on Rotate.
bool StepRotation(int32_t s, SpriteRecord& r, float d);

}  // namespace plm
