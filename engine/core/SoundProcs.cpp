#include "core/SoundProcs.h"

namespace plm {

void FreeBass() {}

}  // namespace plm
