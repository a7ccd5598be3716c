#pragma once
// The preset explosions 1..94 (SpritePFX.Explosion), cut from the engine particle texture.
#include <cstdint>

namespace plm {

inline constexpr int32_t kExplosionPresets = 94;

// The preset's name, for tools and logs ("" outside 1..94).
const char* ExplosionPresetName(int32_t Style);

// Starts preset Style centred on (x, y) in group Index. SizeScale scales the pieces and the
// spread, SpeedScale their speeds; a colour component of 0 or more replaces the preset's. A style
// outside 1..94 or a group outside the pool does nothing.
void StartPresetExplosion(int32_t Style, float x, float y, float SizeScale, float SpeedScale, float StartDelay,
                          int32_t Index, int32_t Red, int32_t Green, int32_t Blue, int32_t SourceMode,
                          int32_t DestinationMode);

}  // namespace plm
