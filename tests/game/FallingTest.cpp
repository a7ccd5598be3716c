// Falling gems: the lift into sprites with their accelerations, the landing frame, stacking
// without overlap, the landing animations, and the queries other rules ask.
#include <gtest/gtest.h>

#include "game/BoardFixture.h"
#include "game/Falling.h"

namespace {

using plmtest::BoardTest;
using namespace tessaly;

using FallingTest = BoardTest;

TEST_F(FallingTest, AGemOverTheFloorLandsOnTheFrameItsAccelerationGives) {
    E().Map()->Value(6, 16, 1, KindFirstValue(4) + 7);  // a gem showing a later frame
    StartFall(17, false);
    EXPECT_EQ(CellValue(6, 16), 0);
    ASSERT_TRUE(E().Sprite()->Enabled(21));
    EXPECT_EQ(E().Sprite()->X(21), 192);
    EXPECT_EQ(E().Sprite()->Y(21), 512);
    EXPECT_EQ(E().Sprite()->ID1(21), KindFirstValue(4));
    EXPECT_EQ(E().Sprite()->ID2(21), 0);
    EXPECT_FLOAT_EQ(E().Sprite()->data(21, 2), 0.002f);
    // At 10 ms a frame the top after k frames is 512 + 0.1 k (k - 1); the point 32 below it
    // reaches the floor (row 18, pixel 576) when that is 32 or more: frame 19 (k (k - 1) = 342).
    E().Delta(10);
    for (int k = 1; k <= 18; ++k) {
        UpdateFallingGems();
        ASSERT_TRUE(E().Sprite()->Enabled(21)) << "landed early, frame " << k;
    }
    EXPECT_TRUE(Playing().empty());
    UpdateFallingGems();
    EXPECT_FALSE(E().Sprite()->Enabled(21));
    EXPECT_EQ(CellValue(6, 17), KindFirstValue(4));
    EXPECT_TRUE(E().Map()->IsAnimating(6, 17, 1));
    EXPECT_EQ(Playing(), std::set<int>{1});
}

TEST_F(FallingTest, StackedGemsFallTogetherWithoutOverlapping) {
    Lay({"1...........", "2...........", "3...........", "............"});
    StartFall(17, false);
    // Lifted bottom first, one sprite each, each accelerating less than the one below it.
    ASSERT_EQ(FallingGems(), 3);
    EXPECT_FLOAT_EQ(E().Sprite()->data(21, 2), 0.004f / 2);
    EXPECT_FLOAT_EQ(E().Sprite()->data(22, 2), 0.004f / 4);
    EXPECT_FLOAT_EQ(E().Sprite()->data(23, 2), 0.004f / 6);
    EXPECT_EQ(Picture(4), (std::vector<std::string>{"............", "............", "............", "............"}));
    E().Delta(16);
    for (int frame = 0; frame < 500 && FallingGems() > 0; ++frame) {
        UpdateFallingGems();
        for (int a = 21; a <= 23; ++a)
            for (int b = a + 1; b <= 23; ++b)
                if (E().Sprite()->Enabled(a) && E().Sprite()->Enabled(b)) {
                    EXPECT_GE(std::abs(E().Sprite()->Y(a) - E().Sprite()->Y(b)), 32.0f - 1) << frame;
                }
    }
    EXPECT_EQ(FallingGems(), 0);
    EXPECT_EQ(Picture(4), (std::vector<std::string>{"............", "1...........", "2...........", "3..........."}));
}

TEST_F(FallingTest, LandedGemsAnimateByTheirKind) {
    struct Case {
        int kind;
        bool animates;
        float end, style;
    };
    for (const Case& c : {Case{2, true, 30, 0}, Case{7, true, 30, 0}, Case{14, true, 15, 3}, Case{18, true, 15, 0},
                          Case{19, false, 0, 0}}) {
        WallBoard();
        E().Map()->Value(9, 16, 1, KindFirstValue(c.kind));
        StartFall(17, false);
        Settle();
        EXPECT_EQ(CellKind(9, 17), c.kind);
        EXPECT_EQ(E().Map()->IsAnimating(9, 17, 1), c.animates) << c.kind;
        if (!c.animates) continue;
        const plm::MapCell* cell = plm::State().Map.FindCell(1, 9, 17);
        EXPECT_EQ(cell->AnimEnd, KindFirstValue(c.kind) + c.end) << c.kind;
        EXPECT_EQ(cell->AnimStyle, c.style) << c.kind;
    }
}

TEST_F(FallingTest, WithEverySpriteBusyTheGemWaitsForALaterFall) {
    for (int s = 21; s <= 224; ++s) E().Sprite()->Activate(s, 0, 0, 1, 0, 0, 0, 0, 32, 32, true, true);
    E().Map()->Value(10, 16, 1, 1);
    StartFall(17, false);
    EXPECT_EQ(CellValue(10, 16), 1);
    E().Sprite()->TurnOff(100, true, true);
    StartFall(17, false);
    EXPECT_EQ(CellValue(10, 16), 0);
    EXPECT_TRUE(E().Sprite()->Enabled(100));
    EXPECT_EQ(E().Sprite()->ID1(100), 1);
}

TEST_F(FallingTest, QueriesSeeGemsNearTheTopAndOverACell) {
    Lay({"5..........."}, 1);
    StartFall(17, false);
    ASSERT_EQ(FallingGems(), 1);
    EXPECT_TRUE(IsGemFallingNearTop());
    EXPECT_TRUE(IsFallingGemOverCell(192, 32));
    EXPECT_TRUE(IsFallingGemOverCell(192 + 31, 32 + 31));
    EXPECT_FALSE(IsFallingGemOverCell(192 + 32, 32));
    E().Sprite()->Y(21, 96);
    EXPECT_FALSE(IsGemFallingNearTop());
    // A sprite the board-clear effects borrowed is not a falling gem: it neither moves nor lands.
    E().Sprite()->ID2(21, 1);
    E().Delta(16);
    for (int k = 0; k < 100; ++k) UpdateFallingGems();
    EXPECT_EQ(E().Sprite()->Y(21), 96);
}

TEST_F(FallingTest, FadeInStartsTheLiftedGemsTransparent) {
    Lay({"1...........", "............"});
    StartFall(17, true);
    EXPECT_EQ(E().Sprite()->Alpha(21), 0);
}

}  // namespace
