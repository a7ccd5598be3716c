#include "ui/FontFader.h"

namespace plm {}  // namespace plm
