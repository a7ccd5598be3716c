// The sprite table: sizing, activation and its reset defaults, turning off, whole-row copies.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "core/EngineState.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteProcs.h"

namespace {

using plm::State;

class SpriteTableTest : public plmtest::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        sprite.Init(10);
    }
    plm::SpriteRecord& Row(int s) { return State().SpriteTable(s); }
    // Sprite s on at (x, y) with a 32 x 32 frame of texture 1.
    void On(int s, float x = 0, float y = 0) { sprite.Activate(s, x, y, 1, 0, 0, 0, 0, 32, 32, false, true); }
    plm::Sprite sprite;
};

TEST_F(SpriteTableTest, InitGivesZeroedRowsThatAreOffAndUnscaled) {
    EXPECT_EQ(sprite.GetInitializedTotal(), 10);
    EXPECT_EQ(State().SpriteTable.size(), 10);
    EXPECT_EQ(State().SpriteData.size(), 10);
    EXPECT_EQ(State().Animations.size(), 1);
    for (int s = 1; s <= 10; ++s) {
        EXPECT_FALSE(sprite.Enabled(s));
        EXPECT_EQ(sprite.Scaled(s), 0.0f);
    }
    // A second Init discards every row.
    On(3);
    sprite.Init(4);
    EXPECT_EQ(sprite.GetInitializedTotal(), 4);
    EXPECT_FALSE(sprite.Enabled(3));
    // A total too large to allocate is refused and logged; the table stays as it was.
    On(2);
    sprite.Init(2147483647);
    EXPECT_EQ(sprite.GetInitializedTotal(), 4);
    EXPECT_EQ(State().SpriteTable.size(), 4);
    EXPECT_TRUE(sprite.Enabled(2));
    EXPECT_NE(LogText().find("Total passed to Sprite.Init not between 0-65536."), std::string::npos);
}

TEST_F(SpriteTableTest, ActivateStoresTheFrameAndEveryResetDefault) {
    sprite.Activate(2, 10.5f, 20.25f, 3, 4, 5, 6, 7, 33, 20, true, true);
    const plm::SpriteRecord& r = Row(2);
    EXPECT_EQ(r.On, 1);
    EXPECT_EQ(r.X, 10.5f);
    EXPECT_EQ(r.Y, 20.25f);
    EXPECT_EQ(r.Texture, 3);
    EXPECT_EQ(r.SrcX, 4);
    EXPECT_EQ(r.SrcY, 5);
    EXPECT_EQ(r.XFrame, 6);
    EXPECT_EQ(r.YFrame, 7);
    EXPECT_EQ(r.Width, 33);
    EXPECT_EQ(r.Height, 20);
    EXPECT_TRUE(r.OriginTopLeft);

    EXPECT_EQ(r.SrcBlend, 5);
    EXPECT_EQ(r.DestBlend, 6);
    EXPECT_FALSE(r.Blend);
    EXPECT_EQ(r.OffWhenTimedMoveEnds, 0);
    for (float c : {r.Red, r.Green, r.Blue, r.BaseRed, r.BaseGreen, r.BaseBlue}) EXPECT_EQ(c, 255.0f);
    EXPECT_FALSE(r.ShadowState);
    EXPECT_EQ(r.ShadowAlpha, 40.0f);
    EXPECT_EQ(r.ShadowXOffset, 2);
    EXPECT_EQ(r.ShadowYOffset, 2);
    EXPECT_EQ(r.ShadowRed + r.ShadowGreen + r.ShadowBlue + r.ShadowRotation, 0.0f);
    EXPECT_EQ(r.ShadowXScale, 1.0f);
    EXPECT_EQ(r.ShadowYScale, 1.0f);
    EXPECT_EQ(r.ShadowScaling, 1.0f);
    EXPECT_TRUE(r.ShadowAutoRotate);
    EXPECT_TRUE(r.ShadowAutoScale);
    EXPECT_EQ(r.XScaled, 1.0f);
    EXPECT_EQ(r.YScaled, 1.0f);
    EXPECT_EQ(r.Scaled, 1.0f);
    EXPECT_EQ(r.Mirror, 1);
    EXPECT_EQ(r.Flip, 1);
    EXPECT_EQ(r.Alpha, 255.0f);
    EXPECT_EQ(r.Rotate, 0.0f);
    EXPECT_EQ(r.EngineType, 0);
    EXPECT_EQ(r.EngineDelay, 0);
    EXPECT_EQ(r.AnimMode, 0);
    EXPECT_EQ(r.AnimIndex, 0);
    EXPECT_EQ(r.ParticleAmount, 0.0f);
    EXPECT_TRUE(r.CollideEnabled);
    EXPECT_FALSE(r.CollideIsCircle);
    EXPECT_EQ(r.CollideWidth, 33.0f);
    EXPECT_EQ(r.CollideHeight, 20.0f);
    EXPECT_EQ(r.CollideRadius, 16.5f);  // half a 33-pixel frame
    EXPECT_EQ(r.OkToMove.XOffset, 0.0f);
    EXPECT_EQ(r.OkToMove.Width, 33.0f);
    EXPECT_EQ(r.OkToMove.Height, 20.0f);
    EXPECT_EQ(r.ID1, 0);
    EXPECT_EQ(r.Hits, 0);
}

