#pragma once
// The alpha sub-step of the behaviour step: advances the sprite's fade or flash by Delta.

#include <cstdint>

namespace plm {

// Returns false when the fade ended the sprite (through the turn-off routine).
bool StepAlpha(int32_t sprite);

}  // namespace plm
