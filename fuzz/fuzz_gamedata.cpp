// Fuzzes the level file reader. The input is the start of a level file; a tail of empty slots
// completes it, so the reader also gets to the end of files it accepts. An accepted file holds
// only kinds 0..21; a refused one leaves the level rows as they were.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/GameState.h"
#include "game/Levels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string tail = [] {
        std::string t;
        for (int i = 0; i < 40 * 250 * 12; ++i) t += "0,";
        return t;
    }();
    std::vector<int16_t>& rows = tessaly::Game().Levels.LevelRows;
    rows.assign(rows.size(), 7);
    const std::string text = std::string(reinterpret_cast<const char*>(data), size) + "\r\n" + tail;
    if (tessaly::ParseGameData(text)) {
        for (int16_t kind : rows)
            if (kind < 0 || kind > 21) std::abort();
    } else {
        for (int16_t kind : rows)
            if (kind != 7) std::abort();
    }
    return 0;
}
