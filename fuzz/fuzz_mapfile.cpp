// Fuzzes Map.LoadMap with arbitrary map files. A refused file must leave the map exactly as it
// was; an accepted one must give a map that saves and loads back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzFolder.h"
#include "core/EngineState.h"
#include "maps/Map.h"
#include "maps/MapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static plmfuzz::FuzzFolder folder;
    plm::EngineState& st = plm::State();
    st.LogState = false;
    plm::Map map;
    map.Init(8, 8, 3, 2, 64, 64, 2, 2, 1, 1, 1);
    map.PutAtXY(1, 1, 3, 200, 10, 1);
    const std::string before = plm::MapFileText();
    folder.Put("m.txt", std::string(reinterpret_cast<const char*>(data), size));
    if (!map.LoadMap(folder.engine() + "m.txt")) {
        if (plm::MapFileText() != before || map.Alpha(1, 1, 1) != 200) std::abort();
        folder.CheckAndClear();
        return 0;
    }
    const std::string saved = plm::MapFileText();
    if (saved.empty() || !map.SaveMap(folder.engine() + "s.txt") || !map.LoadMap(folder.engine() + "s.txt") ||
        plm::MapFileText() != saved)
        std::abort();
    map.SaveBufferAsMapFile(folder.engine() + "e.txt", 0);
    folder.CheckAndClear();
    return 0;
}
