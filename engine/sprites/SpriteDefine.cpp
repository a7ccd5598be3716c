#include "sprites/SpriteDefine.h"

namespace plm {}  // namespace plm
