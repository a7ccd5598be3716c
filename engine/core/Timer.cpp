#include "core/Timer.h"

namespace plm {

void Timer::Init(int32_t /*count*/) {}

}  // namespace plm
