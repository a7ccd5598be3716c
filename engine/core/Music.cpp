#include "core/Music.h"

namespace plm {}  // namespace plm
