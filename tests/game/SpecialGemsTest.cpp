// The special gems' click rules on full and sparse boards: the cells each marks (read from the
// hover preview's lights, in marking order), and what a real click adds: the clear, the score,
// the sounds, the shake and the explosions (read from the explosion pool).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "core/EngineState.h"
#include "game/BoardFixture.h"
#include "game/SpecialGems.h"
#include "sprites/ExplosionProcs.h"

namespace {

using plmtest::BoardTest;
using namespace tessaly;
using Cells = std::vector<std::pair<int, int>>;

struct Burst {
    float delay;
    int red, green, blue;
};

class SpecialGemsTest : public BoardTest {
protected:
    static void Put(int x, int y, int kind) { E().Map()->Value(x, y, 1, KindFirstValue(kind)); }
    // Every playfield cell holds a colour gem, in a pattern with runs nowhere that matter.
    static void FillBoard() {
        for (int y = 3; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x) Put(x, y, (x + 2 * y) % 6 + 1);
    }
    static std::vector<int> Values() {
        std::vector<int> v;
        for (int y = 1; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x) v.push_back(CellValue(x, y));
        return v;
    }
    static bool NoCellMarked() {
        for (int y = 1; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x)
                if (E().Map()->ID1(x, y, 1) != 0) return false;
        return true;
    }
    // The cells the hover preview lights with the pointer over (x, y), in drawing order.
    Cells Lit(int x, int y) {
        PointAt(x, y, false);
        device->ClearCalls();
        ClickBoard(true);
        Cells cells;
        plm::Map& map = *E().Map();
        for (const plm::platform::Call& c : device->CallsOf(plm::platform::CallKind::SpriteDraw))
            if (c.rect.left == media::kPreviewLight.x && c.rect.top == media::kPreviewLight.y)
                cells.emplace_back(static_cast<int>(c.floats[5] - map.ScreenX()) / 32,
                                   static_cast<int>(c.floats[6] - map.ScreenY()) / 32);
        return cells;
    }
    static int ExplosionCursor() { return plm::State().Explosions.ExplosionCursor(1); }
    // The preset explosions (on the particle texture) group 1 took since slot `from`.
    static std::vector<Burst> PresetsSince(int from) {
        std::vector<Burst> out;
        for (int s = from + 1; s <= ExplosionCursor(); ++s) {
            const plm::ExplosionRecord* r = plm::ExplosionSlot(1, s);
            if (r == nullptr || r->TextureIndex != plm::State().Explosions.PFXTexture) continue;
            out.push_back({r->StartDelay, r->Nodes[1].Red, r->Nodes[1].Green, r->Nodes[1].Blue});
        }
        return out;
    }
    // Clicks (x, y) and returns the preset explosions it started.
    std::vector<Burst> ClickAndWatch(int x, int y) {
        const int from = ExplosionCursor();
        Click(x, y);
        return PresetsSince(from);
    }
};

// The blast mask's diamond: half-widths 0, 1, 2, 3, 3, 3, 2, 1, 0 from dy = -4 to 4.
bool InDiamond(int dx, int dy) {
    constexpr int half[9] = {0, 1, 2, 3, 3, 3, 2, 1, 0};
    return dy >= -4 && dy <= 4 && std::abs(dx) <= half[dy + 4];
}

TEST_F(SpecialGemsTest, BombClearsTheBlastDiamondCutByTheWalls) {
    struct Case {
        int x, y;
        size_t cells;
    };
    // The middle, the left wall, the top of the playfield, the bottom-right corner.
    for (const Case& c : {Case{11, 10, 39}, Case{6, 10, 24}, Case{11, 3, 23}, Case{17, 17, 14}}) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        FillBoard();
        Put(c.x, c.y, media::kBomb);
        const Cells lit = Lit(c.x, c.y);
        ASSERT_EQ(lit.size(), c.cells);
        EXPECT_EQ(lit.front(), std::make_pair(c.x, c.y));  // the bomb first
        for (auto [x, y] : lit) EXPECT_TRUE(InPlayfield(x, y) && InDiamond(x - c.x, y - c.y)) << x << "," << y;
        Cells sorted = lit;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_TRUE(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());

        Quiet();
        G().Session.Score = 0;
        G().Session.GemsLeft = 100;
        G().Fx.ShakeTimer = 0;
        G().Scoring.Multiplier = 0;
        const std::vector<Burst> bursts = ClickAndWatch(c.x, c.y);
        EXPECT_EQ(Playing(), (std::set<int>{2, 6}));
        EXPECT_EQ(G().Fx.ShakeTimer, 800);
        ASSERT_EQ(bursts.size(), 2u);
        EXPECT_EQ(bursts[0].delay, 0);
        EXPECT_EQ(bursts[1].delay, 300);
        EXPECT_EQ(G().Session.Score, 10 * static_cast<int>(c.cells));
        EXPECT_EQ(G().Session.GemsLeft, 100 - static_cast<int>(c.cells));
        EXPECT_EQ(G().Board.MarkedCount, 0);
        EXPECT_TRUE(NoCellMarked());
        Settle();
    }
}

