// Tracking and chasing toward a sprite and toward a point.
#include <gtest/gtest.h>

#include <cmath>

#include "sprites/BehaviourFixture.h"

namespace {

using plmtest::BehaviourTest;

TEST_F(BehaviourTest, TrackStepsInEightDirections) {
    struct Case {
        float tx, ty;
        float x, y;  // after one frame from (100, 100), speeds 0.5 and 0.25
        int32_t code;
    };
    const Case cases[] = {
        {200, 100, 105, 100, 2},   {0, 100, 95, 100, 6},    {100, 200, 100, 102.5f, 4}, {100, 0, 100, 97.5f, 0},
        {200, 200, 105, 102.5f, 3}, {0, 0, 95, 97.5f, 7},    {200, 0, 105, 97.5f, 1},    {0, 200, 95, 102.5f, 5},
        {100, 100, 100, 100, 7},  // equal centres: nothing moves, the code stays
    };
    for (const Case& c : cases) {
        On(1, 100, 100);
        On(2, c.tx, c.ty);
        Row(1).DirectionCode = 7;
        engine.Track(1, 2, 0.5f, 0.25f, 0);
        Frames(1);
        EXPECT_FLOAT_EQ(sprite.X(1), c.x) << c.tx << "," << c.ty;
        EXPECT_FLOAT_EQ(sprite.Y(1), c.y) << c.tx << "," << c.ty;
        EXPECT_EQ(Row(1).DirectionCode, c.code) << c.tx << "," << c.ty;
    }
    // A length between 0 and 1 ends (turns off) in the first frame.
    On(1, 0, 0);
    engine.Track(1, 2, 0.5f, 0.5f, 0.5f);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, TrackIAcceleratesWithinItsLimits) {
    On(1, 0, 0);
    On(2, 1000, -1000);
    engine.TrackI(1, 2, 0.01f, 0.3f, 0.02f, 0.5f, 0);
    Frames(1);
    EXPECT_FLOAT_EQ(Row(1).Param1, 0.1f);
    EXPECT_FLOAT_EQ(Row(1).Param4, -0.2f);
    EXPECT_FLOAT_EQ(sprite.X(1), 1);
    Frames(10);
    EXPECT_FLOAT_EQ(Row(1).Param1, 0.3f);
    EXPECT_FLOAT_EQ(Row(1).Param4, -0.5f);
    EXPECT_EQ(Row(1).DirectionCode, 1);
    // An acceleration of 0 keeps the start speed; TrackIWrap puts a sprite leaving below XMin on XMax.
    On(3, 5, 50);
    On(4, -1000, 50);
    engine.TrackIWrap(3, 4, -1, 0, 2, 0, 0, 0, 0, 0, 100, 100);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(3), 100);
    EXPECT_FLOAT_EQ(Row(3).Param1, -1);
    // TrackIBoundry ends when the tracked sprite goes off.
    On(5, 50, 50);
    engine.TrackIBoundry(5, 2, 0, 0, 0, 0, 0, 0, 0, 0, 100, 100);
    Frames(1);
    EXPECT_TRUE(sprite.Enabled(5));
    sprite.Enabled(2, false);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(5));
}

