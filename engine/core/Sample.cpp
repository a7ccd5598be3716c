#include "core/Sample.h"

namespace plm {}  // namespace plm
