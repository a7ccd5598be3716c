// The map cells' effects as the draw members run them: the setters' clamps, each effect's ends
// (reset, remove, clamp), the animation's tiles, the shake, facing a sprite, the order of the
// effects, and which cells Render and RenderAll advance.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/EngineProcs.h"
#include "maps/MapFixture.h"

namespace {

using plm::State;
using plmtest::MapDrawTest;

class MapEffectTest : public MapDrawTest {
protected:
    void SetUp() override {
        MapDrawTest::SetUp();
        Board();
        map.SetDrawArea(0, 0, 25, 17);
        map.PutAtXY(2, 2, 5, 255, 0, 1);
    }
    // Frames of Render with a fixed Delta; the draws of the last one.
    std::vector<plmtest::TileDraw> Frames(int n, float delta = 10) {
        State().Delta = delta;
        std::vector<plmtest::TileDraw> last;
        for (int i = 0; i < n; ++i) last = DrawsOf([&] { map.Render(1); });
        return last;
    }
    plm::MapCell& C() { return Cell(2, 2); }
};

TEST_F(MapEffectTest, SettersClampTheirLimits) {
    map.SetScaling(2, 2, 0.5f, 0.01f, -1, 2, 0, 0, 1);
    EXPECT_EQ(C().ScaleMin, 0);
    EXPECT_EQ(C().ScaleMax, 1.0f);  // not 255 as for alpha
    map.SetAlphaFading(2, 2, 10, 1, -5, 300, 0, 0, 1);
    EXPECT_EQ(C().AlphaMin, 0);
    EXPECT_EQ(C().AlphaMax, 255);
    map.Rotate(2, 2, 1, 33);
    map.SetRotating(2, 2, -1, 1, -3, 1000, 0, 0, 1);
    EXPECT_EQ(C().Rotate, 33);  // -1 keeps the current rotation
    EXPECT_EQ(C().RotateMin, 0);
    EXPECT_EQ(C().RotateMax, 719);
    map.SetAnimating(2, 2, 0.01f, 5, 8, 0, 2.5f, 1);
    EXPECT_EQ(C().AnimStyle, 2);
    EXPECT_FALSE(C().RemovePending);  // only a style given exactly as 2, 5 or 8 marks the removal
    map.SetAnimating(2, 2, 0.01f, 5, 8, 0, 5, 1);
    EXPECT_TRUE(C().RemovePending);
    EXPECT_EQ(C().Value, 5);  // the tile changes only when the effect runs
}

TEST_F(MapEffectTest, TheGemGrowthClampsAtFullSizeAndStops) {
    map.SetScaling(2, 2, 0.1f, 0.001f, 0.1f, 1.0f, 0, 6, 1);
    auto d = Frames(1);
    EXPECT_NEAR(C().Scaled, 0.11f, 1e-6);
    EXPECT_NEAR(d[0].scaling.x, 0.11f, 1e-6);
    Frames(89);
    EXPECT_TRUE(map.IsScaling(2, 2, 1));
    Frames(2);  // 920 ms: past 1.0 and clamped
    EXPECT_EQ(C().Scaled, 1.0f);
    EXPECT_FALSE(map.IsScaling(2, 2, 1));
    Frames(1);
    EXPECT_EQ(C().Scaled, 1.0f);
}

TEST_F(MapEffectTest, AnAlphaFadeOutEmptiesTheCellAndIsNotDrawnInThatFrame) {
    map.SetAlphaFading(2, 2, 255, -0.25f, 0, 255, 0, 8, 1);
    EXPECT_EQ(map.Value(2, 2, 1), 0);  // pending from the call on
    auto d = Frames(102);              // 1020 ms: alpha 0, still drawn
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].color, 0x00FFFFFFu);
    EXPECT_TRUE(C().RemovePending);
    EXPECT_TRUE(Frames(1).empty());  // alpha below 0: removed, not drawn
    EXPECT_EQ(C().Value, 0);
    EXPECT_FALSE(C().RemovePending);
    EXPECT_FALSE(C().IsAlphaFading);
    EXPECT_TRUE(Frames(1).empty());
}

TEST_F(MapEffectTest, TimedStylesEndWhenTheirTimeFallsBelowOneMillisecond) {
    map.SetScaling(2, 2, 0.5f, 0.0001f, 0.1f, 1, 500, 2, 1);
    EXPECT_EQ(Frames(49).size(), 1u);  // 10 ms left
    EXPECT_EQ(C().ScaleLength, 10);
    EXPECT_TRUE(Frames(1).empty());  // 0 left: removed, not drawn
    EXPECT_EQ(C().Value, 0);
    EXPECT_FALSE(C().RemovePending);
}