TEST_F(SpecialGemsTest, ColourBombTakesEveryGemOfItsColourInBoardOrderWithItsTint) {
    // Colour 4 (kind 11) at (10, 12); colour-4 gems scattered, another colour-4 bomb that stays.
    Put(10, 12, media::kColourBomb1 + 3);
    const Cells fours{{15, 4}, {7, 9}, {16, 9}, {6, 17}, {12, 17}};
    for (auto [x, y] : fours) Put(x, y, 4);
    Put(8, 16, 3);
    Put(9, 16, media::kColourBomb1 + 3);
    Cells want{{10, 12}};
    want.insert(want.end(), fours.begin(), fours.end());
    EXPECT_EQ(Lit(10, 12), want);

    G().Session.GemsLeft = 100;
    const std::vector<Burst> bursts = ClickAndWatch(10, 12);
    EXPECT_EQ(Playing(), (std::set<int>{2, 6}));
    EXPECT_EQ(G().Fx.ShakeTimer, 400);
    ASSERT_EQ(bursts.size(), 2u);
    for (const Burst& b : bursts) {
        EXPECT_EQ(b.delay, 0);
        EXPECT_EQ(std::tie(b.red, b.green, b.blue), std::make_tuple(91, 146, 255));
    }
    EXPECT_EQ(G().Session.Score, 60);
    EXPECT_EQ(G().Session.GemsLeft, 94);
    Settle();
    for (auto [x, y] : fours) EXPECT_NE(CellKind(x, y), 4) << x << "," << y;
    EXPECT_EQ(CellKind(8, 17), 3);
    EXPECT_EQ(CellKind(9, 17), media::kColourBomb1 + 3);

    // With no gem of its colour left the bomb clears itself alone: shake, bursts, sounds, no score.
    Quiet();
    G().Fx.ShakeTimer = 0;
    Put(12, 10, media::kColourBomb1);  // colour 1
    EXPECT_EQ(ClickAndWatch(12, 10).size(), 2u);
    EXPECT_EQ(G().Fx.ShakeTimer, 400);
    EXPECT_EQ(Playing(), (std::set<int>{2, 6}));
    EXPECT_EQ(CellValue(12, 10), 0);
    EXPECT_EQ(G().Session.Score, 60);
    EXPECT_EQ(G().Session.GemsLeft, 94);
}

struct LineCase {
    const char* name;
    int kind, x, y;
    std::function<bool(int, int)> onLine;  // for cell (x, y) of the board
    std::pair<int, int> first, last;       // the first and the last cell lit
    size_t explosions;
    float lastDelay;
};

class LineGemTest : public SpecialGemsTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineGemTest, MarksItsWholeLinesAndSweepsThemWithExplosions) {
    const LineCase& c = GetParam();
    FillBoard();
    Put(c.x, c.y, c.kind);
    const Cells lit = Lit(c.x, c.y);
    Cells want;
    for (int y = 3; y <= 17; ++y)
        for (int x = 6; x <= 17; ++x)
            if (c.onLine(x, y)) want.push_back({x, y});
    Cells sorted = lit;
    std::sort(sorted.begin(), sorted.end(), [](auto a, auto b) { return std::tie(a.second, a.first) < std::tie(b.second, b.first); });
    EXPECT_EQ(sorted, want);
    ASSERT_FALSE(lit.empty());
    EXPECT_EQ(lit.front(), c.first);
    EXPECT_EQ(lit.back(), c.last);

