#pragma once
// The path tables of the spline and way-point behaviours: adding points, reading spline files,
// and the points of a path as a sprite follows them.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Records.h"

namespace plm {

struct SpriteRecord;
struct SpritePath;

// Paths are numbered 1..kMaxPathIndex; a path holds at most kMaxPathPoints points.
inline constexpr int32_t kMaxPathIndex = 1024;
inline constexpr size_t kMaxPathPoints = 65536;

// The path of table splines (or wayPoints) numbered index, grown to it; nullptr with the range
// line logged for an index outside 1..kMaxPathIndex.
SpritePath* PathForWriting(bool splines, int32_t index, const std::string& operation);

// Reads the points of a spline text file (see docs/formats.md). On a bad line, returns false
// with its 1-based number in badLine and leaves points empty.
bool ParseSplineText(const std::string& text, std::vector<PLMXY>& points, int32_t& badLine);

// Point i (1-based, held to the path's ends) of a path as row r places it: about the origin
// (SplineXOffset, SplineYOffset), mirrored and flipped as asked.
PLMXY PathPoint(const SpriteRecord& r, const std::vector<PLMXY>& points, int32_t i);

}  // namespace plm