TEST_F(MapEffectTest, ResetsPutEachValueBackToItsNeutralState) {
    map.SetScaling(2, 2, 0.5f, 0.01f, 0.1f, 1, 15, 1, 1);
    map.SetRotating(2, 2, 10, 1, 0, 700, 15, 4, 1);
    map.SetAlphaFading(2, 2, 100, 1, 0, 255, 0, 7, 1);
    C().AlphaMax = 105;  // past it after one frame
    Frames(1);
    EXPECT_TRUE(C().IsScaling && C().IsRotating);
    EXPECT_EQ(C().Alpha, 255);
    EXPECT_FALSE(C().IsAlphaFading);
    Frames(1);
    EXPECT_EQ(C().Scaled, 1.0f);
    EXPECT_EQ(C().Rotate, 0);
    EXPECT_FALSE(C().IsScaling || C().IsRotating);
    EXPECT_EQ(C().Value, 5);
}

TEST_F(MapEffectTest, TheAnimationShowsEachTileInTurnAndWraps) {
    // A quarter tile a frame (steps exact in binary): each tile for four frames.
    map.SetAnimating(2, 2, 0.0078125f, 5, 8.99f, 0, 0, 1);
    std::vector<int> shown;
    for (int i = 0; i < 17; ++i) {
        auto d = Frames(1, 32);
        shown.push_back(d.empty() ? 0 : 1 + d[0].src.left / 33);
    }
    // The first frame has already stepped to 5.25; 9.0 is past 8.99 and starts again at 5.
    EXPECT_EQ(shown, (std::vector<int>{5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7, 8, 8, 8, 8, 5, 5}));
    EXPECT_EQ(C().AnimValue, 5.25f);
}

TEST_F(MapEffectTest, AnimationEndsSetTheTileAsEachStyleSays) {
    struct Case {
        int style;
        float length;
        int frames, value;
        bool animating;
        float animValue;
    };
    // From 5 by 0.1 per ms towards 7.5; steps of 10 ms.
    for (const Case& c : std::vector<Case>{
             {6, 0, 3, 7, false, 7.5f},  // clamped at 7.5: tile 7
             {7, 0, 3, 5, false, 5},     // back to the first tile
             {1, 15, 2, 5, false, 7},    // time out: AnimStart rounded
             {4, 15, 1, 6, true, 6},
             {8, 0, 2, 7, true, 7},   // inside the limits the tile follows
             {8, 0, 3, 0, false, 8},  // past them: removed
         }) {
        map.PutAtXY(2, 2, 5, 255, 0, 1);
        map.SetAnimating(2, 2, 0.1f, 5, 7.5f, c.length, c.style, 1);
        Frames(c.frames);
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        EXPECT_EQ(C().Value, c.value);
        EXPECT_EQ(C().IsAnimating, c.animating);
        EXPECT_NEAR(C().AnimValue, c.animValue, 1e-5);
    }
}

TEST_F(MapEffectTest, ARemovalSkipsTheLaterEffectsOfThatFrame) {
    map.SetScaling(2, 2, 0.5f, -0.1f, 0.1f, 1, 0, 8, 1);
    map.SetAlphaFading(2, 2, 100, -1, 0, 255, 0, 0, 1);
    EXPECT_TRUE(Frames(1).empty());
    EXPECT_EQ(C().Alpha, 100);  // the alpha effect did not run
    EXPECT_TRUE(C().IsAlphaFading);
    EXPECT_FALSE(C().IsScaling);
    // A style out of range leaves the value alone and the flag set.
    map.PutAtXY(2, 2, 5, 255, 0, 1);
    map.SetAlphaFading(2, 2, 100, -1, 0, 255, 0, 12, 1);
    Frames(3);
    EXPECT_EQ(C().Alpha, 100);
    EXPECT_TRUE(C().IsAlphaFading);
}

TEST_F(MapEffectTest, AShakeJumpsOnceEachIntervalUntilFxOff) {
    map.SetShaking(2, 2, 4, 50, 0, 1);
    int jumps = 0;
    for (int i = 1; i <= 20; ++i) {
        auto d = Frames(1);
        const bool moved = d[0].at.x != 64 || d[0].at.y != 64;
        if (moved) {
            ++jumps;
            EXPECT_EQ(i % 5, 0) << "frame " << i;
            EXPECT_LE(std::abs(d[0].at.x - 64), 4.0f);
            EXPECT_LE(std::abs(d[0].at.y - 64), 4.0f);
        }
    }
    EXPECT_GE(jumps, 3);  // a jump may land in place when both offsets truncate to 0
    EXPECT_TRUE(map.IsShaking(2, 2, 1));
    map.FxOff(2, 2, 1);
    EXPECT_FALSE(map.IsShaking(2, 2, 1));
    // A timed shake ends when its time falls below 1 ms.
    map.SetShaking(2, 2, 4, 50, 25, 1);
    Frames(2);
    EXPECT_TRUE(map.IsShaking(2, 2, 1));
    Frames(1);
    EXPECT_FALSE(map.IsShaking(2, 2, 1));
}

