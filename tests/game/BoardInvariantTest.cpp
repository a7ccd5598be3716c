// Many random boards played by random clicks, incoming rows and frames of uneven length: no gem
// is ever lost or doubled between the map and the falling sprites, and every lifted gem lands.
#include <gtest/gtest.h>

#include <random>

#include "game/BoardFixture.h"
#include "game/IncomingRows.h"

namespace {

using plmtest::BoardTest;
using namespace tessaly;

class BoardInvariantTest : public BoardTest {
protected:
    // Gems on the board (rows 1..17) and gems in flight.
    static int Gems() {
        int n = FallingGems();
        for (int y = 1; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x) n += CellValue(x, y) > 0 ? 1 : 0;
        return n;
    }
    int SlotsWithGems() {
        int n = 0;
        for (const IncomingSlot& s : G().Incoming.IncomingSlots) n += s.Value >= 1 ? 1 : 0;
        return n;
    }
};

TEST_F(BoardInvariantTest, GemsAreConservedAndEveryLiftedGemLands) {
    std::mt19937 rng(20261210);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    G().Session.Level = 1;
    G().Session.RowInterval = 40;
    int clears = 0, drops = 0;
    for (int board = 0; board < 30; ++board) {
        WallBoard();
        G().Incoming.TopRowFull = false;
        G().Session.GemsLeft = 0;
        // Random rows of colour gems with holes, and a few gems hanging over holes.
        const int colours = pick(3, 6), top = pick(5, 12);
        for (int y = top; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x)
                if (pick(0, 9) > 0) E().Map()->Value(x, y, 1, KindFirstValue(pick(1, colours)));
        for (int r = 1; r <= 250; ++r)
            for (int c = 1; c <= 12; ++c) LevelRows(1, r, c, pick(0, 12) == 0 ? 0 : pick(1, colours));
        G().Session.RowIndex = pick(0, 249);
        ResetIncomingRow();
        StartFall(17, false);
        int gems = Gems();
        for (int frame = 0; frame < 400; ++frame) {
            E().Delta(static_cast<float>(pick(5, 50)));
            if (pick(0, 3) == 0) {
                const int before = G().Session.GemsLeft;
                Click(pick(6, 17), pick(3, 17));
                if (HasFatalFailure()) return;
                const int cleared = before - G().Session.GemsLeft;
                clears += cleared > 0 ? 1 : 0;
                gems -= cleared;
                ASSERT_EQ(Gems(), gems) << "board " << board << " frame " << frame << " click";
                ASSERT_EQ(G().Board.MarkedCount, 0);
            }
            if (pick(0, 30) == 0) HandleIncomingRowInstant();
            const int row = G().Session.RowIndex, incoming = SlotsWithGems();
            HandleIncomingRow();
            if (G().Session.RowIndex != row) {
                gems += incoming;
                ++drops;
            }
            UpdateFallingGems();
            E().Sprite()->Render();
            ASSERT_EQ(Gems(), gems) << "board " << board << " frame " << frame;
        }
        Settle(33, 1000);
        EXPECT_EQ(FallingGems(), 0) << "board " << board;
        EXPECT_EQ(Gems(), gems) << "board " << board;
        // Every gem rests on the floor or on another gem, and no cell is left marked.
        for (int x = 6; x <= 17; ++x)
            for (int y = 1; y <= 16; ++y) {
                if (CellValue(x, y) > 0) {
                    EXPECT_GT(CellValue(x, y + 1), 0) << x << "," << y;
                }
                EXPECT_EQ(E().Map()->ID1(x, y, 1), 0);
            }
    }
    EXPECT_GT(clears, 100);
    EXPECT_GT(drops, 30);
}

}  // namespace
