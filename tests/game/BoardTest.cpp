// The board model and a click on it: marking, the score entry, and the line rule of the colour
// gems through the scripted pointer, with the board settled after each clear.
#include <gtest/gtest.h>

#include "game/BoardFixture.h"
#include "game/Scoring.h"

namespace {

using plmtest::BoardTest;
using namespace tessaly;

TEST_F(BoardTest, MarkCellListsACellOnceAndRefusesPastTheListsEnd) {
    BoardArea& b = G().Board;
    MarkCell(7, 9, 2);
    MarkCell(7, 9, 3);
    ASSERT_EQ(b.MarkedCount, 1);
    EXPECT_EQ(b.MarkedCells(1).X, 7);
    EXPECT_EQ(b.MarkedCells(1).Kind, 2);
    EXPECT_EQ(E().Map()->ID1(7, 9, 1), 1);
    // A full list takes nothing more, and the cell stays unmarked.
    b.MarkedCount = b.MarkedCells.size();
    MarkCell(8, 9, 2);
    EXPECT_EQ(b.MarkedCount, 1000);
    EXPECT_EQ(E().Map()->ID1(8, 9, 1), 0);
}

TEST_F(BoardTest, AddScoreRoundsHalvesToEven) {
    int32_t& score = G().Session.Score;
    for (auto [points, want] : {std::pair{2.5f, 2}, {3.5f, 4}, {-0.5f, 0}, {10.4f, 10}}) {
        score = 0;
        AddScore(points);
        EXPECT_EQ(score, want) << points;
    }
}

TEST_F(BoardTest, KindsAreReadWhateverFrameAGemShows) {
    E().Map()->Value(6, 17, 1, 62);  // kind 2's last frame
    E().Map()->Value(7, 17, 1, 32);
    E().Map()->Value(8, 17, 1, 40);
    Click(7, 17);
    Settle();
    EXPECT_EQ(Picture(1), std::vector<std::string>{"............"});
    EXPECT_EQ(G().Session.Score, 30);
}

struct ClickCase {
    const char* name;
    std::vector<std::string> before;
    int x, y;                         // the clicked cell
    std::vector<std::string> after;  // once every gem has landed
    int cleared;
};

class LineRuleTest : public BoardTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(LineRuleTest, ClearsEveryRunOfThreeThroughTheClickedGem) {
    const ClickCase& c = GetParam();
    Lay(c.before);
    G().Session.GemsLeft = 100;
    Click(c.x, c.y);
    const bool cleared = c.cleared > 0;
    EXPECT_EQ(Playing(), cleared ? std::set<int>{2} : std::set<int>{5});
    EXPECT_EQ(G().Board.MarkedCount, 0);
    Settle();
    EXPECT_EQ(Picture(static_cast<int>(c.after.size())), c.after);
    EXPECT_EQ(G().Session.GemsLeft, 100 - c.cleared);
    EXPECT_EQ(G().Session.Score, 10 * c.cleared);
    // No cell is left marked.
    for (int y = 3; y <= 17; ++y)
        for (int x = 6; x <= 17; ++x) EXPECT_EQ(E().Map()->ID1(x, y, 1), 0) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, LineRuleTest,
    ::testing::Values(
        ClickCase{"RunOfThreeMiddle", {"..222......."}, 9, 17, {"............"}, 3},
        ClickCase{"RunOfThreeEnd", {"1.222......."}, 8, 17, {"1..........."}, 3},
        ClickCase{"RunOfTwoRefused", {"..22.2......"}, 8, 17, {"..22.2......"}, 0},
        ClickCase{"RunBesideTheClickRefused", {"..333.......", "..3........"}, 8, 17, {"..333.......", "..3........."}, 0},
        ClickCase{"AColourBombBreaksTheLine", {"22b22......."}, 7, 17, {"22b22......."}, 0},
        ClickCase{"FullRowClearsTwelve", {"111111111111"}, 17, 17, {"............"}, 12},
        ClickCase{"T", {".444........", "..4.........", "..4........."}, 8, 15, {"............", "............", "............"}, 5},
        // The plus's arms run four cells from the click; the gem beside the bottom arm stays.
        ClickCase{"PlusWithLongArms",
                  {"...5........", "...5........", "55555.......", "...5........", "...55......."},
                  9, 15,
                  {"............", "............", "............", "............", "....5......."},
                  9},
        ClickCase{"RisingDiagonal", {"....6.......", "...61.......", "..612......."}, 8, 17,
                  {"............", "....1.......", "...12......."}, 3},
        ClickCase{"FallingDiagonal", {"3...........", "13..........", "213........."}, 8, 17,
                  {"............", "1...........", "21.........."}, 3},
        // Walls end every run: a run along the left wall clears and stops there.
        ClickCase{"RunAgainstTheWall", {"444x........"}, 6, 17, {"...x........"}, 3}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(BoardTest, RefusedClicksChangeNothing) {
    Lay({"x1........22"});
    struct Case {
        int x, y;
        std::set<int> sound;
    };
    // A blocker, a lone gem, an empty cell, a wall and the floor, the pointer off the board.
    for (const Case& c : {Case{6, 17, {15}}, Case{7, 17, {5}}, Case{10, 17, {5}}, Case{5, 10, {5}}, Case{9, 18, {5}},
                          Case{30, 10, {5}}}) {
        Quiet();
        Click(c.x, c.y);
        EXPECT_EQ(Playing(), c.sound) << c.x << "," << c.y;
        EXPECT_EQ(Picture(1), std::vector<std::string>{"x1........22"});
        EXPECT_EQ(FallingGems(), 0);
    }
    // A gem in rows 1 and 2, where new gems enter, is ignored without a sound.
    Lay({"222........."}, 2);
    Quiet();
    Click(7, 2);
    EXPECT_TRUE(Playing().empty());
    EXPECT_EQ(Picture(1, 2), std::vector<std::string>{"222........."});
}

TEST_F(BoardTest, TheClickedValueComesFromTheCellTheClickNames) {
    // A pointer half a pixel short of column 9 lies in column 8 by its whole pixel but names
    // column 9 once rounded: the kind read and the cell cleared are both column 9's.
    Lay({"..1222......"});
    E().Mouse()->X(32 * 9 + 20 - 0.5f);
    E().Mouse()->Y(32 * 17 + 16 - 6);
    ClickBoard(false);
    EXPECT_EQ(Playing(), std::set<int>{2});
    EXPECT_EQ(Picture(1), std::vector<std::string>{"..1........."});
}

TEST_F(BoardTest, ProbeLightsWhatAClickWouldClearAndChangesNothing) {
    Lay({".4..........", "..4.........", "1114........"});
    PointAt(7, 17, false);
    device->ClearCalls();
    ClickBoard(true);
    // Three lights over the run, additive, at the cells' screen places; no sound, nothing moved.
    std::vector<plm::platform::Call> draws = device->CallsOf(plm::platform::CallKind::SpriteDraw);
    ASSERT_EQ(draws.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(draws[i].rect.left, media::kPreviewLight.x);
        EXPECT_EQ(draws[i].rect.top, media::kPreviewLight.y);
        EXPECT_EQ(draws[i].color >> 24, 150u);
        EXPECT_FLOAT_EQ(draws[i].floats[5], 32.0f * (6 + static_cast<float>(i)) + 20);
        EXPECT_FLOAT_EQ(draws[i].floats[6], 32.0f * 17 - 6);
    }
    EXPECT_TRUE(Playing().empty());
    EXPECT_EQ(Picture(3), (std::vector<std::string>{".4..........", "..4.........", "1114........"}));
    EXPECT_EQ(G().Board.MarkedCount, 0);
    EXPECT_EQ(E().Map()->ID1(6, 17, 1), 0);
    EXPECT_EQ(G().Session.Score, 0);
    // Probing a lone gem, a blocker or the space off the board draws nothing and stays silent.
    for (auto [x, y] : {std::pair{9, 15}, {12, 10}, {40, 10}}) {
        PointAt(x, y, false);
        device->ClearCalls();
        ClickBoard(true);
        EXPECT_TRUE(device->CallsOf(plm::platform::CallKind::SpriteDraw).empty()) << x;
        EXPECT_TRUE(Playing().empty()) << x;
    }
}

}  // namespace