    G().Session.GemsLeft = 200;
    const std::vector<Burst> bursts = ClickAndWatch(c.x, c.y);
    EXPECT_EQ(Playing(), (std::set<int>{2, 14}));
    EXPECT_EQ(G().Fx.ShakeTimer, 0);
    ASSERT_EQ(bursts.size(), c.explosions);
    EXPECT_EQ(bursts.back().delay, c.lastDelay);
    for (const Burst& b : bursts) EXPECT_EQ(b.red, bursts.front().red);  // the style's own colour
    EXPECT_EQ(G().Session.Score, 10 * static_cast<int>(want.size()));
    EXPECT_EQ(G().Session.GemsLeft, 200 - static_cast<int>(want.size()));
    EXPECT_TRUE(NoCellMarked());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineGemTest,
    ::testing::Values(
        LineCase{"Row", media::kRowGem, 9, 12, [](int, int y) { return y == 12; }, {6, 12}, {17, 12}, 12, 260},
        LineCase{"Column", media::kColumnGem, 9, 12, [](int x, int) { return x == 9; }, {9, 3}, {9, 17}, 15, 300},
        LineCase{"CrossTopLeft", media::kCrossGem, 6, 3, [](int x, int y) { return x == 6 || y == 3; }, {6, 3},
                 {17, 3}, 27, 260},
        LineCase{"CrossBottomRight", media::kCrossGem, 17, 17, [](int x, int y) { return x == 17 || y == 17; },
                 {17, 3}, {16, 17}, 27, 260},
        // A corner's falling diagonal is the gem itself; its rising one crosses the board.
        LineCase{"DiagonalBottomLeft", media::kDiagonalGem, 6, 17,
                 [](int x, int y) { return x - y == 6 - 17 || x + y == 23; }, {6, 17}, {17, 6}, 13, 220},
        LineCase{"DiagonalTopRight", media::kDiagonalGem, 17, 3,
                 [](int x, int y) { return x - y == 14 || x + y == 20; }, {17, 3}, {16, 4}, 13, 220},
        LineCase{"DiagonalMiddle", media::kDiagonalGem, 11, 10,
                 [](int x, int y) { return x - y == 1 || x + y == 21; }, {6, 5}, {17, 4}, 24, 220}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST_F(SpecialGemsTest, RowGemAloneClearsItselfAndTheBlockerBesideIt) {
    Put(9, 17, media::kRowGem);
    G().Session.GemsLeft = 50;
    const std::vector<Burst> bursts = ClickAndWatch(9, 17);
    EXPECT_EQ(bursts.size(), 12u);
    EXPECT_EQ(bursts.front().delay, 40);
    EXPECT_EQ(Playing(), (std::set<int>{2, 14}));
    EXPECT_EQ(CellValue(9, 17), 0);
    EXPECT_EQ(G().Session.Score, 0);
    EXPECT_EQ(G().Session.GemsLeft, 50);
    EXPECT_EQ(G().Scoring.Multiplier, 0);

    Lay({"x..r......x1"});
    Click(9, 17);
    Settle();
    EXPECT_EQ(Picture(1), std::vector<std::string>{"............"});
    EXPECT_EQ(G().Session.Score, 40);
}

TEST_F(SpecialGemsTest, ShuffleKeepsEveryGemButItselfAndLeavesItsCellEmpty) {
    for (int y = 9; y <= 17; ++y)
        for (int x = 6; x <= 17; ++x) {
            const int kind = (x * 7 + y * 3) % 20;  // colour gems, specials, blockers and holes
            if (kind != media::kShuffleGem) Put(x, y, kind);
        }
    Put(11, 9, media::kShuffleGem);
    auto kinds = [] {
        std::map<int, int> now;
        for (int y = 1; y <= 17; ++y)
            for (int x = 6; x <= 17; ++x)
                if (CellKind(x, y) > 0) now[CellKind(x, y)] += 1;
        for (int s = kFallingGemFirst; s <= kFallingGemLast; ++s)
            if (E().Sprite()->Enabled(s)) now[TileKind(E().Sprite()->ID1(s))] += 1;
        return now;
    };
    std::map<int, int> before = kinds();
    ASSERT_EQ(before[media::kShuffleGem], 1);
    before.erase(media::kShuffleGem);
    const std::vector<int> board = Values();
    Click(11, 9);
    EXPECT_EQ(Playing(), std::set<int>{16});
    EXPECT_NE(Values(), board);
    EXPECT_EQ(kinds(), before);
    EXPECT_EQ(G().Session.Score, 0);
    EXPECT_TRUE(NoCellMarked());
    Settle();
    EXPECT_EQ(FallingGems(), 0);
    EXPECT_EQ(kinds(), before);
}

TEST_F(SpecialGemsTest, ProbeOfEveryKindChangesNothing) {
    for (int kind = media::kBomb; kind <= media::kBlocker; ++kind) {
        SCOPED_TRACE(kind);
        FillBoard();
        Put(11, 10, kind);
        const std::vector<int> board = Values();
        Quiet();
        G().Fx.ShakeTimer = 0;
        const int from = ExplosionCursor();
        const Cells lit = Lit(11, 10);
        EXPECT_EQ(lit.empty(), kind == media::kBlocker);
        if (kind == media::kShuffleGem) {
            EXPECT_EQ(lit, (Cells{{11, 10}}));
        }
        EXPECT_EQ(Values(), board);
        EXPECT_TRUE(Playing().empty());
        EXPECT_EQ(G().Fx.ShakeTimer, 0);
        EXPECT_EQ(ExplosionCursor(), from);
        EXPECT_EQ(FallingGems(), 0);
        EXPECT_EQ(G().Board.MarkedCount, 0);
        EXPECT_TRUE(NoCellMarked());
        EXPECT_EQ(G().Session.Score, 0);
    }
}

}  // namespace
