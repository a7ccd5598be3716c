#include "ui/Gui.h"

namespace plm {}  // namespace plm
