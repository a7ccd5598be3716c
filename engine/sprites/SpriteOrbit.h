#pragma once
// The orbit block of a sprite row (orbits and waves). TargetSprite is shared with tracking.
#include <cstdint>

namespace plm {

struct SpriteOrbit {
    int32_t TargetSprite = 0;
    float OrbitAngle = 0;   // radians
    float OrbitRadius = 0;
    float OrbitSpeed = 0;   // radians per ms
    int32_t OrbitSide = 0;  // 1 or -1
    float OrbitXOffset = 0, OrbitYOffset = 0;
    int32_t OrbitStyle = 0;  // 0..2
    bool TurnOffWithTarget = false;
};

// The orbit numbers stay; only the flag is cleared.
inline void ResetToDefaults(SpriteOrbit& o) { o.TurnOffWithTarget = false; }

}  // namespace plm
