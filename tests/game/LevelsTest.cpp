#include "game/Levels.h"

#include <set>
#include <utility>

#include "core/FileIO.h"
#include "core/TextFieldWriter.h"
#include "game/GameFixture.h"
#include "game/GameState.h"

namespace {

using plmtest::GameTest;
using namespace tessaly;

class LevelsTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        InitDiamondMask();
    }

    // Every rule of the random levels holds for the rows in LevelRows: colours drawn from
    // 1..highest of the level (each of them seen), a special on exactly the rows the running
    // row counter picks, at most one a row and from the level's list, and every other special
    // the next of the list in order.
    void ExpectLevelRules(bool mode5) {
        const std::array<int, 11> firsts{1, 2, 3, 5, 7, 10, 15, 20, 25, 30, 35};
        const std::array<int, 11> highest234{2, 2, 3, 3, 3, 4, 4, 5, 5, 6, 6};
        const std::array<int, 11> highest5{2, 2, 2, 2, 2, 3, 3, 4, 4, 5, 5};
        int n = 0;
        bool inOrder = false;
        for (int level = 1; level <= kLevels; ++level) {
            int rule = 0;
            while (rule + 1 < 11 && level >= firsts[rule + 1]) ++rule;
            const int highest = (mode5 ? highest5 : highest234)[rule];
            ASSERT_EQ(LevelColourHighest(level), highest) << level;
            ASSERT_EQ(SpecialEvery(level), 9 - (level - 1) / 5) << level;
            const int count = LevelSpecialCount(level);
            std::set<int> coloursSeen;
            int cursor = 0;
            for (int row = 1; row <= 250; ++row) {
                int specials = 0, special = 0;
                for (int column = 1; column <= 12; ++column) {
                    const int kind = LevelRows(level, row, column);
                    if (kind >= 1 && kind <= 6) {
                        ASSERT_LE(kind, highest) << level << "/" << row;
                        coloursSeen.insert(kind);
                    } else {
                        ++specials;
                        special = kind;
                    }
                }
                const bool due = ++n >= SpecialEvery(level);
                if (due) n = 0;
                ASSERT_EQ(specials, due && count > 0 ? 1 : 0) << "level " << level << " row " << row;
                if (specials == 0) continue;
                inOrder = !inOrder;
                if (inOrder) {
                    if (++cursor > count) cursor = 1;
                    ASSERT_EQ(special, LevelSpecial(level, cursor)) << level << "/" << row;
                } else {
                    bool listed = false;
                    for (int i = 1; i <= count; ++i) listed = listed || LevelSpecial(level, i) == special;
                    ASSERT_TRUE(listed) << level << "/" << row << " kind " << special;
                }
            }
            EXPECT_EQ(static_cast<int>(coloursSeen.size()), highest) << level;
        }
    }
};

TEST_F(LevelsTest, TileValuesAndKinds) {
    for (auto [value, kind] : {std::pair{0, 0}, {1, 1}, {31, 1}, {32, 2}, {590, 20}, {627, 21}, {651, 21},
                               {652, 0}, {1000, 0}, {-1, 0}, {1001, 0}})
        EXPECT_EQ(TileKind(value), kind) << value;
    for (auto [kind, first] : {std::pair{0, 0}, {1, 1}, {2, 32}, {7, 187}, {20, 590}, {21, 621}, {22, 0},
                               {50, 0}, {51, 0}, {-1, 0}})
        EXPECT_EQ(KindFirstValue(kind), first) << kind;
    EXPECT_EQ(G().Levels.WallTile, 627);
    EXPECT_EQ(G().Levels.CheckerTile, 590);
    EXPECT_EQ(G().Levels.CheckerTile, KindFirstValue(20));
}

TEST_F(LevelsTest, PrefillRowsAndRowTicksByLevel) {
    struct Row {
        int level, prefill;
        float ticks;
    };
    for (Row r : {Row{1, 2, 1000}, {2, 2, 976}, {3, 3, 952}, {5, 3, 904}, {6, 4, 880}, {8, 4, 832}, {9, 5, 808},
                  {12, 5, 736}, {13, 6, 712}, {21, 8, 520}, {22, 9, 496}, {37, 14, 136}, {39, 14, 88},
                  {40, 15, 64}, {0, 0, 0}, {41, 0, 0}})
        EXPECT_TRUE(PrefillRows(r.level) == r.prefill && RowTicks(r.level) == r.ticks)
            << r.level << ": " << PrefillRows(r.level) << " rows, " << RowTicks(r.level) << " ms";
}

