#include "sprites/SpriteStep.h"

namespace plm {

bool StepSpriteBehaviour(int /*sprite*/) { return true; }

void CountDownSpriteDelay(int /*sprite*/) {}

}  // namespace plm
