#include "ui/Text.h"

namespace plm {}  // namespace plm
