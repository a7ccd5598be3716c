#include "sprites/SpriteAlphaStep.h"

namespace plm {

// Placeholder until the alpha effects are built: no fade advances yet.
bool StepAlpha(int32_t /*sprite*/) { return true; }

}  // namespace plm