TEST_F(MapEffectTest, AFacingTileTurnsTowardsItsSpriteOnTheScreen) {
    sprite.Init(2);
    map.SetDrawArea(13, 20, 25, 17);
    // Cell (2, 2) has its centre at world (80, 80); the sprite straight above it, then to its right.
    sprite.Activate(1, 80, -20, 1, 0, 0, 0, 0, 16, 16, false, true);
    map.SetRotateToSprite(2, 2, 1, 1);
    Frames(1);
    EXPECT_EQ(C().Rotate, 360);
    EXPECT_EQ(C().RotateStyle, 9);
    sprite.Activate(1, 192, 72, 1, 0, 0, 0, 0, 16, 16, true, true);  // top-left: its centre at (200, 80)
    auto d = Frames(1);
    EXPECT_EQ(C().Rotate, 90);
    EXPECT_EQ(d[0].rotation, State().DegreeToRadTable[90]);
    EXPECT_TRUE(C().IsRotating);  // it never ends by itself
    // A sprite that does not exist leaves the rotation as it is.
    map.SetRotateToSprite(2, 2, 7, 1);
    Frames(1);
    EXPECT_EQ(C().Rotate, 90);
}

TEST_F(MapEffectTest, RenderAdvancesTheWindowAndRenderAllEveryCell) {
    map.SetDrawArea(0, 0, 5, 5);
    map.PutAtXY(20, 15, 5, 255, 0, 1);
    for (auto [x, y] : std::vector<std::pair<int, int>>{{2, 2}, {20, 15}})
        map.SetAlphaFading(x, y, 100, -1, 0, 255, 0, 0, 1);
    Frames(1);
    EXPECT_EQ(map.Alpha(2, 2, 1), 90);
    EXPECT_EQ(map.Alpha(20, 15, 1), 100);  // out of view: paused
    State().Delta = 10;
    auto d = DrawsOf([&] { map.RenderAll(1); });
    EXPECT_EQ(map.Alpha(2, 2, 1), 80);
    EXPECT_EQ(map.Alpha(20, 15, 1), 90);
    ASSERT_EQ(d.size(), 1u);  // but only the window is drawn
    EXPECT_EQ(d[0].color, 0x50FFFFFFu);
    // A cell the effect pass empties is not drawn.
    map.SetScaling(2, 2, 1, 1, 0, 1, 0, 8, 1);
    EXPECT_TRUE(DrawsOf([&] { map.RenderAll(1); }).empty());
    // The flat draws advance nothing.
    map.PutAtXY(2, 2, 5, 255, 0, 1);
    map.SetAlphaFading(2, 2, 100, -1, 0, 255, 0, 0, 1);
    map.RenderFast(1);
    map.RenderFastFrom(0, 0, 255, 255, 1);
    EXPECT_EQ(map.Alpha(2, 2, 1), 100);
}

TEST_F(MapEffectTest, OnAllSettersAndFxOffAllCoverTheMapOnly) {
    map.PutAtXY(25, 19, 3, 0, 0, 1);
    map.SetScaleOnAll(0.5f, 1);
    map.SetRotateOnAll(45, 1);
    map.SetAlphaOnAll(99, 1);
    EXPECT_EQ(map.Scaled(24, 18, 1), 0.5f);
    EXPECT_EQ(map.Rotate(0, 0, 1), 45);
    EXPECT_EQ(map.Alpha(13, 7, 1), 99);
    EXPECT_EQ(map.Scaled(25, 19, 1), 1.0f);  // the spare cell, as the put left it
    EXPECT_EQ(map.Alpha(25, 19, 1), 0);
    map.SetScaling(3, 3, 1, 1, 0, 1, 0, 8, 1);
    map.SetShaking(4, 4, 1, 1, 0, 1);
    map.SetAlphaFading(25, 19, 1, 1, 0, 255, 0, 0, 1);
    map.FxOffAll(1);
    EXPECT_FALSE(map.IsScaling(3, 3, 1));
    EXPECT_FALSE(Cell(3, 3).RemovePending);
    EXPECT_FALSE(map.IsShaking(4, 4, 1));
    EXPECT_EQ(map.Alpha(13, 7, 1), 255);
    EXPECT_EQ(map.Scaled(13, 7, 1), 1.0f);
    EXPECT_TRUE(map.IsAlphaFading(25, 19, 1));
    map.SetAlphaOnAll(1, 2);  // no layer 2: nothing
}

}  // namespace
