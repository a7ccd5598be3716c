#pragma once
// Behaviours and effects of sprites: each setter stores its arguments in one sprite's row of the
// sprite table; Sprite.Render runs them. The object keeps no state of its own.
#include <cstdint>

namespace plm {

class SpriteEngine {
public:
    // Starts a shake of the drawn position: Velocity = radius in pixels, Speed = ms between new
    // directions, length = ms the shake lasts.
    void Shake(int32_t sprite, float Velocity, float Speed, float length);
};

}  // namespace plm
