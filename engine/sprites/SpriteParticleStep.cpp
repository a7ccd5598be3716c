#include "sprites/SpriteParticleStep.h"

namespace plm {

void StepAndDrawParticles(int /*sprite*/, bool /*onTop*/) {}

}  // namespace plm
