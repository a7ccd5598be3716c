#include "sprites/BehaviourSteps.h"

namespace plm {

bool StepLatchMove(int32_t, SpriteRecord&, float) { return true; }

}  // namespace plm
