#include "maps/Starfield.h"

namespace plm {}  // namespace plm
