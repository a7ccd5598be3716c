#pragma once
// The spline block of a sprite row, and the behaviour saved by PauseMovement. The reset leaves
// the whole block as it was.
#include <array>
#include <cstdint>
#include <vector>

#include "core/Records.h"

namespace plm {

// A path of points, followed as a smooth curve (a spline) or in straight lines (way points).
struct SpritePath {
    std::vector<PLMXY> Points;
};

// Spline and way-point movement: the path's index and the place along it, how it ends
// (Repeat: from the start again; LeaveOn: stop on the last point; else turn off) and whether the
// path is mirrored (X offsets negated) or flipped (Y offsets negated) about its origin, which is
// SplineXOffset, SplineYOffset of the behaviour block.
struct SpriteSpline {
    std::array<PLMXY, 4> SplinePoints{};  // control points of the current segment
    float SplineSpeed = 0;
    float SplineT = 0;  // parameter along the current segment, 0..1
    bool Repeat = false;
    bool LeaveOn = false;
    int32_t SplineSegment = 0, SplineLastSegment = 0;  // way points: the point being reached
    int32_t SplineIndex = 0;
    bool SplineMirror = false, SplineFlip = false, SplineXNegate = false;
    int32_t SavedEngineType = 0;  // stored by PauseMovement
};

}  // namespace plm
