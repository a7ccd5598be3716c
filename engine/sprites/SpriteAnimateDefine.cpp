#include "sprites/SpriteAnimateDefine.h"

namespace plm {}  // namespace plm
