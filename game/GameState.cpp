#include "GameState.h"

namespace tessaly {

GameState& Game() {
    static GameState state;
    return state;
}

void ResetGame() { Game() = GameState{}; }

plm::PelmarEngine& E() { return *Game().Run.Engine; }

}  // namespace tessaly
