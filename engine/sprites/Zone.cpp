#include "sprites/Zone.h"

namespace plm {}  // namespace plm
