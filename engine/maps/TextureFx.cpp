#include "maps/TextureFx.h"

namespace plm {}  // namespace plm
