#include "ui/HighScores.h"

namespace plm {}  // namespace plm
