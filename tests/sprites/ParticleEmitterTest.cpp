// Sprite particle emitters: emission per frame, the pool's bounds, LeaveOn, the moving-only kind,
// particles outliving their sprite, drawing order, presets and placement.
#include "ParticleFixture.h"

#include <cmath>

namespace {

using plm::State;
using plmtest::kParticleSurface;
using plmtest::kSpriteSurface;
namespace pf = plm::platform;

class ParticleEmitterTest : public plmtest::ParticleTest {};

TEST_F(ParticleEmitterTest, DelayZeroEmitsOneParticleEachFrame) {
    On(1, 100, 100);
    Emitter(1, 0, 100, 0);
    for (int f = 1; f <= 5; ++f) EXPECT_EQ(Frame().size(), static_cast<size_t>(f)) << "frame " << f;
    EXPECT_EQ(Living(1), 5);
}

TEST_F(ParticleEmitterTest, NoTimeNoEmission) {
    On(1, 100, 100);
    Emitter(1, 0, 100, 0);
    State().Delta = 0;
    for (int f = 0; f < 5; ++f) EXPECT_TRUE(Frame().empty());
    EXPECT_EQ(Living(1), 0);
}

TEST_F(ParticleEmitterTest, DelayCountsDownInMilliseconds) {
    On(1, 100, 100);
    Emitter(1, 0, 100, 25);  // 10 ms frames: the timer goes below 0 in every third frame
    std::vector<size_t> counts;
    for (int f = 0; f < 6; ++f) counts.push_back(Frame().size());
    EXPECT_EQ(counts, (std::vector<size_t>{0, 0, 1, 1, 1, 2}));
}

TEST_F(ParticleEmitterTest, TotalIsKeptWithinThePool) {
    On(1, 100, 100);
    Emitter(1, 0, 250, 0);
    EXPECT_EQ(pfx.ParticleTotal(1), 100);
    for (int f = 0; f < 150; ++f) Frame();
    EXPECT_EQ(Living(1), 100);
    EXPECT_EQ(Frame().size(), 100u);
    EXPECT_GE(Row(1).ParticleSlot, 1);
    EXPECT_LE(Row(1).ParticleSlot, 100);

    // The let keeps it inside too: nothing runs past slot 100, and at least one slot is used.
    pfx.ParticleTotal(1, 500);
    EXPECT_EQ(pfx.ParticleTotal(1), 100);
    pfx.ParticleTotal(1, 0);
    EXPECT_EQ(pfx.ParticleTotal(1), 1);
    pfx.ParticleOn(1, 1, 0, 0, false, 1, 0.3f, 0, 1, 1, 1, 1, false, 1, 0, 0, 0, 0, false, 255, 255, 255, 5, 2);
    EXPECT_EQ(pfx.ParticleTotal(1), 1);
}

TEST_F(ParticleEmitterTest, TheMovingOnlyKindEmitsNothingWhileTheSpriteStands) {
    On(1, 100.0f, 100.0f);
    Emitter(1, plm::TrailsIfMoved, 100, 0);
    Frame();  // the first check records the position it starts from
    const float timer = Row(1).ParticleDelayTimer;
    const int before = Living(1);
    for (int f = 0; f < 3; ++f) Frame();
    EXPECT_EQ(Living(1), before);
    EXPECT_EQ(Row(1).ParticleDelayTimer, timer);  // the timer waits too
    sprite.X(1, 100.6f);  // less than a whole pixel still counts as standing
    Frame();
    EXPECT_EQ(Living(1), before);
    sprite.X(1, 101.2f);
    Frame();
    EXPECT_EQ(Living(1), before + 1);
}

TEST_F(ParticleEmitterTest, LeaveOnKeepsLivingParticlesAndStillAdvancesTheSlot) {
    On(1, 100, 100);
    Emitter(1, 0, 3, 0, /*leaveOn*/ true);
    for (int f = 0; f < 3; ++f) Frame();
    const float x1 = Row(1).Particle[1].X;
    Frame();
    EXPECT_EQ(Living(1), 3);
    EXPECT_EQ(Row(1).ParticleSlot, 1);
    EXPECT_FLOAT_EQ(Row(1).Particle[1].X, x1 + 1.0f);  // flew on instead of starting anew

    // Without LeaveOn the oldest particle is recycled at the emission point.
    Emitter(2, 0, 3, 0, false);
    On(2, 200, 100);
    Emitter(2, 0, 3, 0, false);
    for (int f = 0; f < 4; ++f) Frame();
    EXPECT_FLOAT_EQ(Row(2).Particle[1].X, 200.0f + 1.0f);
}

TEST_F(ParticleEmitterTest, ParticlesFinishAfterTheSpriteTurnsOffAndVanishWithParticleOff) {
    On(1, 100, 100);
    Emitter(1, 0, 100, 0);
    for (int f = 0; f < 3; ++f) Frame();
    sprite.TurnOff(1, true, false);
    auto draws = Frame();
    EXPECT_EQ(draws.size(), 3u);  // no new particle, the old ones fly on
    EXPECT_EQ(Living(1), 3);
    pfx.ParticleOff(1);
    EXPECT_TRUE(Frame().empty());
}

TEST_F(ParticleEmitterTest, ABehaviourThatTurnsTheSpriteOffStepsItsParticlesOnce) {
    On(1, 100, 100);
    Emitter(1, 0, 100, 0, false, 0.1f);
    Frame();
    const float x = Row(1).Particle[1].X;
    engine.Move(1, 10, 0, 0, 0, 105, 800, 0);  // leaves the box in the next frame
    auto draws = Frame();
    EXPECT_EQ(Row(1).On, 0);
    EXPECT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(Row(1).Particle[1].X, x + 1.0f);  // one step of 10 ms at 0.1 px/ms
    EXPECT_EQ(Row(1).Particle[2].Alpha, 0);            // and nothing was emitted by the off sprite
}

TEST_F(ParticleEmitterTest, BehindOrInFrontOfTheSprite) {
    for (bool onTop : {false, true}) {
        On(1, 100, 100);
        Emitter(1, 0, 100, 0, false, 0.1f, onTop);
        Frame();
        const auto calls = device->CallsOf(pf::CallKind::SpriteDraw);
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[onTop ? 1 : 0].surfaces[0], kParticleSurface) << "onTop " << onTop;
        EXPECT_EQ(calls[onTop ? 0 : 1].surfaces[0], kSpriteSurface);
    }
}