TEST_F(LevelsTest, BlastMaskIsTheDiamond) {
    std::set<std::pair<int, int>> live;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 7; ++c) {
            auto [dx, dy] = DiamondMask(c, r);
            if (dx == 100 || dy == 100) {
                EXPECT_TRUE(dx == 100 && dy == 100);
                continue;
            }
            EXPECT_EQ(dx, c - 4);
            EXPECT_EQ(dy, r - 5);
            live.insert({dx, dy});
        }
    EXPECT_EQ(live.size(), 39u);
    // Top and bottom rows only the centre; the three middle rows full width.
    for (int dx = -3; dx <= 3; ++dx) {
        EXPECT_EQ(live.count({dx, -4}), dx == 0 ? 1u : 0u);
        EXPECT_EQ(live.count({dx, 4}), dx == 0 ? 1u : 0u);
        for (int dy = -1; dy <= 1; ++dy) EXPECT_EQ(live.count({dx, dy}), 1u);
    }
    EXPECT_EQ(DiamondMask(0, 5)[0], 100);
    EXPECT_EQ(DiamondMask(4, 10)[1], 100);
}

TEST_F(LevelsTest, SpecialListsByLevel) {
    BuildLevelRows(false);
    EXPECT_EQ(LevelSpecialCount(1), 0);
    EXPECT_EQ(LevelSpecialCount(2), 1);
    EXPECT_EQ(LevelSpecial(2, 1), 7);
    EXPECT_EQ(LevelSpecialCount(6), 3);
    EXPECT_EQ(LevelSpecial(6, 3), 9);
    EXPECT_EQ(LevelSpecialCount(10), 6);
    EXPECT_EQ(LevelSpecial(10, 6), 14);  // "H"
    EXPECT_EQ(LevelSpecialCount(40), 13);
    EXPECT_EQ(LevelSpecial(40, 13), 19);  // the blocker
    EXPECT_EQ(LevelSpecial(40, 14), 0);
    BuildLevelRows(true);
    EXPECT_EQ(LevelSpecialCount(25), 9);  // mode 5 leaves out kind 12 ("F") at 25-29
    EXPECT_EQ(LevelSpecial(25, 6), 14);
    EXPECT_EQ(LevelSpecialCount(40), 11);
    EXPECT_EQ(LevelSpecial(40, 11), 18);
}

TEST_F(LevelsTest, GeneratedLevelsFollowTheRulesForAnySeed) {
    for (int seed : {1, 777, 123456789}) {
        for (bool mode5 : {false, true}) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << (mode5 ? " mode 5" : " modes 2-4"));
            E().Lib()->RandomizeSeed(seed);
            BuildLevelRows(mode5);
            ExpectLevelRules(mode5);
        }
    }
}

TEST_F(LevelsTest, LevelOneEndsWithTheCounterAtSeven) {
    BuildLevelRows(false);
    // 250 rows = 27 x 9 + 7: level 2's first special falls on its second row, then every ninth.
    for (int row = 1; row <= 250; ++row) {
        bool special = false;
        for (int column = 1; column <= 12; ++column) special = special || LevelRows(2, row, column) > 6;
        EXPECT_EQ(special, row % 9 == 2) << row;
    }
}

TEST_F(LevelsTest, BuildersSeedOnceSoRowsDiffer) {
    // The clock stands still: a builder that reseeded from it for every row would repeat one row.
    for (auto build : {&BuildLevelSpecials, &BuildLevelSpecialsMode5}) {
        build();
        std::set<std::vector<int>> rows;
        for (int row = 1; row <= 250; ++row) {
            std::vector<int> r;
            for (int column = 1; column <= 12; ++column) r.push_back(LevelRows(20, row, column));
            rows.insert(r);
        }
        EXPECT_GT(rows.size(), 200u);
    }
}

TEST_F(LevelsTest, ShuffleKeepsEveryPlayfieldCell) {
    for (int pass = 0; pass < 2; ++pass) {
        G().Levels.SparkleIndex = 17;
        ShuffleSparkleCells();
        EXPECT_EQ(G().Levels.SparkleIndex, 0);
        std::multiset<std::pair<int, int>> cells;
        for (const SparkleCell& c : G().Levels.SparkleCells) cells.insert({c.X, c.Y});
        for (int y = 2; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x) EXPECT_GE(cells.count({x, y}), 1u) << x << "," << y;
        // The first shuffle mixes the 192 cells with 108 empty entries; a later one refills only
        // the first 192, so the tail keeps what the last game left there.
        if (pass == 0) {
            EXPECT_EQ(cells.count({0, 0}), 108u);
        }
        EXPECT_EQ(cells.size(), 300u);
    }
}

