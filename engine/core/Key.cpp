#include "core/Key.h"

namespace plm {}  // namespace plm
