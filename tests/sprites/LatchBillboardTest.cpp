// Latching to another sprite, and billboard entrances, holds and exits.
#include <gtest/gtest.h>

#include "sprites/BehaviourFixture.h"

namespace {

using plmtest::BehaviourTest;

TEST_F(BehaviourTest, LatchTakesTheWholePixelsOfTheLatchedSprite) {
    On(2, 100.75f, 50.5f);
    Row(2).DirectionCode = 5;
    On(1, 0, 0);
    engine.Latch(1, 2, 10.25f, -4, 0);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 110.25f);
    EXPECT_FLOAT_EQ(sprite.Y(1), 46);
    EXPECT_EQ(Row(1).DirectionCode, 5);
    sprite.Enabled(2, false);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
    // The timer ends a latch before it is placed.
    On(1, 0, 0);
    sprite.Enabled(2, true);
    engine.Latch(1, 2, 0, 0, 5);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_FLOAT_EQ(sprite.X(1), 0);
}

TEST_F(BehaviourTest, LatchMoveDriftsFromTheExactPosition) {
    On(2, 100.75f, 50.5f);
    On(1, 0, 0);
    engine.LatchMove(1, 0.5f, 0, 2, 10, 0, 0);
    Frames(2);
    EXPECT_FLOAT_EQ(sprite.X(1), 120.75f);
    EXPECT_FLOAT_EQ(sprite.Y(1), 50.5f);
    sprite.Enabled(2, false);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, LatchRotateTurnsItsOffsetsWithTheLatchedSprite) {
    struct Case {
        float rho;
        float dx, dy;  // offset from the latched sprite for XOffset 10, YOffset 4
    };
    // Unrotated: 10 to the right, 4 below. A quarter turn clockwise: right is down, below is left.
    for (Case c : {Case{0, 10, 4}, Case{90, -4, 10}, Case{180, -10, -4}, Case{270, 4, -10}}) {
        On(2, 200, 200);
        sprite.Rotate(2, c.rho);
        On(1, 0, 0);
        engine.LatchRotate(1, 2, 10, 4, true, 0);
        Frames(1);
        EXPECT_NEAR(sprite.X(1), 200 + c.dx, 1e-4) << c.rho;
        EXPECT_NEAR(sprite.Y(1), 200 + c.dy, 1e-4) << c.rho;
        EXPECT_FLOAT_EQ(sprite.Rotate(1), c.rho);
    }
    // The latched sprite going off does not end it; its timer does.
    sprite.Enabled(2, false);
    Frames(1);
    EXPECT_TRUE(sprite.Enabled(1));
    engine.LatchRotate(1, 2, 10, 4, false, 15);
    Frames(2);
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, BillboardFliesInHoldsAndFliesOut) {
    On(1, 900, 300);
    engine.BillboardX(1, -2, 0, 0.001f, 0, 400, 50, 0, 800);
    EXPECT_EQ(Row(1).DirectionCode, 6);
    int frames = 0;
    while (!engine.IsBillboardWaiting(1) && frames < 500) {
        Frames(1);
        ++frames;
    }
    ASSERT_TRUE(engine.IsBillboardWaiting(1));
    EXPECT_FLOAT_EQ(sprite.X(1), 400);
    EXPECT_FLOAT_EQ(engine.GetMoveDirection(1).X, 0);
    Frames(4);  // hold 50 ms: 40, 30, 20, 10
    EXPECT_TRUE(engine.IsBillboardWaiting(1));
    EXPECT_FLOAT_EQ(sprite.X(1), 400);
    Frames(1);
    EXPECT_FALSE(engine.IsBillboardWaiting(1));
    // Out with the thrust reversed, turned off past XMin.
    Frames(1);
    EXPECT_LT(sprite.X(1), 400);
    EXPECT_EQ(Row(1).DirectionCode, 6);
    for (int i = 0; i < 500 && sprite.Enabled(1); ++i) Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_LT(sprite.X(1), 0);
}

TEST_F(BehaviourTest, BillboardYEntersWithoutWaitingAndMinusOneStaysForGood) {
    On(1, 300, -50);
    engine.BillboardY(1, 0, 3, 0, 0, 100, -1, -100, 700);
    Frames(6);  // -20, 10, 40, 70, 100, 130 -> on the line
    EXPECT_FLOAT_EQ(sprite.Y(1), 100);
    EXPECT_FALSE(engine.IsBillboardWaiting(1));
    EXPECT_FALSE(engine.IsMoving(1));
    Frames(100);
    EXPECT_FLOAT_EQ(sprite.Y(1), 100);
    EXPECT_TRUE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, BillboardThrustAwayNeverStops) {
    // Not moving across its line and pushed along the other axis: no bounds while flying in.
    On(1, 500, 300);
    engine.BillboardX(1, 0, 0, 0, 0.001f, 400, 0, 0, 800);
    float lastSpeed = 0;
    for (int i = 0; i < 1000; ++i) {
        Frames(1);
        ASSERT_GT(engine.GetMoveDirection(1).Y, lastSpeed);
        lastSpeed = engine.GetMoveDirection(1).Y;
    }
    EXPECT_TRUE(sprite.Enabled(1));
    EXPECT_EQ(engine.GetEngineType(1), 17);
    EXPECT_GT(sprite.Y(1), 10000);
}

}  // namespace
