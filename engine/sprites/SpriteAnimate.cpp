#include "sprites/SpriteAnimate.h"

namespace plm {}  // namespace plm
