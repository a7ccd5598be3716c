// The scaling and rotation effects: the end rules the game relies on (scaling styles 7 and 8,
// rotation style 0), strict limits, and the other styles' plain behaviour.
#include <gtest/gtest.h>

#include "sprites/BehaviourFixture.h"

namespace {

using plmtest::BehaviourTest;

TEST_F(BehaviourTest, ScalingStyleSevenEndsAtNaturalSizeAndStaysOn) {
    On(1, 50, 50);
    SetDelta(16);  // steps of 16 / 128 = 0.125, exact in binary
    // Starts on its minimum: strict limits let it grow.
    engine.SetScaling(1, 0.5f, 1.0f / 128, 0.5f, 1.5f, 0, 7, true);
    EXPECT_TRUE(engine.IsScaling(1));
    EXPECT_FLOAT_EQ(sprite.Scaled(1), 0.5f);
    Frames(8);  // 0.5 + 8 x 0.125 = 1.5: on the maximum, still running
    EXPECT_EQ(sprite.Scaled(1), 1.5f);
    EXPECT_TRUE(engine.IsScaling(1));
    Frames(1);
    EXPECT_FALSE(engine.IsScaling(1));
    EXPECT_FLOAT_EQ(sprite.Scaled(1), 1.0f);
    EXPECT_TRUE(sprite.Enabled(1));
    // Shrinking below the minimum ends the same way.
    engine.SetScaling(1, 2, -1.0f / 16, 1.5f, 3, 0, 7, true);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Scaled(1), 1.0f);
    EXPECT_FALSE(engine.IsScaling(1));
}

TEST_F(BehaviourTest, ScalingStyleEightTurnsTheSpriteOff) {
    struct Case {
        int axis;  // 0 uniform, 1 X, 2 Y
        float dir;
    };
    for (Case c : {Case{0, 0.05f}, Case{1, 0.05f}, Case{2, -0.05f}}) {
        On(1, 50, 50);
        const float start = c.dir > 0 ? 1.0f : 2.0f;  // on the limit it starts from
        if (c.axis == 0) engine.SetScaling(1, start, c.dir, 1, 2, 0, 8, true);
        if (c.axis == 1) engine.SetXScaling(1, start, c.dir, 1, 2, 0, 8, true);
        if (c.axis == 2) engine.SetYScaling(1, start, c.dir, 1, 2, 0, 8, true);
        Frames(2);  // 1.5, 2.0: on the limit
        EXPECT_TRUE(sprite.Enabled(1)) << c.axis;
        Frames(1);
        EXPECT_FALSE(sprite.Enabled(1)) << c.axis;
        const plm::SpriteRecord& r = Row(1);
        const plm::SpriteScalingEffect& e = c.axis == 0 ? r.Scaling : (c.axis == 1 ? r.XScaling : r.YScaling);
        EXPECT_FALSE(e.On) << c.axis;
    }
}

TEST_F(BehaviourTest, ScalingKeepsTheCurrentScaleForMinusOne) {
    On(1, 0, 0);
    sprite.Scaled(1, 0.75f);
    engine.SetScaling(1, -1, 0, 0, 10, 0, 0, false);
    EXPECT_FLOAT_EQ(sprite.Scaled(1), 0.75f);
    EXPECT_FALSE(engine.IsScaling(1));
    engine.SetScaling(1, -0.5f, 0, 0, 10, 0, 0, false);
    EXPECT_FLOAT_EQ(sprite.Scaled(1), -0.5f);
}

TEST_F(BehaviourTest, ScalingStylesOneToSix) {
    struct Case {
        int style;
        float start, dir, length;
        int frames;
        float scale;
        bool running, on;
    };
    // Limits 1..2, Delta 10.
    const Case cases[] = {
        {0, 1.9f, 0.02f, 0, 1, 1.0f, true, true},    // wrap to the minimum
        {1, 1.5f, 0.01f, 25, 3, 1.0f, false, true},  // timed wrap ends at natural size
        {2, 1.5f, 0.01f, 25, 3, 1.8f, false, false}, // timed wrap, then off
        {3, 1.9f, 0.02f, 0, 1, 1.9f, true, true},    // reversed and stepped back
        {4, 1.5f, 0.01f, 15, 2, 1.0f, false, true},
        {5, 1.5f, 0.01f, 15, 2, 1.7f, false, false},
        {6, 1.9f, 0.02f, 0, 1, 2.0f, false, true},   // held on the limit
        {9, 1.0f, 0.05f, 15, 2, 2.0f, false, true},  // no limits, the timer stops it
    };
    for (const Case& c : cases) {
        On(1, 0, 0);
        engine.SetScaling(1, c.start, c.dir, 1, 2, c.length, static_cast<float>(c.style), true);
        Frames(c.frames);
        EXPECT_NEAR(Row(1).Scaled, c.scale, 1e-5) << c.style;
        EXPECT_EQ(engine.IsScaling(1), c.running) << c.style;
        EXPECT_EQ(sprite.Enabled(1), c.on) << c.style;
    }
}

