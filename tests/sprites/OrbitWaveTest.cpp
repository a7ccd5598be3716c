// Orbits around sprites and points, and the waves.
#include <gtest/gtest.h>

#include <cmath>

#include "sprites/BehaviourFixture.h"

namespace {

using plmtest::BehaviourTest;

float DistanceTo(plm::Sprite& s, int32_t sprite, float x, float y) {
    return std::hypot(s.X(sprite) - x, s.Y(sprite) - y);
}

TEST_F(BehaviourTest, OrbitStillStartsAtItsAngleOnItsRadius) {
    struct Case {
        float startAngle;
        float dx, dy;  // first position relative to the centre, radius 50
    };
    for (Case c : {Case{0, 0, -50}, Case{90, 50, 0}, Case{180, 0, 50}, Case{270, -50, 0}, Case{450, 50, 0}}) {
        On(1, 0, 0);
        engine.OrbitStill(1, 50, 0.001f, true, 0, c.startAngle, 200, 300);
        Frames(1);
        EXPECT_NEAR(sprite.X(1), 200 + c.dx, 1e-3) << c.startAngle;
        EXPECT_NEAR(sprite.Y(1), 300 + c.dy, 1e-3) << c.startAngle;
    }
    // Every frame on the circle; the angle stays within one turn over a long run.
    On(1, 0, 0);
    engine.OrbitStill(1, 50, 0.05f, true, 0, 0, 200, 300);
    for (int i = 0; i < 20000; ++i) {
        sprite.Render();
        ASSERT_NEAR(DistanceTo(sprite, 1, 200, 300), 50, 1e-3);
    }
    EXPECT_GE(Row(1).OrbitAngle, 0);
    EXPECT_LT(Row(1).OrbitAngle, 6.2832f);
    EXPECT_TRUE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, OrbitCentresAndSides) {
    // OrbitStill with XPos 0 orbits its own X; OrbitStillX with XPos 0 orbits X = 0.
    On(1, 70, 80);
    engine.OrbitStill(1, 10, 0, true, 0, 90, 0, 0);
    EXPECT_FLOAT_EQ(Row(1).CentreX, 70);
    EXPECT_FLOAT_EQ(Row(1).CentreY, 80);
    EXPECT_EQ(Row(1).OrbitSide, 1);
    Frames(1);
    EXPECT_NEAR(sprite.X(1), 80, 1e-4);
    On(2, 70, 80);
    engine.OrbitStillX(2, 10, 0, true, 0, 90, 0, -10000);
    EXPECT_FLOAT_EQ(Row(2).CentreX, 0);
    EXPECT_FLOAT_EQ(Row(2).CentreY, 80);
    EXPECT_EQ(Row(2).OrbitSide, -1);  // the other way from OrbitStill
    Frames(1);
    EXPECT_NEAR(sprite.X(2), -10, 1e-4);
    EXPECT_FLOAT_EQ(sprite.Y(2), 80);
    // OrbitStillY swings on Y only.
    On(3, 70, 80);
    engine.OrbitStillY(3, 10, 0, true, 0, 180, -20000, 0);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(3), 70);
    EXPECT_NEAR(sprite.Y(3), 10, 1e-4);
    // A timed orbit turns the sprite off.
    engine.OrbitStill(3, 10, 0, true, 15, 0, 50, 50);
    Frames(2);
    EXPECT_FALSE(sprite.Enabled(3));
}

