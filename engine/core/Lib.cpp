#include "core/Lib.h"

namespace plm {}  // namespace plm
