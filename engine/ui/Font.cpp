#include "ui/Font.h"

namespace plm {}  // namespace plm
