#include "core/Scene.h"

namespace plm {}  // namespace plm
