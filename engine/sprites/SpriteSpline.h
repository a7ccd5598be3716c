#pragma once
// The spline block of a sprite row, and the behaviour saved by PauseMovement. The reset leaves
// the whole block as it was.
#include <array>
#include <cstdint>

#include "core/Records.h"

namespace plm {

struct SpriteSpline {
    std::array<PLMXY, 4> SplinePoints{};  // control points
    float SplineSpeed = 0;
    float SplineT = 0;  // parameter along the current segment
    bool Repeat = false;
    bool LeaveOn = false;
    int32_t SplineSegment = 0, SplineLastSegment = 0;
    int32_t SplineIndex = 0;
    bool SplineMirror = false, SplineFlip = false, SplineXNegate = false;
    int32_t SavedEngineType = 0;  // stored by PauseMovement
};

}  // namespace plm
