#include "sprites/Sprite.h"

namespace plm {}  // namespace plm
