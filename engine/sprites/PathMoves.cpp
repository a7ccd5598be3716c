#include "sprites/BehaviourSteps.h"

namespace plm {

bool StepPathMove(int32_t, SpriteRecord&, float) { return true; }

}  // namespace plm