TEST_F(BehaviourTest, ScalingInAndOutAndByDistance) {
    On(1, 0, 0);
    engine.SetScalingInAndOut(1, 1, 0.05f, 1, 2, true);
    Frames(3);  // 1.5, 2.0, 2.5 -> held on 2 and turned back
    EXPECT_FLOAT_EQ(sprite.Scaled(1), 2);
    EXPECT_TRUE(engine.IsScaling(1));
    Frames(3);  // 1.5, 1.0, 0.5 -> held on 1, the effect ends
    EXPECT_FLOAT_EQ(sprite.Scaled(1), 1);
    EXPECT_FALSE(engine.IsScaling(1));

    struct Case {
        float x;
        float scale;
    };
    // Distance 0..100 -> scale 0.5..1.5; nearer or farther is held on the end values.
    for (Case c : {Case{0, 0.5f}, Case{10, 0.5f}, Case{60, 1.0f}, Case{110, 1.5f}, Case{500, 1.5f}}) {
        On(2, c.x, 0);
        engine.SetScalingXYDistance(2, 0, 0, 10, 110, 0.5f, 1.5f, true);
        Frames(1);
        EXPECT_FLOAT_EQ(sprite.Scaled(2), c.scale) << c.x;
        On(3, 0, 0);
        On(4, 0, c.x);
        engine.SetScalingSpriteDistance(3, 4, 10, 110, 0.5f, 1.5f, true);
        Frames(1);
        EXPECT_FLOAT_EQ(sprite.Scaled(3), c.scale) << c.x;
    }
}

TEST_F(BehaviourTest, RotationStyleZeroSpinsEndlesslyWithinItsLimits) {
    On(1, 0, 0);
    engine.SetRotating(1, 0, 1, 0, 360, 0, 0, true);
    EXPECT_TRUE(engine.IsRotating(1));
    Frames(36);  // exactly 360: on the maximum, kept
    EXPECT_FLOAT_EQ(sprite.Rotate(1), 360);
    Frames(1);  // past it: continues from the minimum
    EXPECT_FLOAT_EQ(sprite.Rotate(1), 0);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Rotate(1), 10);
    // Turning the other way continues from the maximum; the limits are held to 0..719.
    engine.SetRotating(1, 5, -1, -50, 900, 0, 0, true);
    EXPECT_FLOAT_EQ(Row(1).RotateMin, 0);
    EXPECT_FLOAT_EQ(Row(1).RotateMax, 719);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Rotate(1), 719);
    // A start of -1 or less keeps the rotation; the effect can be stored switched off.
    engine.SetRotating(1, -1, 1, 0, 360, 0, 0, false);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Rotate(1), 719);
    EXPECT_FALSE(engine.IsRotating(1));
}

TEST_F(BehaviourTest, RotationEndRulesAndFollowers) {
    On(1, 0, 0);
    engine.SetRotating(1, 350, 1, 0, 355, 0, 7, true);  // once, then upright
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Rotate(1), 0);
    EXPECT_FALSE(engine.IsRotating(1));
    engine.SetRotating(1, 350, 1, 0, 355, 0, 8, true);  // once, then off
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));

    // Facing another sprite, turning with it, facing the way it moves.
    On(2, 100, 100);
    On(3, 200, 100);
    engine.SetRotateToSprite(2, 3, true);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Rotate(2), 90);
    sprite.Rotate(3, 123);
    engine.SetRotateWithSprite(2, 3, true);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Rotate(2), 123);
    engine.SetRotateToDirection(2, true);
    engine.Move(2, 0, 1, -1000, -1000, 1000, 1000, 0);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Rotate(2), 180);
    engine.TurnOffMovement(2);
    Frames(1);  // standing still keeps the last heading
    EXPECT_FLOAT_EQ(sprite.Rotate(2), 180);

    // A random spin draws its speed from the range.
    On(4, 0, 0);
    engine.SetRotatingRandom(4, 0, 0.1f, 0.2f, 0, 719, 50, true);
    Frames(1);
    EXPECT_GE(sprite.Rotate(4), 1.0f);
    EXPECT_LE(sprite.Rotate(4), 2.0f);
}

}  // namespace
