// mkgdata FILE: writes the 40 preset levels of the game (250 incoming rows of 12 gem kinds each)
// as the game reads them: one row a line, kinds separated by commas. The rows are those the
// game's random builder for modes 2 to 4 makes from a fixed seed, so every build writes the same
// file.
#include <cstdio>

#include "core/FileIO.h"
#include "core/TextFieldWriter.h"
#include "game/GameState.h"
#include "game/Levels.h"

namespace {

constexpr int32_t kSeed = 20240611;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkgdata FILE\n");
        return 2;
    }
    tessaly::Game().Run.Engine = tessaly::EngineHandle(new plm::PelmarEngine, {});
    tessaly::E().Lib()->RandomizeSeed(kSeed);
    tessaly::BuildLevelRows(false);
    plm::TextFieldWriter out;
    for (int32_t level = 1; level <= tessaly::kLevels; ++level)
        for (int32_t row = 1; row <= tessaly::LevelsArea::kRows; ++row) {
            for (int32_t column = 1; column <= tessaly::LevelsArea::kColumns; ++column)
                out.Whole(tessaly::LevelRows(level, row, column));
            out.EndLine();
        }
    tessaly::ResetGame();
    if (!plm::WriteWholeFile(argv[1], out.Bytes())) {
        std::fprintf(stderr, "mkgdata: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
