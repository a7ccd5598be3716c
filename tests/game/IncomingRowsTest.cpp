// The incoming row: previews on the row timer, the drop once the last preview has grown, the row
// called at once, the top-row test, slots left empty by the level, and the level's rows wrapping.
#include <gtest/gtest.h>

#include "game/BoardFixture.h"
#include "game/IncomingRows.h"
#include "platform/test/ScriptedInput.h"

namespace {

using plmtest::BoardTest;
using namespace tessaly;

class IncomingRowsTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        G().Session.Level = 1;
        G().Frame.InGame = true;
        // Row 1 of level 1: kinds 1..6 twice; row 2: all kind 3.
        for (int c = 1; c <= 12; ++c) {
            LevelRows(1, 1, c, (c - 1) % 6 + 1);
            LevelRows(1, 2, c, 3);
        }
        G().Session.RowInterval = 1000;
        G().Session.RowTimer = 1000;
        ResetIncomingRow();
    }
    // One frame of play: the row step, the falling gems, and the sprite pass that grows previews.
    void Frame(float delta) {
        E().Delta(delta);
        HandleIncomingRow();
        UpdateFallingGems();
        E().Sprite()->Render();
    }
    static int PreviewsOn() {
        return E().Sprite()->GetHowManyOfTheseOn(kPreviewSpriteFirst, kPreviewSpriteLast, false);
    }
};

TEST_F(IncomingRowsTest, PreviewsComeOnTheTimerAndTheRowDropsOnceTheLastHasGrown) {
    EXPECT_EQ(G().Session.RowIndex, 1);
    EXPECT_EQ(G().Incoming.IncomingSlots[4].Value, KindFirstValue(5));
    // One preview every 1000 ms, left to right, each growing from nothing at its cell's centre.
    int frame = 0;
    for (int shown = 1; shown <= 12; ++shown) {
        for (int k = 0; k < 10; ++k, ++frame) {
            Frame(100);
            ASSERT_EQ(G().Incoming.PreviewsShown, shown - 1) << frame;
        }
        Frame(100);
        ++frame;
        ASSERT_EQ(G().Incoming.PreviewsShown, shown);
        const int s = kPreviewSpriteFirst + shown - 1;
        ASSERT_TRUE(E().Sprite()->Enabled(s));
        EXPECT_EQ(E().Sprite()->X(s), 32 * (5 + shown) + 16);
        EXPECT_EQ(E().Sprite()->Y(s), 48);
        EXPECT_TRUE(E().SpriteEngine()->IsScaling(s));
    }
    EXPECT_EQ(Picture(1, 1), std::vector<std::string>{"............"});
    // The row waits while the last preview grows (0.001 a ms), then drops whole.
    int waited = 0;
    while (PreviewsOn() == 12 && waited < 50) {
        Frame(100);
        ++waited;
    }
    EXPECT_GE(waited, 10);
    EXPECT_LE(waited, 12);
    EXPECT_EQ(PreviewsOn(), 0);
    EXPECT_EQ(FallingGems(), 12);
    EXPECT_EQ(Playing(), std::set<int>{9});
    EXPECT_EQ(G().Session.RowIndex, 2);
    EXPECT_EQ(G().Incoming.PreviewsShown, 0);
    EXPECT_EQ(G().Incoming.IncomingSlots[0].Value, KindFirstValue(3));
    Settle();
    EXPECT_EQ(Picture(1), std::vector<std::string>{"123456123456"});
    EXPECT_TRUE(G().Frame.InGame);
}

