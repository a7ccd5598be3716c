// Backing plates, the board shake, the fireworks and the wipe in the headless game.
#include <set>
#include <utility>
#include <vector>

#include "FxFixture.h"
#include "core/Convert.h"
#include "core/EngineState.h"
#include "game/BoardFx.h"

namespace {

using plm::platform::Call;
using tessaly::E;
using tessaly::Game;
namespace media = tessaly::media;

class BoardFxTest : public plmtest::FxTest {
protected:
    static void Put(int x, int y, int value) {
        E().Map()->Value(static_cast<float>(x), static_cast<float>(y), 1, static_cast<float>(value));
    }
    static int At(int x, int y) { return plm::Int(E().Map()->Value(static_cast<float>(x), static_cast<float>(y), 1)); }

    // A plate draw: its source and where its top-left corner lands.
    struct Plate {
        int srcX, srcY, w, h;
        float x, y;
        uint32_t alpha;
        bool operator==(const Plate&) const = default;
    };
    std::vector<Plate> Plates() const {
        std::vector<Plate> v;
        for (const Call& c : Draws())
            v.push_back({c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top, c.floats[5],
                          c.floats[6], c.color >> 24});
        return v;
    }
    static Plate PlateOf(int kind, float x, float y, uint32_t alpha = 255) {
        const media::Rect r = media::BackingPlate(kind);
        return {r.x, r.y, r.w, r.h, x, y, alpha};
    }
};

TEST_F(BoardFxTest, BoardGemsOfKinds1To19GetAPlateCentredOnTheirCell) {
    Put(6, 2, tessaly::KindFirstValue(1));
    Put(17, 17, tessaly::KindFirstValue(19));
    Put(10, 9, tessaly::KindFirstValue(7) + 12);  // a bomb in an animation frame
    Put(7, 3, media::kCheckerTile);
    Put(8, 3, media::kCheckerTile + 1);
    Put(9, 3, media::kWallTile);
    Put(9, 1, tessaly::KindFirstValue(2));   // the incoming row gets none
    Put(5, 10, tessaly::KindFirstValue(2));  // nor a cell beside the board
    E().Map()->ScreenX(22);
    E().Map()->ScreenY(-4);
    Frame(16, [] { tessaly::RenderCellMarks(); });
    // Row by row: cell (X, Y) centred at (32 X + 16 + 22, 32 Y + 16 - 4), the 48 x 48 plate 24 up and left.
    EXPECT_EQ(Plates(), (std::vector<Plate>{PlateOf(1, 6 * 32 + 14, 2 * 32 - 12), PlateOf(7, 10 * 32 + 14, 9 * 32 - 12),
                                            PlateOf(19, 17 * 32 + 14, 17 * 32 - 12)}));
}

TEST_F(BoardFxTest, FallingGemsGetAPlateAtTheirOwnAlpha) {
    plm::Sprite& s = *E().Sprite();
    auto falling = [&](int sprite, int kind, float x, float y, int id2) {
        s.Activate(sprite, x, y, 1, 0, 0, 0, 0, 32, 32, true, true);
        s.ID1(sprite, tessaly::KindFirstValue(kind));
        s.ID2(sprite, id2);
    };
    falling(21, 3, 200, 100, 0);
    s.Alpha(21, 128);
    falling(22, 4, 300, 100, 1);   // a flying tile of a board-clear effect
    falling(23, 5, 300, 200, 0);
    s.Enabled(23, false);
    falling(24, 20, 300, 300, 0);  // a falling checker or wall tile has no plate to read
    falling(25, 21, 300, 400, 0);
    falling(20, 6, 300, 500, 0);   // a sparkle copy, outside the falling range
    falling(224, 18, 400.5f, 60, 0);
    Frame(16, [] { tessaly::RenderSpriteMarks(); });
    EXPECT_EQ(Plates(), (std::vector<Plate>{PlateOf(3, 200 + 16 + 20 - 24, 100 + 16 - 6 - 24, 128),
                                            PlateOf(18, 412, 60 + 16 - 6 - 24)}));
}

TEST_F(BoardFxTest, TheShakeJumpsAroundTheRestPositionAndEndsExactlyOnIt) {
    struct Case {
        float timer, delta;
        int shakenFrames;
    };
    // 100 ms at 30 ms a frame: three shaken frames, the fourth ends it. A negative timer still
    // runs one frame, then rests.
    for (const Case& c : {Case{100, 30, 3}, Case{-5, 16, 0}, Case{1000, 16, 62}}) {
        SCOPED_TRACE(c.timer);
        Game().Fx.ShakeTimer = c.timer;
        std::set<std::pair<int, int>> seen;
        for (int f = 0; f < c.shakenFrames; ++f) {
            Frame(c.delta, [] { tessaly::ShakeBoard(); });
            const int x = E().Map()->ScreenX(), y = E().Map()->ScreenY();
            EXPECT_TRUE(x >= 18 && x <= 22 && y >= -8 && y <= -4) << x << "," << y;
            seen.insert({x, y});
            EXPECT_NE(Game().Fx.ShakeTimer, 0);
        }
        if (c.shakenFrames > 50) {
            EXPECT_GT(seen.size(), 10u) << "the board jumps about";
        }
        Frame(c.delta, [] { tessaly::ShakeBoard(); });
        EXPECT_EQ(Game().Fx.ShakeTimer, 0);
        EXPECT_EQ(E().Map()->ScreenX(), 20);
        EXPECT_EQ(E().Map()->ScreenY(), -6);
        E().Map()->ScreenX(3);
        Frame(c.delta, [] { tessaly::ShakeBoard(); });
        EXPECT_EQ(E().Map()->ScreenX(), 3) << "no shake, no move";
    }
}

TEST_F(BoardFxTest, FireworksBurstFromTheFirstFrameUntilTheirTimerEnds) {
    plm::ExplosionPool& pool = plm::State().Explosions;
    Game().Fx.FireworksTimer = 3000;
    Frame(16, [] { tessaly::RenderFireworks(); });
    EXPECT_EQ(pool.ExplosionCursor(2), 1) << "the first burst on the first frame, in group 2";
    EXPECT_EQ(pool.ExplosionCursor(1), 0);
    EXPECT_EQ(Game().Fx.FireworksSound, 1) << "sample 4 first";
    EXPECT_GE(Game().Fx.FireworksDelay, 0);
    EXPECT_LE(Game().Fx.FireworksDelay, 500);
    const plm::ExplosionRecord& first = pool.ExplosionTable(pool.ExplosionsToWrap + 1);
    EXPECT_TRUE(first.Running);
    EXPECT_EQ(first.SourceMode, 5);
    EXPECT_EQ(first.DestinationMode, 2);

    int bursts = 1, frames = 1;
    int sound = Game().Fx.FireworksSound;
    while (Game().Fx.FireworksTimer > 0 && frames < 1000) {
        const int before = pool.ExplosionCursor(2);
        Frame(16, [] { tessaly::RenderFireworks(); });
        ++frames;
        if (pool.ExplosionCursor(2) != before) {
            ++bursts;
            EXPECT_EQ(Game().Fx.FireworksSound, 1 - sound) << "the two samples in turn";
            sound = Game().Fx.FireworksSound;
        }
    }
    EXPECT_EQ(frames, 188);  // 3000 ms of 16 ms frames: the timer falls below 1 on the 188th
    EXPECT_GE(bursts, 6);
    const int last = pool.ExplosionCursor(2);
    for (int f = 0; f < 100; ++f) Frame(16, [] { tessaly::RenderFireworks(); });
    EXPECT_EQ(pool.ExplosionCursor(2), last) << "no burst once the timer has ended";
}

TEST_F(BoardFxTest, TheWipeEmptiesTheBoardAndLaysItsWallsAndFloor) {
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 25; ++x) Put(x, y, 1 + (x + y) % 40);
    E().Map()->SetAnimating(8, 8, 0.01f, 1, 31, 0, 0, 1);
    ASSERT_TRUE(plm::State().Map.FindCell(1, 8, 8)->IsAnimating);
    tessaly::WipeBoard();
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 25; ++x) {
            const bool wall = (x == 5 || x == 18) && y <= 16;
            const bool floor = y == 18 && x >= 6 && x <= 17;
            EXPECT_EQ(At(x, y), wall || floor ? media::kWallTile : 0) << x << "," << y;
        }
    EXPECT_FALSE(plm::State().Map.FindCell(1, 8, 8)->IsAnimating);
}

}  // namespace
