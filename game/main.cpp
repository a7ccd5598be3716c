// Tessaly: the match-3 game. The program is its launcher cycle; everything else is the tessaly
// library.
#include "EngineLoader.h"
#include "GameState.h"
#include "Startup.h"

int main() {
    tessaly::Game().Run.Folder = tessaly::ProgramFolder();
    return tessaly::Main();
}
