#include "sprites/SpritePFX.h"

namespace plm {}  // namespace plm
