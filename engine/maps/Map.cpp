#include "maps/Map.h"

namespace plm {}  // namespace plm
