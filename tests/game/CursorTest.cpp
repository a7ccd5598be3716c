// The board's decorations: the pulsing cursor box, the hover preview through the click rules'
// probe mode, and the idle sparkle walking its shuffled cell list.
#include <gtest/gtest.h>

#include "core/EngineState.h"
#include "game/BoardFixture.h"
#include "game/Cursor.h"

namespace {

using plmtest::BoardTest;
using namespace tessaly;
using plm::platform::CallKind;

class CursorTest : public BoardTest {
protected:
    std::vector<plm::platform::Call> DrawsOf(const media::Rect& src) {
        std::vector<plm::platform::Call> out;
        for (const plm::platform::Call& c : device->CallsOf(CallKind::SpriteDraw))
            if (c.rect.left == src.x && c.rect.top == src.y && c.rect.right - c.rect.left == src.w) out.push_back(c);
        return out;
    }
    static int ExplosionCursor() { return plm::State().Explosions.ExplosionCursor(1); }
};

TEST_F(CursorTest, TheBoxFramesThePlayfieldCellAndItsAlphaPulsesBetween150And255) {
    plm::Map& map = *E().Map();
    E().Delta(100);
    PointAt(9, 12, false);
    std::vector<float> alphas;
    for (int f = 0; f < 6; ++f) {
        device->ClearCalls();
        DrawCursor();
        const auto draws = DrawsOf(media::kCursorBox);
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].rect.bottom - draws[0].rect.top, 40);
        EXPECT_FLOAT_EQ(draws[0].floats[5], 32.0f * 9 + map.ScreenX() - 4);
        EXPECT_FLOAT_EQ(draws[0].floats[6], 32.0f * 12 + map.ScreenY() - 4);
        EXPECT_EQ(draws[0].color >> 24, static_cast<uint32_t>(G().Cursor.CursorAlpha));
        alphas.push_back(G().Cursor.CursorAlpha);
    }
    // Up past 255 turns at once; down past 150 turns back.
    EXPECT_EQ(alphas, (std::vector<float>{255, 205, 155, 155, 205, 255}));
    EXPECT_EQ(G().Cursor.CursorPulse, 0.5f);

    // Off the playfield (walls, the entry rows, the floor, off the board) nothing is drawn and the
    // alpha keeps its value.
    for (auto [x, y] : {std::pair{5, 10}, {18, 10}, {9, 2}, {9, 1}, {9, 18}, {40, 10}}) {
        PointAt(x, y, false);
        device->ClearCalls();
        DrawCursor();
        EXPECT_TRUE(DrawsOf(media::kCursorBox).empty()) << x << "," << y;
        EXPECT_EQ(G().Cursor.CursorAlpha, 255);
    }
}

TEST_F(CursorTest, HoverPreviewLightsARunAndNothingElse) {
    Lay({"..........4.", "x.1.....2...", "1114....2..."}, 17);
    Lay({"333........."}, 1);
    struct Case {
        int x, y;
        size_t lights;
    };
    // A run of three, a lone gem, a blocker, an empty cell, the incoming row.
    for (const Case& c : {Case{7, 17, 3}, Case{9, 17, 0}, Case{6, 16, 0}, Case{12, 17, 0}, Case{7, 1, 0}}) {
        PointAt(c.x, c.y, false);
        Quiet();
        device->ClearCalls();
        UpdateHoverPreview();
        EXPECT_EQ(DrawsOf(media::kPreviewLight).size(), c.lights) << c.x << "," << c.y;
        EXPECT_TRUE(Playing().empty());
        EXPECT_EQ(G().Board.MarkedCount, 0);
    }
    EXPECT_EQ(Picture(3), (std::vector<std::string>{"..........4.", "x.1.....2...", "1114....2..."}));
}

TEST_F(CursorTest, SparkleWalksItsShuffledCellsAndOnlyColourGemsGlint) {
    ShuffleSparkleCells();
    for (int y = 3; y <= 17; ++y)
        for (int x = 6; x <= 17; ++x) E().Map()->Value(x, y, 1, KindFirstValue((x + y) % 6 + 1));
    const SparkleCell blocked = G().Levels.SparkleCells(3);
    E().Map()->Value(blocked.X, blocked.Y, 1, KindFirstValue(media::kBlocker));

    // The timer runs down first: nothing happens while it stays at 0 or above.
    G().Cursor.SparkleTimer = 100;
    E().Delta(20);
    for (int f = 0; f < 5; ++f) UpdateIdleSparkle();
    EXPECT_EQ(G().Levels.SparkleIndex, 0);
    UpdateIdleSparkle();
    EXPECT_EQ(G().Levels.SparkleIndex, 1);
    EXPECT_GE(G().Cursor.SparkleTimer, 50);
    EXPECT_LE(G().Cursor.SparkleTimer, 800);

    // Every later turn (Delta above the longest wait) takes the next cell: a glint sprite over its
    // gem or a burst; the blocker's turn and entries off the board show nothing; once sprites 11..20 are busy, bursts only.
    E().Delta(1000);
    int glints = E().Sprite()->GetHowManyOfTheseOn(kSparkleSpriteFirst, kSparkleSpriteLast, false);
    for (int turn = 2; turn <= 60; ++turn) {
        const int slot = ExplosionCursor();
        UpdateIdleSparkle();
        ASSERT_EQ(G().Levels.SparkleIndex, turn);
        const SparkleCell cell = G().Levels.SparkleCells(turn);
        const int on = E().Sprite()->GetHowManyOfTheseOn(kSparkleSpriteFirst, kSparkleSpriteLast, false);
        const int bursts = ExplosionCursor() - slot;
        // The list holds rows 2..17 among 300 entries: the rest name no playfield cell.
        if (turn == 3 || !InPlayfield(cell.X, cell.Y)) {
            EXPECT_EQ(on, glints);
            EXPECT_EQ(bursts, 0);
            continue;
        }
        ASSERT_EQ((on - glints) + bursts, 1) << turn;
        if (on > glints) {
            const int s = kSparkleSpriteFirst + glints;
            EXPECT_EQ(E().Sprite()->X(s), 32.0f * cell.X);
            EXPECT_EQ(E().Sprite()->Y(s), 32.0f * cell.Y);
            EXPECT_TRUE(E().Sprite()->Blend(s));
        }
        glints = on;
    }
    EXPECT_EQ(glints, 10);

    // After the list's last cell the walk starts over.
    G().Levels.SparkleIndex = 300;
    UpdateIdleSparkle();
    EXPECT_EQ(G().Levels.SparkleIndex, 1);
}

}  // namespace
