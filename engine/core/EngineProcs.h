#pragma once
// Shared procedures of the engine: angles and directions, distances and overlap tests, the one
// uniform random sequence, waiting on the clock, and small file and colour helpers.
#include <cstdint>
#include <string>

namespace plm {

// Builds DegreeToRadTable, DegreeToMathTable, AngleWrapTable and AngleToDirectionTable.
void BuildAngleTables();

// Direction from point 1 to point 2 in whole degrees (0 = up, clockwise, y grows downwards),
// from 1 to 360 (360 for straight up).
float AngleBetweenPoints(float x1, float y1, float x2, float y2);

// Writes the movement vector of an engine angle into Rx, Ry: angle 0 gives (0, -speed),
// 90 gives (speed, 0).
void DirectionFromAngle(float angle, float speed);
// The same vector, returned in x, y (Rx, Ry untouched).
void DirectionVector(float angle, float speed, float& x, float& y);

// An engine angle as an index 0..359 of the wrap table (clamped to 0..720 first, then rounded).
int32_t WrapAngle(float angle);

float PointDistance(float x1, float y1, float x2, float y2);
bool CirclesOverlap(float x1, float y1, float r1, float x2, float y2, float r2);
bool CircleOverlapsBox(float cx, float cy, float radius, float bx, float by, float bw, float bh);
// Whole-pixel box overlap: each box covers position .. position + size - 1; touching counts.
bool BoxesOverlap(float x1, float y1, float w1, float h1, float x2, float y2, float w2, float h2);

// The engine's one uniform random sequence: values in [0, 1).
float RandomNumber();
// Reseeds the sequence; 0 seeds from the clock.
void RandomizeSeed(int32_t seed);
bool RandomChance(float percent);
int32_t RandomInRange(int32_t low, int32_t high);

// The millisecond clock, and a spin on it until ms have passed (0 or less returns at once).
uint32_t GetTickMs();
void BusyWait(int32_t ms);

// Every entry of the ten-entry frame-time ring = Int(1000 / fps).
void FillFrameTimes(int32_t fps);

// Text after the last path separator ("" for "").
std::string FileNameFromPath(const std::string& path);

// Packed ARGB; each component rounded (halves to even) and limited to 0..255.
uint32_t MakeColorARGB(float a, float r, float g, float b);

// True when the file exists and holds at least 2 bytes; false on any error.
bool FileHasData(const std::string& fullPath);

}  // namespace plm
