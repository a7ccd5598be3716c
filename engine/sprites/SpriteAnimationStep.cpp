#include "sprites/SpriteAnimationStep.h"

namespace plm {

// Placeholder until the animation modes are built: no mode advances yet.
bool StepAnimation(int32_t /*sprite*/) { return true; }

}  // namespace plm
