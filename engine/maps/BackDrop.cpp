#include "maps/BackDrop.h"

namespace plm {}  // namespace plm
