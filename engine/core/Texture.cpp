#include "core/Texture.h"

namespace plm {}  // namespace plm
