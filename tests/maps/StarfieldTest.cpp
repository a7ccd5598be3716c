// The star set: depth steps, movement and re-entry at the opposite side, the three drawing modes,
// spin, colours, the blend cache and the limits of Init.
#include <cmath>

#include "SceneryFixture.h"
#include "core/DrawProcs.h"
#include "maps/Starfield.h"

namespace {

using plm::State;
namespace pf = plm::platform;

class StarfieldTest : public plmtest::SceneryTest {
protected:
    void SetUp() override {
        SceneryTest::SetUp();
        clock->SetStepPerRead(1);  // Init waits a millisecond a star
        tex = Load(2, 64, 16);
        State().Delta = 10;
    }
    // 20 stars of 8 x 6 frames (4 frames from (1, 2)) over (0, 0)-(200, 100).
    void Init20(bool rgb = false, bool rotate = false) { stars.Init(2, 1, 2, 8, 6, 4, 1, 0, 0, 200, 100, rgb, rotate); }
    plm::StarRecord& Star(int i) { return State().Stars.StarTable(i); }
    // Puts every star but `keep` out of the way (speed 0 in the middle) and star `keep` at (x, y).
    void Only(int keep, float x, float y, float speed) {
        for (int i = 1; i <= stars.Total(); ++i) {
            stars.X(i, 100);
            stars.Y(i, 50);
            stars.Speed(i, 0);
        }
        stars.X(keep, x);
        stars.Y(keep, y);
        stars.Speed(keep, speed);
    }
    plm::Starfield stars;
    pf::SurfaceId tex = 0;
};

TEST_F(StarfieldTest, InitSpreadsTheStarsOverTwentyDepthStepsInsideTheRoundedRectangle) {
    const uint32_t before = clock->Peek();
    stars.Init(2, 0, 0, 8, 6, 4, 10, 10.5f, 20.5f, 100.5f, 51.5f, false, false);
    ASSERT_EQ(stars.Total(), 200);
    EXPECT_GE(clock->Peek() - before, 200u);  // a millisecond a star
    const plm::StarSet& s = State().Stars;
    EXPECT_EQ(s.StarXMin, 10);  // halves to even
    EXPECT_EQ(s.StarYMin, 20);
    EXPECT_EQ(s.StarXMax, 100);
    EXPECT_EQ(s.StarYMax, 52);
    for (int i = 1; i <= 200; ++i) {
        const double depth = (i - 1) * 20.0 / 200;
        EXPECT_NEAR(stars.Speed(i), depth * 0.001 + 0.02, 1e-5) << i;
        EXPECT_NEAR(stars.Scaled(i), depth * 0.07625 + 0.5, 1e-4) << i;
        EXPECT_GE(stars.X(i), 10);
        EXPECT_LE(stars.X(i), 100);
        EXPECT_GE(stars.Y(i), 20);
        EXPECT_LE(stars.Y(i), 52);
        EXPECT_GE(Star(i).Frame, 0);
        EXPECT_LE(Star(i).Frame, 3);
        EXPECT_EQ(Star(i).Color, 0xFFFFFFFFu);
        EXPECT_EQ(Star(i).Rotation, 0);
    }
    EXPECT_FLOAT_EQ(stars.Speed(1), 0.02f);
    EXPECT_FLOAT_EQ(stars.Scaled(1), 0.5f);
    EXPECT_LT(stars.Speed(200), 0.04f);
    EXPECT_LT(stars.Scaled(200), 2.025f);
}

TEST_F(StarfieldTest, InitCountsTotalsBelowOneAsOneAndRefusesATotalThatWouldOverflow) {
    stars.Init(2, 0, 0, 8, 6, 4, 0, 0, 0, 10, 10, false, false);
    EXPECT_EQ(stars.Total(), 20);
    stars.Init(2, 0, 0, 8, 6, 4, -7, 0, 0, 10, 10, false, false);
    EXPECT_EQ(stars.Total(), 20);
    stars.X(3, 7.5f);
    // 20 x 2^31 / 10 overflows 32 bits and would wait for weeks: refused, the old set stays.
    stars.Init(2, 0, 0, 8, 6, 4, 214748364, 0, 0, 500, 500, false, false);
    stars.Init(2, 0, 0, 8, 6, 4, plm::kMaxStarTotal20 + 1, 0, 0, 500, 500, false, false);
    EXPECT_EQ(stars.Total(), 20);
    EXPECT_EQ(stars.X(3), 7.5f);
    EXPECT_EQ(State().Stars.StarXMax, 10);
    auto log = Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(plmtest::Undated(log[1]), "Total20 passed to Starfield.Init above 3276.");
}

TEST_F(StarfieldTest, StarsLeavingTheRectangleComeBackExactlyAtTheOppositeSide) {
    Init20();
    struct Case {
        float x, y, xDir, yDir;
        bool wrapsX, wrapsY;
        float endX, endY;  // the side it comes back on; the other axis is random
    };
    for (const Case& c : std::vector<Case>{
             {199, 50, 1000, 0, true, false, 0, 0},     // far past the right side: overshoot dropped
             {1, 50, -1000, 0, true, false, 200, 0},    // past the left
             {100, 99, 0, 1000, false, true, 0, 0},     // past the bottom
             {100, 1, 0, -1000, false, true, 0, 100},   // past the top
             {200, 100, 0, 0, false, false, 200, 100},  // on the corner: stays
             {0, 0, 0, 0, false, false, 0, 0},
         }) {
        Only(5, c.x, c.y, 0.02f);
        stars.Render(c.xDir, c.yDir, false);
        if (c.wrapsX) {
            EXPECT_EQ(stars.X(5), c.endX) << c.x;
            EXPECT_GE(stars.Y(5), 0);
            EXPECT_LE(stars.Y(5), 100);
        } else if (c.wrapsY) {
            EXPECT_EQ(stars.Y(5), c.endY) << c.y;
            EXPECT_GE(stars.X(5), 0);
            EXPECT_LE(stars.X(5), 200);
        } else {
            EXPECT_EQ(stars.X(5), c.endX);
            EXPECT_EQ(stars.Y(5), c.endY);
        }
        EXPECT_EQ(stars.X(6), 100);  // the still stars stay
    }
}

TEST_F(StarfieldTest, MovementIsTheDirectionTimesTheStarsSpeedAndOptionallyDelta) {
    Init20();
    Only(4, 50, 50, 0.03f);
    stars.Render(2, -1, false);
    EXPECT_FLOAT_EQ(stars.X(4), 50.06f);
    EXPECT_FLOAT_EQ(stars.Y(4), 49.97f);
    stars.RenderStretchDirection(2, -1, 0, 1, true);  // Delta 10
    EXPECT_FLOAT_EQ(stars.X(4), 50.66f);
    EXPECT_FLOAT_EQ(stars.Y(4), 49.67f);
}

TEST_F(StarfieldTest, PlainDrawingCentresEachStarWithItsOwnScaleAndRotation) {
    Init20();
    Only(3, 50.7f, 40.2f, 0);
    Star(3).Frame = 2;
    stars.Scaled(3, 1.5f);
    Star(3).Rotation = 90;
    device->ClearCalls();
    stars.Render(0, 0, false);
    auto d = Draws();
    ASSERT_EQ(d.size(), 20u);
    const plmtest::BatchDraw& s = d[2];
    EXPECT_EQ(s.texture, tex);
    EXPECT_EQ(s.src.left, 1 + 2 * 9);  // frames 8 wide with a one-pixel gutter
    EXPECT_EQ(s.src.right, 27);
    EXPECT_EQ(s.src.top, 2);
    EXPECT_EQ(s.src.bottom, 8);
    EXPECT_EQ(s.scaling.x, 1.5f);
    EXPECT_EQ(s.scaling.y, 1.5f);
    EXPECT_EQ(s.centre.x, 6);        // (8 \ 2) x 1.5
    EXPECT_EQ(s.centre.y, 4.5f);     // (6 \ 2) x 1.5
    EXPECT_EQ(s.translation.x, 44);  // Int(50.7) - 12 \ 2
    EXPECT_EQ(s.translation.y, 36);  // Int(40.2) - 9 \ 2
    EXPECT_EQ(s.rotation, plm::DegreeToRad(90));
    EXPECT_EQ(s.color, 0xFFFFFFFFu);
}

TEST_F(StarfieldTest, StretchedDrawingTurnsEveryStarByTheAngleAndStretchesItsHeight) {
    Init20(false, true);
    Only(3, 50, 40, 0);
    stars.Scaled(3, 2);
    device->ClearCalls();
    stars.RenderStretchDirection(0, 0, 45, 3, false);
    auto d = Draws();
    ASSERT_EQ(d.size(), 20u);
    for (const auto& s : d) EXPECT_EQ(s.rotation, plm::DegreeToRad(45));  // the stars' own rotations unused
    EXPECT_EQ(d[2].scaling.x, 2);
    EXPECT_EQ(d[2].scaling.y, 6);
    EXPECT_EQ(d[2].centre.x, 8);        // (8 \ 2) x 2
    EXPECT_EQ(d[2].centre.y, 18);       // (6 \ 2) x 2 x 3
    EXPECT_EQ(d[2].translation.x, 42);  // 50 - 16 \ 2
    EXPECT_EQ(d[2].translation.y, 22);  // 40 - 36 \ 2
}

TEST_F(StarfieldTest, StretchAlongAnAngleMovesTheStarsThatWayAndLeavesTheVectorInRxRy) {
    Init20();
    Only(7, 100, 50, 0.025f);
    stars.RenderStretchAngle(0, 1, 2, false);
    EXPECT_NEAR(State().Rx, 0, 1e-6);
    EXPECT_FLOAT_EQ(State().Ry, -1);
    EXPECT_NEAR(stars.X(7), 100, 1e-5);
    EXPECT_FLOAT_EQ(stars.Y(7), 49.975f);      // up by its speed
    stars.RenderStretchAngle(90, 2, 2, true);  // right, 2 x speed x Delta
    EXPECT_FLOAT_EQ(State().Rx, 2);
    EXPECT_NEAR(stars.X(7), 100.5, 1e-4);
    EXPECT_EQ(Draws().back().rotation, plm::DegreeToRad(90));
    // Angles outside the tables' 0..720 read them through the wrapping helpers.
    for (float a : {-90.0f, 1000.0f, 1e30f, NAN}) {
        device->ClearCalls();
        stars.RenderStretchAngle(a, 1, 1, false);
        stars.RenderStretchDirection(0, 0, a, 1, false);
        EXPECT_EQ(Draws().size(), 40u);
    }
}

TEST_F(StarfieldTest, PlainDrawingSpinsOnTheFrameTimeAndWrapsPast359) {
    Init20();
    Only(2, 50, 50, 0);
    State().Delta = 20;
    stars.Configure(2, 255, 0.5f);
    Star(2).Rotation = 350;
    stars.Render(0, 0, false);  // 350 + 0.5 x 20 = 360, above 359
    EXPECT_EQ(Star(2).Rotation, 0);
    stars.Configure(2, 255, -0.5f);
    Star(2).Rotation = 5;
    stars.Render(0, 0, false);  // -5
    EXPECT_EQ(Star(2).Rotation, 359);
    stars.RenderStretchDirection(0, 0, 0, 1, false);  // stretched drawing does not spin
    EXPECT_EQ(Star(2).Rotation, 359);
}

TEST_F(StarfieldTest, ConfigureAndAlphaRecolourWhiteOrWithANewRandomTint) {
    Init20();
    stars.Configure(4, 127.5f, 0);
    EXPECT_EQ(stars.Alpha(4), 128);
    EXPECT_EQ(Star(4).Color, 0x80FFFFFFu);
    stars.Alpha(4, 10);
    EXPECT_EQ(Star(4).Color, 0x0AFFFFFFu);

    Init20(true);
    auto tinted = [](uint32_t c, uint32_t alpha) {
        for (int shift : {0, 8, 16}) {
            uint32_t v = (c >> shift) & 0xFF;
            if (v < 90) return false;
        }
        return (c >> 24) == alpha;
    };
    for (int i = 1; i <= 20; ++i) EXPECT_TRUE(tinted(Star(i).Color, 255)) << std::hex << Star(i).Color;
    stars.Alpha(4, 64);
    EXPECT_TRUE(tinted(Star(4).Color, 64));
    // Re-entry gives a new tint, keeping the alpha.
    const uint32_t before = Star(4).Color;
    Only(4, 199, 50, 1);
    stars.Render(10, 0, false);
    EXPECT_EQ(stars.X(4), 0);
    EXPECT_TRUE(tinted(Star(4).Color, 64));
    EXPECT_NE(Star(4).Color, before);
}

TEST_F(StarfieldTest, StarNumbersOutsideTheSetAreIgnored) {
    Init20();
    for (int i : {0, -1, 21, 1 << 30}) {
        stars.X(i, 5);
        stars.Configure(i, 3, 1);
        stars.Alpha(i, 3);
        EXPECT_EQ(stars.X(i), 0);
        EXPECT_EQ(stars.Alpha(i), 0);
        EXPECT_EQ(stars.Speed(i), 0);
    }
    EXPECT_EQ(stars.Total(), 20);
}

TEST_F(StarfieldTest, BlendStatesGoToTheDeviceOnceAndAnEmptySlotDrawsNothingButMoves) {
    stars.Render(1, 0, false);  // before any Init: no stars, nothing drawn
    EXPECT_TRUE(Draws().empty());
    Init20();
    stars.SetRenderState(5, 2);
    stars.Render(0, 0, false);
    stars.Render(0, 0, false);
    EXPECT_EQ(RenderStates(), (std::vector<std::pair<int64_t, int64_t>>{{19, 5}, {20, 2}}));
    EXPECT_EQ(Draws().size(), 40u);

    device->ClearCalls();
    State().BlendSrcCache = State().BlendDestCache = -1;
    State().Stars.StarTexture = 3;  // empty slot
    Only(1, 50, 50, 0.5f);
    stars.Render(2, 0, false);
    EXPECT_TRUE(Draws().empty());
    EXPECT_TRUE(RenderStates().empty());
    EXPECT_EQ(stars.X(1), 51);
}

}  // namespace
