#include "core/InputProcs.h"

namespace plm {

bool init_di() { return true; }
void ReleaseInput() {}
void ReadInputSnapshot() {}
void AdvanceTimers() {}
void RenderMousePointer() {}

}  // namespace plm