TEST_F(LevelsTest, AccessorsRefuseOutsideIndexes) {
    LevelRows(1, 1, 1, 5);
    LevelRows(40, 250, 12, 6);
    EXPECT_EQ(LevelRows(1, 1, 1), 5);
    EXPECT_EQ(LevelRows(40, 250, 12), 6);
    for (auto [level, row, column] : {std::tuple{0, 1, 1}, {41, 1, 1}, {1, 0, 1}, {1, 251, 1}, {1, 1, 0}, {1, 1, 13}}) {
        LevelRows(level, row, column, 9);
        EXPECT_EQ(LevelRows(level, row, column), 0);
    }
    EXPECT_EQ(LevelRows(1, 1, 1), 5);
    EXPECT_EQ(SpecialEvery(0), 0);
    EXPECT_EQ(LevelSpecial(41, 1), 0);
}

class LevelFileTest : public LevelsTest {
protected:
    // Every level row of the tables as a level file: one row a line.
    static std::string LevelFile() {
        plm::TextFieldWriter out;
        for (int level = 1; level <= kLevels; ++level)
            for (int row = 1; row <= 250; ++row) {
                for (int column = 1; column <= 12; ++column) out.Whole(LevelRows(level, row, column));
                out.EndLine();
            }
        return out.Bytes();
    }
};

TEST_F(LevelFileTest, TheBuildsLevelFileFollowsTheRandomRules) {
    std::filesystem::copy_file(plmtest::BuildBinFile(kLevelFileName), folder.file(kLevelFileName));
    ASSERT_TRUE(LoadGameData());
    BuildLevelRows(false);  // the rules of modes 2 to 4, with other rows
    ASSERT_TRUE(LoadGameData());
    ExpectLevelRules(false);
}

TEST_F(LevelFileTest, ReadsEveryLayoutOfNumbers) {
    E().Lib()->RandomizeSeed(5);
    BuildLevelRows(true);
    const std::string file = LevelFile();
    std::vector<int16_t> rows = G().Levels.LevelRows;
    // Blanks and line feeds separate numbers as well as commas and CR LF.
    std::string blanks = file;
    for (char& c : blanks)
        if (c == ',') c = ' ';
    for (const std::string& text : {file, blanks}) {
        G().Levels.LevelRows.assign(rows.size(), 0);
        plmtest::WriteFile(folder.file(kLevelFileName), text);
        ASSERT_TRUE(LoadGameData());
        EXPECT_EQ(G().Levels.LevelRows, rows);
    }
}

TEST_F(LevelFileTest, ABadFileKeepsTheRowsItHad) {
    E().Lib()->RandomizeSeed(9);
    BuildLevelRows(false);
    const std::string file = LevelFile();
    const std::vector<int16_t> rows = G().Levels.LevelRows;
    const size_t last = file.rfind(',');
    struct Case {
        const char* what;
        std::string text;
    };
    for (const Case& c : {Case{"missing", ""}, Case{"empty", "\r\n"}, Case{"short", file.substr(0, last)},
                          Case{"a word", "x," + file}, Case{"a fraction", "1.5," + file},
                          Case{"kind 22", "22," + file}, Case{"kind -1", "-1," + file},
                          Case{"a Boolean", "#TRUE#," + file}}) {
        std::filesystem::remove(folder.file(kLevelFileName));
        if (std::string(c.what) != "missing") plmtest::WriteFile(folder.file(kLevelFileName), c.text);
        EXPECT_FALSE(LoadGameData()) << c.what;
        EXPECT_EQ(G().Levels.LevelRows, rows) << c.what;
    }
    // Kinds 0 and 21 are the edges of what a file may hold; more numbers after 120,000 are not read.
    plmtest::WriteFile(folder.file(kLevelFileName), "0,21," + file.substr(file.find(',', file.find(',') + 1) + 1) + "99,x\r\n");
    ASSERT_TRUE(LoadGameData());
    EXPECT_EQ(LevelRows(1, 1, 1), 0);
    EXPECT_EQ(LevelRows(1, 1, 2), 21);
    EXPECT_EQ(LevelRows(40, 250, 12), rows.back());
}

}  // namespace
