#include "maps/PolySprite.h"

namespace plm {}  // namespace plm
