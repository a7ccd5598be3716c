#include "core/Bass.h"

namespace plm {}  // namespace plm
