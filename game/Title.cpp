#include "Title.h"

#include "GameState.h"

namespace tessaly {

bool InitTitle() { return true; }

void RunTitle() { Game().Session.GameMode = 0; }

}  // namespace tessaly
