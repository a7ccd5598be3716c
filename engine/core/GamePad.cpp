#include "core/GamePad.h"

namespace plm {}  // namespace plm
