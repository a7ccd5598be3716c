#include "core/InputProcs.h"

namespace plm {

bool init_di() { return true; }
void ReleaseInput() {}

}  // namespace plm