TEST_F(BehaviourTest, ChaseMovesStraightAtTheSprite) {
    On(1, 100, 100);
    On(2, 100, 300);
    engine.Chase(1, 2, 0.5f, -1000, -1000, 1000, 1000, 25, false);
    Frames(1);
    EXPECT_NEAR(sprite.X(1), 100, 1e-4);
    EXPECT_NEAR(sprite.Y(1), 105, 1e-4);
    EXPECT_NEAR(engine.GetMoveDirection(1).Y, 0.5f, 1e-6);
    // The timer stops the chase and leaves the sprite on.
    Frames(2);
    EXPECT_FALSE(engine.IsMoving(1));
    EXPECT_TRUE(sprite.Enabled(1));
    // Chasing a sprite that went off: on with Option1 false, off with it true.
    engine.Chase(1, 2, 0.5f, -1000, -1000, 1000, 1000, 0, false);
    sprite.Enabled(2, false);
    Frames(1);
    EXPECT_TRUE(sprite.Enabled(1));
    EXPECT_TRUE(engine.IsMoving(1));
    engine.Chase(1, 2, 0.5f, -1000, -1000, 1000, 1000, 0, true);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, ChaseAlongARowOrColumnKeepsItsHeading) {
    // The direction vector of a whole angle leaves float noise on the other axis (a Y of about
    // 2e-7 for 90), kept in full on the line through 0; the next frame's heading must still be
    // the whole angle, not the degree below.
    struct Case {
        float tx, ty, heading;
    };
    for (Case c : {Case{800, 0, 90}, Case{-800, 0, 270}, Case{0, 800, 180}, Case{0, -800, 360}}) {
        On(1, 0, 0);
        On(2, c.tx, c.ty);
        engine.Chase(1, 2, 0.5f, -1000, -1000, 1000, 1000, 0, false);
        for (int frame = 1; frame <= 6; ++frame) {
            Frames(1);
            EXPECT_EQ(sprite.GetAngleBetweenSprites(1, 2), c.heading) << c.heading << " frame " << frame;
        }
        // Six frames of 5 pixels straight along the line, nothing across it.
        EXPECT_NEAR(sprite.X(1), c.tx / 800 * 30, 1e-3) << c.heading;
        EXPECT_NEAR(sprite.Y(1), c.ty / 800 * 30, 1e-3) << c.heading;
    }
}

TEST_F(BehaviourTest, ChaseCWobblesAroundTheChase) {
    // With limits 0 it moves like Chase, the wobble accelerations flipping every frame.
    On(1, 100, 100);
    On(2, 300, 100);
    engine.ChaseC(1, 2, 1, 0.01f, 0.02f, 0, 0, -1000, -1000, 1000, 1000, 0, true, false);
    Frames(1);
    EXPECT_NEAR(sprite.X(1), 110, 1e-4);
    EXPECT_NEAR(sprite.Y(1), 100, 1e-4);
    EXPECT_FLOAT_EQ(Row(1).Param2, -0.01f);
    Frames(1);
    EXPECT_FLOAT_EQ(Row(1).Param2, 0.01f);
    // With a limit the wobble swings between -limit and +limit.
    engine.ChaseC(1, 2, 0, 0, 0.01f, 0, 0.05f, -1000, -1000, 1000, 1000, 0, true, false);
    float lowest = 0, highest = 0;
    for (int i = 0; i < 40; ++i) {
        Frames(1);
        lowest = std::min(lowest, Row(1).Param7);
        highest = std::max(highest, Row(1).Param7);
    }
    EXPECT_FLOAT_EQ(highest, 0.05f);
    EXPECT_FLOAT_EQ(lowest, -0.05f);
}

TEST_F(BehaviourTest, ChaseCToXYFollowsItsPointAndWraps) {
    On(1, 0, 0);
    engine.ChaseCToXY(1, 0, 100, 1, 0, 0, 0, 0, -1000, -1000, 1000, 1000, 0, false);
    Frames(1);
    EXPECT_NEAR(sprite.Y(1), 10, 1e-4);
    engine.UpdateToXY(1, -100, 10);
    EXPECT_EQ(engine.GetEngineType(1), 45);
    Frames(1);
    EXPECT_NEAR(sprite.X(1), -10, 1e-4);
    EXPECT_EQ(Row(1).EngineType, 45);
    // Wrap instead of turning off at the bounds; the timer stops it.
    engine.ChaseCToXY(1, -500, 10, 1, 0, 0, 0, 0, -15, -100, 100, 100, 15, true);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 100);
    EXPECT_TRUE(sprite.Enabled(1));
    Frames(1);
    EXPECT_FALSE(engine.IsMoving(1));
    EXPECT_TRUE(sprite.Enabled(1));
}

}  // namespace