TEST_F(SpriteTableTest, ReactivationResetsEffectsButKeepsWhatTheResetLeavesAlone) {
    On(4, 1, 2);
    plm::SpriteRecord& r = Row(4);
    sprite.SetRGB(4, 1, 2, 3);
    sprite.Scaled(4, 3);
    sprite.Alpha(4, 9);
    sprite.Rotate(4, 45);
    sprite.ID1(4, 7);
    sprite.ID2(4, 8);
    sprite.Hits(4, 5);
    sprite.data(4, 10, 1.5f);
    sprite.DataString(4, 1, "x");
    r.EngineType = 3;
    r.AnimMode = 2;
    r.AlphaFadeOn = true;
    r.Scaling.On = true;
    r.ShakeOn = true;
    r.ParticleAmount = 4;
    // Left alone by the reset:
    r.XDir = 0.5f;
    r.XMax = 99;
    r.OrbitRadius = 12;
    r.Particle[7].Alpha = 100;
    r.SplineSpeed = 2;
    r.Scaling.Dir = 0.25f;
    sprite.Zorder(4, 2);
    const int zorder = r.Zorder;

    On(4, 5, 6);
    EXPECT_EQ(r.Red, 255.0f);
    EXPECT_EQ(r.Scaled, 1.0f);
    EXPECT_EQ(r.Alpha, 255.0f);
    EXPECT_EQ(r.Rotate, 0.0f);
    EXPECT_EQ(r.ID1 + r.ID2 + r.Hits + r.EngineType + r.AnimMode, 0);
    EXPECT_FALSE(r.AlphaFadeOn);
    EXPECT_FALSE(r.Scaling.On);
    EXPECT_FALSE(r.ShakeOn);
    EXPECT_EQ(r.ParticleAmount, 0.0f);
    EXPECT_EQ(sprite.data(4, 10), 0.0f);
    EXPECT_EQ(sprite.DataString(4, 1), "");

    EXPECT_EQ(r.X, 5.0f);
    EXPECT_EQ(r.Zorder, zorder);
    EXPECT_EQ(r.XDir, 0.5f);
    EXPECT_EQ(r.XMax, 99.0f);
    EXPECT_EQ(r.OrbitRadius, 12.0f);
    EXPECT_EQ(r.Particle[7].Alpha, 100.0f);
    EXPECT_EQ(r.SplineSpeed, 2.0f);
    EXPECT_EQ(r.Scaling.Dir, 0.25f);
}

