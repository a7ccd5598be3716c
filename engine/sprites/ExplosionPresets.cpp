#include "sprites/ExplosionPresets.h"

namespace plm {

void StartPresetExplosion(int32_t, float, float, float, float, float, int32_t, int32_t, int32_t, int32_t, int32_t,
                          int32_t) {}

}  // namespace plm