TEST_F(BehaviourTest, OrbitAroundASprite) {
    struct Case {
        float style;
        int32_t stored;
    };
    for (Case c : {Case{1.5f, 2}, Case{-3, 0}, Case{7, 2}, Case{0.5f, 0}, Case{1, 1}}) {
        On(1, 0, 0);
        engine.Orbit(1, 2, 10, 0, 0, 0, c.style, true, 0, 0, 0, false, 0);
        EXPECT_EQ(Row(1).OrbitStyle, c.stored) << c.style;
    }
    // Around the stored position of sprite 2 plus the offsets; style 0 on both axes.
    On(2, 300, 200);
    On(1, 0, 0);
    engine.Orbit(1, 2, 40, 0, 5, -5, 0, true, 0, 0, 0, true, 180);
    Frames(1);
    EXPECT_NEAR(sprite.X(1), 305, 1e-4);
    EXPECT_NEAR(sprite.Y(1), 235, 1e-4);
    EXPECT_EQ(Row(1).DirectionCode, 0);  // the orbited sprite lies above
    // Radius growth every 20 ms by 3.
    engine.Orbit(1, 2, 40, 0, 0, 0, 0, true, 0, 3, 20, true, 180);
    Frames(2);
    EXPECT_FLOAT_EQ(engine.OrbitRadius(1), 43);
    Frames(2);
    EXPECT_FLOAT_EQ(engine.OrbitRadius(1), 46);
    // The orbited sprite going off ends the orbit when asked.
    sprite.Enabled(2, false);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, OrbitMoveAndOrbitMoveXY) {
    // OrbitMove starts a radius above its start position, the centre drifting.
    On(1, 100, 100);
    engine.OrbitMove(1, 20, 0, 1, 0, -1000, -1000, 1000, 1000, true, 0.5f, 0);
    Frames(1);
    EXPECT_NEAR(sprite.X(1), 100, 0.3f);  // the start angle 4.7 lies just short of straight up
    EXPECT_NEAR(sprite.Y(1), 80, 0.01f);
    EXPECT_FLOAT_EQ(Row(1).CentreX, 110);
    EXPECT_FLOAT_EQ(engine.OrbitRadius(1), 25);
    // OrbitMoveXY with a random length of 0 never reverses.
    On(2, 0, 0);
    engine.OrbitMoveXY(2, 1, 0.01f, 0, 0, -1000, -1000, 1000, 1000, true, 0, false, 0, 0);
    Frames(300);
    EXPECT_FLOAT_EQ(engine.OrbitRadiusSpeed(2), 0.01f);
    EXPECT_TRUE(sprite.Enabled(2));
    // With a length it reverses each time it runs out.
    engine.OrbitMoveXY(2, 1, 0.01f, 0, 0, -1000, -1000, 1000, 1000, true, 0, true, 25, 25);
    Frames(3);
    EXPECT_FLOAT_EQ(engine.OrbitRadiusSpeed(2), -0.01f);
}

TEST_F(BehaviourTest, WavesSwingAcrossTheirDrift) {
    On(1, 100, 0);
    engine.YCos(1, 1, 30, 0, -1000, -1000, 1000, 1000, true, 0, 90);
    EXPECT_EQ(Row(1).DirectionCode, 4);
    Frames(1);
    EXPECT_NEAR(sprite.X(1), 130, 1e-4);
    EXPECT_FLOAT_EQ(sprite.Y(1), 10);
    On(2, 0, 100);
    engine.XSin(2, 1, 30, 0, -1000, -1000, 1000, 1000, true, 0, 180);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(2), 10);
    EXPECT_NEAR(sprite.Y(2), 130, 1e-4);
    // A negative thrust slows and reverses the drift.
    On(3, 100, 0);
    engine.YCosYThrust(3, 1, -0.01f, 0, 0, -1000, -1000, 1000, 1000, true, 0, 0);
    Frames(20);
    EXPECT_LT(engine.GetMoveDirection(3).Y, 0);
    // The waves end at their bounds.
    engine.YCos(3, 100, 0, 0, -1000, -1000, 1000, 1000, true, 0, 0);
    Frames(2);
    EXPECT_FALSE(sprite.Enabled(3));
}

TEST_F(BehaviourTest, RepeatWavesReEnter) {
    On(1, 150, 95);
    engine.YCosRepeat(1, 1, 0, 0, 100, 0, 200, 100, true, false);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Y(1), 0);
    EXPECT_GE(sprite.X(1), 100);
    EXPECT_LE(sprite.X(1), 200);
    EXPECT_EQ(sprite.X(1), std::floor(sprite.X(1)));
    EXPECT_FLOAT_EQ(Row(1).CentreX, sprite.X(1));
    On(2, 150, 95);
    engine.YCosRepeat(2, 1, 0, 0, 100, 0, 200, 100, true, true);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Y(2), 0);
    EXPECT_FLOAT_EQ(sprite.X(2), 150);
    On(3, 5, 50);
    engine.XSinRepeat(3, -1, 0, 0, 0, 20, 100, 80, false, false);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(3), 100);
    EXPECT_GE(sprite.Y(3), 20);
    EXPECT_LE(sprite.Y(3), 80);
    Frames(1000);
    EXPECT_TRUE(sprite.Enabled(3));
}

}  // namespace
