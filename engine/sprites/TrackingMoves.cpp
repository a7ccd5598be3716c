#include "sprites/BehaviourSteps.h"

namespace plm {

bool StepTrackingMove(int32_t, SpriteRecord&, float) { return true; }

}  // namespace plm
