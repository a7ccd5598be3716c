#include "core/Video.h"

namespace plm {}  // namespace plm
