#include "sprites/SpriteEngine.h"

namespace plm {}  // namespace plm