TEST_F(ParticleEmitterTest, StyleNinePresetIsAnUpwardFlameOnRails) {
    On(1, 100, 100);
    sprite.Rotate(1, 30);
    pfx.ParticleOn(1, 9, 16, 36, true, 2, 3, 0, 1, 4, 1, 1, false, 1, 0, 0, 0.05f, 0, false, 255, 255, 255, 5, 2);
    const plm::SpriteRecord& r = Row(1);
    EXPECT_EQ(r.ParticleAmount, 9);
    EXPECT_EQ(r.ParticleStyle, 2);
    EXPECT_FALSE(r.ParticleRandomRotate);
    EXPECT_EQ(r.Emitter.TextureIndex, 3);
    EXPECT_EQ(r.Emitter.AlphaStart, 130);
    EXPECT_FLOAT_EQ(r.Emitter.ScalingDir, 4 * -0.0005f);
    auto draws = Frame();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].rect.left, 68);
    EXPECT_EQ(draws[0].rect.top, 70);
    EXPECT_EQ(draws[0].rect.right, 86);
    EXPECT_EQ(draws[0].rect.bottom, 97);
    EXPECT_FLOAT_EQ(r.Particle[1].Rotation, 30);  // the sprite's angle, no spin
    // Rail along Y: x stays at the sprite, y travels.
    EXPECT_FLOAT_EQ(r.Particle[1].X, 116);
    EXPECT_FLOAT_EQ(r.Particle[1].Y, 136.5f);
}

TEST_F(ParticleEmitterTest, PresetGroupsOfFour) {
    struct Case {
        int style;
        int kind;
        bool spin, colour;
        int srcX;
    };
    const Case cases[] = {{1, 0, false, false, 67},  {2, 3, false, false, 67},  {7, 1, false, false, 155},
                          {13, 0, false, false, 180}, {16, 2, false, false, 180}, {17, 0, true, false, 180},
                          {21, 0, false, true, 180},  {27, 1, true, true, 180},   {28, 2, true, true, 155},
                          {44, 2, true, true, 155},   {46, 4, false, false, 68}};
    On(1, 100, 100);
    for (const Case& c : cases) {
        pfx.ParticleOn(1, static_cast<float>(c.style), 5, 0, false, 1, 10, 0, 1, 1, 1, 1, false, 1, 0, 0, 0, 0, false,
                       255, 255, 255, 5, 2);
        const plm::SpriteRecord& r = Row(1);
        EXPECT_EQ(r.ParticleStyle, c.kind) << c.style;
        EXPECT_EQ(r.Emitter.RotateDir, c.spin ? 0.5f : 0.0f) << c.style;
        EXPECT_EQ(r.Emitter.RandomColor, c.colour) << c.style;
        EXPECT_EQ(r.Emitter.SrcX, c.srcX) << c.style;
        EXPECT_EQ(r.Emitter.XOffset, c.style == 46 ? -5 : 5) << c.style;
    }
    pfx.ParticleOn(1, 0, 0, 0, false, 1, 10, 0, 1, 1, 1, 1, false, 1, 0, 0, 0, 0, false, 255, 255, 255, 5, 2);
    EXPECT_TRUE(Frame().empty());  // style 0 leaves the emitter off
}

