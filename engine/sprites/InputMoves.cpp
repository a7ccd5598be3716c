#include "sprites/BehaviourSteps.h"

namespace plm {

bool StepInputMove(int32_t, SpriteRecord&, float) { return true; }

}  // namespace plm
