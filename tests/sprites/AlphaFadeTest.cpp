// Alpha fades and flashes as Sprite.Render steps them with Delta 10: each style's end rule and the
// setters' limits and roundings.
#include <gtest/gtest.h>

#include "BehaviourFixture.h"

namespace {

using plm::State;

class AlphaFadeTest : public plmtest::BehaviourTest {
public:
    void SetUp() override {
        BehaviourTest::SetUp();
        On(1, 100, 100);
    }
    // A generic fade of sprite 1 from alpha a by dir per ms between 0 and 255.
    void Fade(float a, float dir, float style, float length = 0) { engine.SetAlphaFading(1, a, dir, 0, 255, length, style, true); }
    float Alpha() { return Row(1).Alpha; }
};

TEST_F(AlphaFadeTest, SetAlphaFadingLimitsRoundsAndKeepsTheAlpha) {
    Row(1).Alpha = 77;
    engine.SetAlphaFading(1, -1, 1, -20, 300, 0, 2.5f, true);
    EXPECT_EQ(Alpha(), 77.0f);
    EXPECT_EQ(Row(1).AlphaMin, 0.0f);
    EXPECT_EQ(Row(1).AlphaMax, 255.0f);
    EXPECT_EQ(Row(1).AlphaStyle, 2);
    engine.SetAlphaFading(1, -0.5f, 1, 0, 255, 0, 2.6f, false);
    EXPECT_EQ(Alpha(), -0.5f);
    EXPECT_EQ(Row(1).AlphaStyle, 3);
    EXPECT_FALSE(engine.IsAlphaFading(1));
}

TEST_F(AlphaFadeTest, WrapJumpsToTheOtherLimit) {
    Fade(255, 0.5f, 0);
    Frames(1);
    EXPECT_EQ(Alpha(), 0.0f);
    Fade(2, -0.5f, 0);
    Frames(1);
    EXPECT_EQ(Alpha(), 255.0f);
    EXPECT_TRUE(engine.IsAlphaFading(1));
}

TEST_F(AlphaFadeTest, TimedStylesEndOpaqueOrOff) {
    Fade(100, 1, 1, 25);  // timed wrap: the timer ends in the third frame
    Frames(2);
    EXPECT_EQ(Alpha(), 120.0f);
    Frames(1);
    EXPECT_EQ(Alpha(), 255.0f);
    EXPECT_FALSE(engine.IsAlphaFading(1));

    Fade(100, 1, 4, 15);  // timed ping-pong
    Frames(2);
    EXPECT_EQ(Alpha(), 255.0f);
    EXPECT_FALSE(engine.IsAlphaFading(1));

    for (float style : {2.0f, 5.0f}) {  // then off
        Fade(100, 1, style, 15);
        Frames(1);
        EXPECT_TRUE(sprite.Enabled(1)) << style;
        Frames(1);
        EXPECT_FALSE(sprite.Enabled(1)) << style;
        EXPECT_FALSE(engine.IsAlphaFading(1));
        On(1, 100, 100);
    }
}

TEST_F(AlphaFadeTest, PingPongReversesAndStepsBackInTheSameFrame) {
    Fade(250, 1, 3);
    Frames(1);
    EXPECT_EQ(Alpha(), 250.0f);
    EXPECT_EQ(Row(1).AlphaDir, -1.0f);
    // A step larger than the room comes back to where it was.
    Fade(5, -20, 3);
    Frames(1);
    EXPECT_EQ(Alpha(), 5.0f);
    // Started beyond the limit, it stays beyond it for a frame (no clamp).
    Fade(260, 1, 3);
    Frames(1);
    EXPECT_EQ(Alpha(), 260.0f);
}

TEST_F(AlphaFadeTest, OnceStylesStopAtTheLimitOrOpaque) {
    Fade(250, 1, 6);
    Frames(1);
    EXPECT_EQ(Alpha(), 255.0f);
    EXPECT_FALSE(engine.IsAlphaFading(1));
    Fade(5, -1, 6);
    Frames(1);
    EXPECT_EQ(Alpha(), 0.0f);

    Fade(5, -1, 7);
    Frames(1);
    EXPECT_EQ(Alpha(), 255.0f);
    EXPECT_FALSE(engine.IsAlphaFading(1));
    EXPECT_TRUE(sprite.Enabled(1));
}

TEST_F(AlphaFadeTest, FadeOffStartsOpaqueAndTurnsOffBelowZero) {
    Row(1).Alpha = 40;
    engine.SetFadeOff(1, 10, false);  // Enabled is not read: the fade always starts
    EXPECT_EQ(Alpha(), 255.0f);
    EXPECT_TRUE(engine.IsAlphaFading(1));
    Frames(2);
    EXPECT_EQ(Alpha(), 55.0f);
    EXPECT_TRUE(sprite.Enabled(1));
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(Alpha(), -45.0f);  // not clamped
    EXPECT_FALSE(engine.IsAlphaFading(1));
}

TEST_F(AlphaFadeTest, FadeInStopsAtItsTargetEvenAbove255) {
    engine.SetFadeIn(1, 10, 300, true);
    EXPECT_EQ(Alpha(), 0.0f);
    EXPECT_EQ(Row(1).AlphaMax, 300.0f);
    Frames(3);
    EXPECT_EQ(Alpha(), 300.0f);
    EXPECT_TRUE(engine.IsAlphaFading(1));
    Frames(1);
    EXPECT_EQ(Alpha(), 300.0f);
    EXPECT_FALSE(engine.IsAlphaFading(1));
}

TEST_F(AlphaFadeTest, FadeOnHoldOffRunsOnePhaseAFrame) {
    engine.SetFadeOnFadeOff(1, 13, 0, true);
    Frames(2);
    EXPECT_EQ(Alpha(), 255.0f);  // 260 is above 255: held at 255
    EXPECT_EQ(Row(1).AlphaMin, 1.0f);
    Frames(1);  // a hold time of 0 holds for exactly one frame
    EXPECT_EQ(Alpha(), 255.0f);
    EXPECT_EQ(Row(1).AlphaMin, 2.0f);
    Frames(1);
    EXPECT_EQ(Alpha(), 125.0f);
    EXPECT_TRUE(sprite.Enabled(1));
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(Alpha(), -5.0f);
}

TEST_F(AlphaFadeTest, FlashEasesTheColourBackToTheSavedColour) {
    sprite.SetRGB(1, 100, 200, 50);
    engine.SetAlphaFlash(1, 130, 200, 10, 1, 17);
    EXPECT_EQ(Alpha(), 255.0f);
    EXPECT_EQ(Row(1).Red, 130.0f);
    Frames(2);
    EXPECT_EQ(Row(1).Red, 110.0f);
    EXPECT_EQ(Row(1).Blue, 30.0f);
    EXPECT_TRUE(engine.IsAlphaFading(1));
    Frames(2);  // never past the saved colour
    EXPECT_EQ(Row(1).Red, 100.0f);
    EXPECT_EQ(Row(1).Blue, 50.0f);
    EXPECT_FALSE(engine.IsAlphaFading(1));

    engine.SetAlphaFlash(1, 0, 0, 0, 0, 255);  // speed 0: never ends
    Frames(5);
    EXPECT_TRUE(engine.IsAlphaFading(1));
    engine.SetAlphaFlash(1, 100, 200, 50, 0, 255);  // unless the colours are equal
    Frames(1);
    EXPECT_FALSE(engine.IsAlphaFading(1));
}

TEST_F(AlphaFadeTest, StylesOutsideTheRangeDoNothingAndStayOn) {
    for (float style : {12.0f, -1.0f}) {
        Fade(100, 1, style);
        Frames(3);
        EXPECT_EQ(Alpha(), 100.0f);
        EXPECT_TRUE(engine.IsAlphaFading(1));
    }
}

TEST_F(AlphaFadeTest, AnOffSpriteDoesNotFade) {
    Fade(100, 1, 0);
    sprite.Enabled(1, false);
    Frames(3);
    EXPECT_EQ(Alpha(), 100.0f);
}

}  // namespace