TEST_F(ParticleEmitterTest, FreeParticlesAreDrawnOnTheMapCameraAndShareTheBlendCache) {
    On(1, 100, 100);
    On(2, 200, 100);
    Emitter(1, 0, 100, 0, false, 0);
    Emitter(2, 0, 100, 0, false, 0);
    State().Map.MapX = 10.7f;
    State().Map.MapY = 5.2f;
    State().Map.MapScreenX = 3;
    State().Map.MapScreenY = 4;
    auto draws = Frame();
    ASSERT_EQ(draws.size(), 2u);
    // 16 x 16 image centred on the sprite: Int(100 - 8) - Int(10.7) + 3.
    EXPECT_FLOAT_EQ(draws[1].floats[5], 85);
    EXPECT_FLOAT_EQ(draws[1].floats[6], 91);
    EXPECT_EQ(draws[1].color, 0xFEFFFFFFu);  // alpha 255 - 0.01 x 10 = 254.9, whole part
    // Particle blends 5/2, the sprites' 5/6: the emitters of the same blends set no state twice.
    int sets = 0;
    for (const pf::Call& c : device->CallsOf(pf::CallKind::SetRenderState)) sets += c.ints[0] == 20 && c.ints[1] == 2;
    EXPECT_EQ(sets, 2);  // once for each emitter, as the sprites' blends lie between them
}

TEST_F(ParticleEmitterTest, RotationWrapsAndAlphaExactlyZeroIsDrawnOnceMore) {
    On(1, 100, 100);
    pfx.ParticleOnCustom(1, 0, 0, 0, false, 1, 10, 0, 3, 0, 0, 8, 8, 100, -10, 0, 1, 1, false, 1, 0, 0, 0, 0, false,
                         false, 0.1f, false, false, 255, 255, 255, 5, 2);
    EXPECT_EQ(Frame().size(), 1u);  // 100 -> 0: still drawn, transparent
    EXPECT_EQ(Row(1).Particle[1].Alpha, 0);
    sprite.TurnOff(1, true, false);
    EXPECT_TRUE(Frame().empty());
    // A free particle spinning past 360 starts at 0 again; below 0 it becomes 360.
    plm::SpriteParticle& q = Row(1).Particle[1];
    q.Alpha = 200;
    q.AlphaStep = 0;
    q.Rotation = 359.5f;
    q.RotationStep = 0.1f;
    Frame();
    EXPECT_EQ(q.Rotation, 0);
    q.Rotation = 0.5f;
    q.RotationStep = -0.1f;
    Frame();
    EXPECT_EQ(q.Rotation, 360);
}

TEST_F(ParticleEmitterTest, RotatedTrailsLaunchBackwardsFromTheHeading) {
    On(1, 100, 100);
    sprite.Rotate(1, 90);  // heading right
    pfx.ParticleOnCustomRotateWithTrails(1, 0, 0, false, 1, 10, 0, 3, 0, 0, 8, 8, 255, -0.01f, 0, 0.2f, false, false, 0,
                                         false, false, 255, 255, 255, 9, 9);
    EXPECT_EQ(Row(1).Emitter.SourceMode, 5);
    EXPECT_EQ(Row(1).Emitter.DestinationMode, 6);
    Frame();
    EXPECT_NEAR(Row(1).Particle[1].XSpeed, -0.2f, 1e-5);
    EXPECT_NEAR(Row(1).Particle[1].X, 98.0f, 1e-4);
}

}  // namespace

namespace {

TEST_F(ParticleEmitterTest, ParticlesOnAnEmptyTextureSlotFlyButDrawNothing) {
    On(1, 100, 100);
    pfx.ParticleOnCustom(1, 0, 0, 0, false, 1, 10, 0, 2, 0, 0, 8, 8, 255, -0.01f, 0, 1, 1, false, 1, 0.1f, 0, 0, 0,
                         false, false, 0, false, false, 255, 255, 255, 9, 9);
    EXPECT_TRUE(Frame().empty());
    for (const pf::Call& c : device->CallsOf(pf::CallKind::SetRenderState)) EXPECT_NE(c.ints[1], 9);
    EXPECT_EQ(Living(1), 1);
}

}  // namespace
