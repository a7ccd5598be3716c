// The map file and the editor's buffer file: the game's map byte for byte, save-load-save, what a
// load restores and what it resets, and every kind of damaged file refused with the map unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "maps/Map.h"
#include "maps/MapFile.h"

namespace {

using plm::State;

// Lines joined with CR LF, each line ended by one.
std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

std::vector<std::string> Repeat(const std::string& line, int n) { return std::vector<std::string>(n, line); }

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class MapFileTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        State().ScreenWidth = 800;
        State().ScreenHeight = 600;
        State().Textures.resize(4);
        plm::TextureSlot& t = State().Textures(1);
        t.Loaded = true;
        t.FileName = "/media/unpacked/gems.png";
    }
    // The game's board: 25 x 19 cells of 32 x 32, one 1024 x 1024 sheet of 31 x 31 tiles, one
    // buffer, one layer. Cell (x, y) holds x + y, its buffer entry y - x.
    void GameMap() {
        map.Init(32, 32, 25, 19, 1024, 1024, 31, 31, 1, 1, 1);
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 25; ++x) {
                map.Value(x, y, 1, static_cast<float>(x + y));
                map.buffer(1, x, y, y - x);
            }
    }
    // The record line of a row: `f` of every column, joined by commas.
    template <typename F>
    static std::string Row(int width, F f) {
        std::string out;
        for (int x = 0; x < width; ++x) out += (x ? "," : "") + std::to_string(f(x));
        return out;
    }
    std::string Save(const std::string& name = "map.txt") {
        EXPECT_TRUE(map.SaveMap(folder.file(name)));
        return plmtest::ReadFile(folder.file(name));
    }
    plm::Map map;
};

TEST_F(MapFileTest, TheGamesMapIsWrittenByteForByte) {
    GameMap();
    std::vector<std::string> buffers, layers;
    for (int y = 0; y < 19; ++y) {
        buffers.push_back(Row(25, [&](int x) { return y - x; }));
        layers.push_back(Row(25, [&](int x) { return x + y; }));
    }
    const std::string want =
        Lines(std::vector<std::string>{"Pelmar Engine Map Data", "Pelmar 2D Game Engine", "https://pelmar.example/",
                                       " 2  3  2 ", "1", " 800 ", " 600 ", " 1 ", " 1 ", " 32 ", " 32 ", " 25 ",
                                       " 19 ", " 1024 ", " 1024 ", " 31 ", " 31 ", " 1 ", "gems.png"} +
              Repeat("Reserved String", 10) + buffers + layers + Repeat("Reserved String", 10));
    EXPECT_EQ(Save(), want);
    EXPECT_EQ(buffers[0].substr(0, 8), "0,-1,-2,");
}

TEST_F(MapFileTest, SaveLoadSaveIsByteIdenticalAndLoadingResetsEverythingButTheTiles) {
    GameMap();
    map.SetAlphaFading(3, 4, 100, -0.1f, 0, 255, 0, 8, 1);  // pending removal: the raw tile travels
    map.Scaled(5, 5, 1, 0.5f);
    map.Rotate(5, 5, 1, 90);
    map.ID1(5, 5, 1, 42);
    const std::string first = Save();
    map.Init(16, 16, 3, 3, 64, 64, 3, 3, 1, 2, 2);
    ASSERT_TRUE(map.LoadMap(folder.file("map.txt")));
    EXPECT_EQ(Save("again.txt"), first);
    EXPECT_EQ(map.GetWidth(), 25);
    EXPECT_EQ(map.GetHowManyIndexes(), 1);
    EXPECT_EQ(map.Value(3, 4, 1), 7);
    EXPECT_FALSE(map.IsAlphaFading(3, 4, 1));
    EXPECT_EQ(map.Alpha(3, 4, 1), 255);
    EXPECT_EQ(map.Scaled(5, 5, 1), 1);
    EXPECT_EQ(map.Rotate(5, 5, 1), 0);
    EXPECT_EQ(map.ID1(5, 5, 1), 0);
    EXPECT_EQ(map.buffer(1, 24, 0), -24);
    EXPECT_EQ(map.Value(25, 0, 1), 0);  // the spare column as Init leaves it
}

