#include "sprites/BehaviourSteps.h"

namespace plm {

bool StepOrbitMove(int32_t, SpriteRecord&, float) { return true; }

}  // namespace plm