TEST_F(IncomingRowsTest, ARowCalledAtOnceShowsEveryGemFullSizeAndDropsWhenTheTopIsClear) {
    for (int k = 0; k < 5 * 11; ++k) Frame(100);
    ASSERT_EQ(G().Incoming.PreviewsShown, 5);
    HandleIncomingRowInstant();
    EXPECT_EQ(G().Incoming.PreviewsShown, 12);
    EXPECT_EQ(G().Session.RowTimer, 0);
    EXPECT_EQ(PreviewsOn(), 12);
    for (int s = kPreviewSpriteFirst; s <= kPreviewSpriteLast; ++s) {
        EXPECT_FALSE(E().SpriteEngine()->IsScaling(s)) << s;
        EXPECT_EQ(E().Sprite()->Scaled(s), 1) << s;
    }
    // A gem still falling above pixel row 96 holds the row back.
    Lay({"....5......."}, 2);
    StartFall(17, false);
    Frame(16);
    EXPECT_EQ(PreviewsOn(), 12);
    Settle();
    Frame(16);
    EXPECT_EQ(PreviewsOn(), 0);
    EXPECT_EQ(FallingGems(), 12);
    // With the timer at 0 the next row's first preview comes at once.
    Frame(16);
    EXPECT_EQ(G().Incoming.PreviewsShown, 1);
}

TEST_F(IncomingRowsTest, AFullTopRowIsReportedWhenTheRowIsCompleteAndNothingDrops) {
    // A column reaching row 3 during the announcement changes nothing yet.
    for (int y = 3; y <= 17; ++y) E().Map()->Value(10, y, 1, KindFirstValue(y % 2 + 1));
    Frame(1001);
    EXPECT_FALSE(G().Incoming.TopRowFull);
    HandleIncomingRowInstant();
    Frame(16);
    EXPECT_TRUE(G().Incoming.TopRowFull);
    EXPECT_EQ(PreviewsOn(), 12);
    EXPECT_EQ(FallingGems(), 0);
    EXPECT_EQ(Picture(1, 1), std::vector<std::string>{"............"});
    EXPECT_EQ(G().Session.RowIndex, 1);
    // Cleared in time, the row drops normally.
    E().Map()->Value(10, 3, 1, 0);
    Frame(16);
    EXPECT_FALSE(G().Incoming.TopRowFull);
    EXPECT_EQ(FallingGems(), 12);
}

TEST_F(IncomingRowsTest, ASlotTheLevelLeavesEmptyShowsNothingAndDropsNothing) {
    LevelRows(1, 3, 4, 0);
    for (int c = 1; c <= 12; ++c)
        if (c != 4) LevelRows(1, 3, c, 6);
    G().Session.RowIndex = 2;
    ResetIncomingRow();
    for (int k = 0; k < 12 * 11; ++k) Frame(100);
    EXPECT_EQ(G().Incoming.PreviewsShown, 12);
    EXPECT_TRUE(G().Incoming.IncomingSlots[3].Shown);
    EXPECT_EQ(PreviewsOn(), 11);
    EXPECT_FALSE(E().Sprite()->Enabled(kPreviewSpriteFirst + 3));
    EXPECT_TRUE(G().Frame.InGame);
    for (int k = 0; k < 20 && PreviewsOn() > 0; ++k) Frame(100);
    EXPECT_EQ(FallingGems(), 11);
    Settle();
    EXPECT_EQ(Picture(1), std::vector<std::string>{"666.66666666"});
    // Called at once, the same row shows its eleven gems.
    G().Session.RowIndex = 2;
    ResetIncomingRow();
    HandleIncomingRowInstant();
    EXPECT_EQ(PreviewsOn(), 11);
    EXPECT_TRUE(G().Frame.InGame);
}

TEST_F(IncomingRowsTest, TheLevelsRowsComeAgainAfterTheLast) {
    G().Session.RowIndex = 250;
    ResetIncomingRow();
    EXPECT_EQ(G().Session.RowIndex, 1);
    EXPECT_EQ(G().Incoming.IncomingSlots[1].Value, KindFirstValue(2));
    EXPECT_EQ(G().Incoming.IncomingSlots[11].X, 17);
    EXPECT_EQ(G().Incoming.IncomingSlots[11].Y, 1);
}

}  // namespace