TEST_F(MapFileTest, SmallMapsNamesAndNumbersInPrintForm) {
    // No columns: no record lines; no sheets: no names; a negative size keeps its minus sign.
    map.Init(8, 8, 0, 4, -3, 0, 0, 0, 0, 0, 2);
    const std::string want =
        Lines(std::vector<std::string>{"Pelmar Engine Map Data", "Pelmar 2D Game Engine", "https://pelmar.example/",
                                       " 2  3  2 ", "1", " 800 ", " 600 ", " 1 ", " 2 ", " 8 ", " 8 ", " 0 ", " 4 ",
                                       "-3 ", " 0 ", " 0 ", " 0 ", " 0 "} +
              Repeat("Reserved String", 20));
    EXPECT_EQ(Save(), want);
    ASSERT_TRUE(map.LoadMap(folder.file("map.txt")));
    EXPECT_EQ(map.GetHowManyLayers(), 2);
    EXPECT_EQ(map.GetSourceTextureWidth(), -3);

    // Names: the part after the last separator; "" for an empty slot; line ends dropped; a comma
    // inside a name is read back as part of the line.
    State().Textures(1).FileName = "C:\\games\\tiles, big.png";
    State().Textures(3).FileName = "old\r\nname.png";
    State().Textures(3).Loaded = true;
    map.Init(8, 8, 2, 1, 64, 64, 1, 1, 4, 1, 1);
    const std::string text = Save();
    EXPECT_NE(text.find("\r\ntiles, big.png\r\n\r\noldname.png\r\n\r\nReserved String"), std::string::npos);
    map.Value(1, 0, 1, 9);
    ASSERT_TRUE(map.LoadMap(folder.file("map.txt")));
    EXPECT_EQ(map.Value(1, 0, 1), 0);
    EXPECT_EQ(map.GetHowManyTextures(), 4);
    EXPECT_EQ(Save("again.txt"), text);
}

TEST_F(MapFileTest, MapsWithNoColumnsOrNoRowsLoadBackWithEveryLayerAndBuffer) {
    // Such a file holds no record lines, however many layers and buffers its grids have.
    struct Shape {
        int width, height, buffers, layers;
    };
    for (const Shape& c : std::vector<Shape>{{250, 0, 1, 1}, {0, 300, 2, 3}, {100, 0, 1, 4}, {0, 0, 5, 5},
                                              {0, 20000, 3, 2}}) {
        const std::string what = std::to_string(c.width) + " x " + std::to_string(c.height);
        map.Init(8, 8, c.width, c.height, 64, 64, 2, 2, 1, c.buffers, c.layers);
        const std::string first = Save();
        map.Init(16, 16, 3, 3, 64, 64, 3, 3, 1, 2, 2);
        ASSERT_TRUE(map.LoadMap(folder.file("map.txt"))) << what;
        EXPECT_EQ(map.GetWidth(), c.width) << what;
        EXPECT_EQ(map.GetHeight(), c.height) << what;
        EXPECT_EQ(map.GetHowManyLayers(), c.layers) << what;
        EXPECT_EQ(map.GetHowManyIndexes(), c.buffers) << what;
        EXPECT_EQ(Save("again.txt"), first) << what;
    }
}

TEST_F(MapFileTest, TheEditorFileHoldsTheBuffersAndTheFullNames) {
    map.Init(32, 16, 2, 2, 256, 128, 7, 7, 2, 2, 3);
    map.buffer(2, 1, 1, -5);
    ASSERT_TRUE(map.SaveBufferAsMapFile(folder.file("edit.txt"), 99));  // the count is not used
    const std::string want = Lines(std::vector<std::string>{
        "Pelmar Engine Map Editor", "Pelmar 2D+ Game Engine", "https://pelmar.example/", " 2  3  2 ", " 800 ",
        " 600 ", " 2 ", " 32 ", " 16 ", " 2 ", " 2 ", " 256 ", " 128 ", " 7 ", " 7 ", " 2 ",
        "/media/unpacked/gems.png", "", "0,0", "0,0", "0,0", "0,-5"});
    EXPECT_EQ(plmtest::ReadFile(folder.file("edit.txt")), want);
    // LoadMap does not read that variant: its missing "1" line and layer count shift every field.
    const std::string before = plm::MapFileText();
    EXPECT_FALSE(map.LoadMap(folder.file("edit.txt")));
    EXPECT_EQ(plm::MapFileText(), before);
}

TEST_F(MapFileTest, SavesNeedAMapAndAWritableFolderAndUseThePathAsGiven) {
    EXPECT_FALSE(map.SaveMap(folder.file("none.txt")));
    EXPECT_FALSE(map.SaveBufferAsMapFile(folder.file("none.txt"), 1));
    EXPECT_FALSE(std::filesystem::exists(folder.file("none.txt")));
    GameMap();
    EXPECT_FALSE(map.SaveMap(folder.file("missing/map.txt")));
    // The engine folder is not put in front; backslashes are folder separators.
    std::filesystem::create_directory(folder.file("maps"));
    ASSERT_TRUE(map.SaveMap(folder.path() + "maps\\one.txt"));
    EXPECT_TRUE(map.LoadMap(folder.path() + "maps\\one.txt"));
    EXPECT_FALSE(map.LoadMap("maps/one.txt"));
}

