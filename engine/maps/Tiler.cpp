#include "maps/Tiler.h"

namespace plm {}  // namespace plm
