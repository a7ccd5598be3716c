#include "sprites/SpriteCollide.h"

namespace plm {}  // namespace plm
