// Tessaly: the match-3 game. For now the program starts and stops the engine; the game itself is
// not built yet.
#include <cstdio>

#include "EngineLoader.h"

int main() {
    std::string folder = tessaly::ProgramFolder();
    std::string error;
    tessaly::EngineHandle engine = tessaly::CreateEngine(folder, error);
    if (!engine) {
        std::fprintf(stderr, "Tessaly: could not create the engine: %s\n", error.c_str());
        return 1;
    }
    engine->Path(folder);
    engine->Initialize();
    engine->Terminate();
    std::printf("Tessaly: the engine starts and stops; the game itself is not built yet.\n");
    return 0;
}
