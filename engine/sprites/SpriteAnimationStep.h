#pragma once
// The animation sub-step of the behaviour step: advances the sprite's animation mode by Delta.

#include <cstdint>

namespace plm {

// Returns false when the animation ended the sprite (through the turn-off routine).
bool StepAnimation(int32_t sprite);

}  // namespace plm
