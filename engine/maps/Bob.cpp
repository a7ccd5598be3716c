#include "maps/Bob.h"

namespace plm {}  // namespace plm
