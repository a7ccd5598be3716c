#include "core/Mouse.h"

namespace plm {}  // namespace plm
