#include "maps/Shape.h"

namespace plm {}  // namespace plm