TEST_F(SpriteTableTest, DisabledActivationIsResetAndOffUntilEnabled) {
    sprite.Activate(1, 0, 0, 1, 0, 0, 0, 0, 8, 8, false, false);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(Row(1).Scaled, 1.0f);
    sprite.Enabled(1, true);
    EXPECT_TRUE(sprite.Enabled(1));
    EXPECT_EQ(Row(1).On, 1);
}

TEST_F(SpriteTableTest, TurnOffKeepsOrClearsDelayAndParticles) {
    On(1);
    On(2);
    Row(1).EngineDelay = 100;
    Row(1).ParticleAmount = 3;
    sprite.TurnOff(1, false, false);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(Row(1).EngineDelay, 100);
    EXPECT_EQ(Row(1).ParticleAmount, 3.0f);
    EXPECT_TRUE(sprite.IsActive(1));  // the delay brings it back
    Row(2).EngineDelay = 50;
    Row(2).ParticleAmount = 1;
    sprite.TurnOffAll(true, true);
    for (int s : {1, 2}) {
        EXPECT_EQ(Row(s).EngineDelay, 0);
        EXPECT_EQ(Row(s).ParticleAmount, 0.0f);
        EXPECT_FALSE(sprite.IsActive(s));
    }
}

TEST_F(SpriteTableTest, NumbersOutsideTheTableAreRefused) {
    for (int s : {0, -1, 11, 1 << 30}) {
        sprite.Activate(s, 1, 1, 1, 0, 0, 0, 0, 8, 8, false, true);
        sprite.X(s, 5);
        sprite.Zorder(s, 1);
        sprite.TurnOff(s, true, true);
        sprite.Swap(s, 1);
        sprite.Copy(s, 1, 10);
        EXPECT_FALSE(sprite.Enabled(s));
        EXPECT_EQ(sprite.X(s), 0.0f);
    }
    On(1);
    for (int id : {0, 11, -3}) {
        sprite.data(1, id, 4);
        sprite.DataString(1, id, "no");
        EXPECT_EQ(sprite.data(1, id), 0.0f);
        EXPECT_EQ(sprite.DataString(1, id), "");
    }
    // A refused copy source leaves the targets as they were.
    EXPECT_TRUE(sprite.Enabled(1));
    EXPECT_EQ(sprite.GetHowManyOn(), 1);
    // Ranges far past the table are clipped to it.
    sprite.AddToPosRange(-5, 1 << 30, 1, 1, false);
    EXPECT_EQ(sprite.X(1), 1.0f);
}

TEST_F(SpriteTableTest, SwapAndCopyMoveWholeRowsButNotTheOrder) {
    On(1, 10, 10);
    sprite.data(1, 2, 7);
    sprite.DataString(1, 3, "one");
    const auto order = [] {
        std::vector<int> v;
        for (int p = 1; p <= State().RenderOrder.size(); ++p) v.push_back(State().RenderOrder(p));
        return v;
    };
    const std::vector<int> before = order();
    sprite.Swap(1, 2);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_TRUE(sprite.Enabled(2));
    EXPECT_EQ(sprite.X(2), 10.0f);
    EXPECT_EQ(sprite.Zorder(2), 1);  // Zorder travels with the row
    EXPECT_EQ(sprite.Zorder(1), 2);
    EXPECT_EQ(sprite.data(2, 2), 7.0f);
    EXPECT_EQ(sprite.DataString(2, 3), "one");
    EXPECT_EQ(order(), before);

    sprite.Copy(2, 1, 5);  // the source lies inside the range
    for (int s = 1; s <= 5; ++s) {
        EXPECT_TRUE(sprite.Enabled(s));
        EXPECT_EQ(sprite.X(s), 10.0f);
        EXPECT_EQ(sprite.DataString(s, 3), "one");
        EXPECT_EQ(sprite.Zorder(s), 1);
    }
    EXPECT_FALSE(sprite.Enabled(6));
    EXPECT_EQ(order(), before);
}

}  // namespace