TEST_F(MapFileTest, TileSourcesPastThirtyTwoBitsAreHeldToThem) {
    map.Init(648021, 8, 2, 1, 64, 64, 3315, 1, 1, 1, 1);
    EXPECT_EQ(map.GetTileRect(2).SrcX, 648022);
    EXPECT_EQ(map.GetTileRect(3315).SrcX, 2147483647);
    Save();
    EXPECT_TRUE(map.LoadMap(folder.file("map.txt")));
    EXPECT_EQ(map.GetTileRect(3315).SrcX, 2147483647);
}

TEST_F(MapFileTest, EveryDamagedFileIsRefusedAndTheMapStaysAsItWas) {
    GameMap();
    const std::string good = Save("good.txt");
    map.Init(16, 16, 4, 3, 64, 64, 3, 3, 1, 1, 1);
    map.PutAtXY(2, 2, 5, 100, 45, 1);
    map.ID1(2, 2, 1, 7);
    map.SetScaling(1, 1, 0.5f, 0.001f, 0, 1, 0, 3, 1);
    const std::string kept = plm::MapFileText();
    const std::string logBefore = LogText();

    // The good file with lines replaced (0-based line numbers).
    auto withLines = [&](const std::vector<std::pair<int, std::string>>& changes) {
        std::vector<std::string> lines = plmtest::LogLines(good);
        for (const auto& [n, line] : changes) lines[static_cast<size_t>(n)] = line;
        return Lines(lines);
    };
    auto withLine = [&](int n, const std::string& line) { return withLines({{n, line}}); };
    const size_t firstRecord = good.find("0,-1,-2");
    struct Case {
        const char* what;
        std::string text;
    };
    for (const Case& c : std::vector<Case>{
             {"empty", ""},
             {"header only", good.substr(0, 60)},
             {"cut inside the records", good.substr(0, firstRecord + 500)},
             {"cut before the last reserved line", good.substr(0, good.size() - 17)},
             {"a fraction for a size", withLine(9, " 32.5 ")},
             {"a size beyond 32 bits", withLine(11, " 4294967321 ")},
             {"not a number", withLine(12, "nineteen")},
             {"tile width 0", withLine(9, " 0 ")},
             {"tile height below 0", withLine(10, "-32 ")},
             {"no layers", withLine(8, " 0 ")},
             {"negative width", withLine(11, "-25 ")},
             {"negative sheet count", withLine(17, "-1 ")},
             {"more sheets than lines", withLine(17, " 2000000000 ")},
             {"more rows than the file holds", withLine(12, " 1900000 ")},
             // No columns and two billion rows: none of it is in the file, yet the grids would be huge.
             {"a grid of no columns far larger than the file", withLines({{11, " 0 "}, {12, " 2000000000 "}})},
             {"a bad record value", withLine(30, "1,x,3")},
             {"a record value beyond 32 bits", withLine(30, "99999999999")},
             {"a version that is not a number", withLine(3, " 2  x  2 ")},
         }) {
        plmtest::WriteFile(folder.file("bad.txt"), c.text);
        EXPECT_FALSE(map.LoadMap(folder.file("bad.txt"))) << c.what;
        EXPECT_EQ(plm::MapFileText(), kept) << c.what;
    }
    EXPECT_FALSE(map.LoadMap(folder.file("absent.txt")));
    EXPECT_EQ(plm::MapFileText(), kept);
    EXPECT_EQ(LogText(), logBefore);  // a refused file logs nothing
    EXPECT_TRUE(map.IsScaling(1, 1, 1));
    EXPECT_EQ(map.ID1(2, 2, 1), 7);
    EXPECT_EQ(map.Alpha(2, 2, 1), 100);
    // Sheets whose tile count overflows 32 bits, even for a map that names no sheet: Map.Init
    // refuses them (and logs its own error block).
    std::string huge = withLines({{15, " 6048021 "}, {16, " 488 "}, {17, " 0 "}});
    huge.erase(huge.find("gems.png\r\n"), 10);
    plmtest::WriteFile(folder.file("bad.txt"), huge);
    EXPECT_FALSE(map.LoadMap(folder.file("bad.txt")));
    EXPECT_EQ(plm::MapFileText(), kept);
    // The good file still loads.
    plmtest::WriteFile(folder.file("bad.txt"), good);
    EXPECT_TRUE(map.LoadMap(folder.file("bad.txt")));
}

}  // namespace
