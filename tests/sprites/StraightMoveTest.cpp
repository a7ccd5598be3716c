// Straight movement, bounds, bouncing and wrapping, stepped through Sprite.Render with Delta 10.
#include <gtest/gtest.h>

#include <cmath>

#include "sprites/BehaviourFixture.h"

namespace {

using plmtest::BehaviourTest;

TEST_F(BehaviourTest, BoundsAreStrict) {
    struct Case {
        float xDir;  // one frame from X 90
        bool on;
    };
    // 90 + 10 x 1.0 = 100 lies on XMax and stays; 100.5 is past it.
    for (Case c : {Case{1.0f, true}, Case{1.05f, false}, Case{-9.0f, true}, Case{-9.05f, false}}) {
        On(1, 90, 50);
        engine.Move(1, c.xDir, 0, 0, 0, 100, 100, 0);
        Frames(1);
        EXPECT_EQ(sprite.Enabled(1), c.on) << c.xDir;
        EXPECT_EQ(engine.GetEngineType(1), c.on ? 1 : 0) << c.xDir;
    }
}

TEST_F(BehaviourTest, TimedMoveEndsBelowOneMillisecond) {
    struct Case {
        float length;
        int32_t offWhenEnds;
        int frames;    // frames until the end
        bool staysOn;
    };
    // 30.5 ms: 20.5, 10.5, 0.5 -> ends in the third frame; 31 ms: 21, 11, 1 -> a fourth frame.
    for (Case c : {Case{30.5f, 0, 3, true}, Case{31, 0, 4, true}, Case{30.5f, 1, 3, false}, Case{0.5f, 0, 1, true}}) {
        On(1, 0, 0);
        engine.Move(1, 0.1f, 0, -1000, -1000, 1000, 1000, c.length);
        Row(1).OffWhenTimedMoveEnds = c.offWhenEnds;
        Frames(c.frames - 1);
        EXPECT_TRUE(engine.IsMoving(1)) << c.length;
        Frames(1);
        EXPECT_FALSE(engine.IsMoving(1)) << c.length;
        EXPECT_EQ(sprite.Enabled(1), c.staysOn) << c.length;
        EXPECT_FLOAT_EQ(sprite.X(1), c.frames * 1.0f) << c.length;
    }
    // Untimed: runs until it leaves its bounds.
    On(2, 0, 0);
    engine.Move(2, 1, 0, -1000, -1000, 1000, 1000, 0);
    Frames(100);
    EXPECT_TRUE(sprite.Enabled(2));
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(2));
}

TEST_F(BehaviourTest, MoveDoesNotRefreshItsDirectionCode) {
    On(1, 0, 0);
    engine.Move(1, 1, 0, -1000, -1000, 1000, 1000, 0);
    EXPECT_EQ(Row(1).DirectionCode, 2);
    Row(1).XDir = -1;
    Frames(1);
    EXPECT_EQ(Row(1).DirectionCode, 2);
}

TEST_F(BehaviourTest, PongReflectsOneStepBackIn) {
    On(1, 95, 50);
    engine.Pong(1, 1, 0, 0, 0, 100, 100, 0);
    Frames(1);  // 105 is out: reversed and one step back to 95
    EXPECT_TRUE(sprite.Enabled(1));
    EXPECT_FLOAT_EQ(sprite.X(1), 95);
    EXPECT_FLOAT_EQ(engine.GetMoveDirection(1).X, -1);
    EXPECT_EQ(Row(1).DirectionCode, 6);
    // Timer end turns a Pong off.
    engine.Pong(1, 0.1f, 0.1f, 0, 0, 100, 100, 15);
    Frames(2);
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, WrapPutsTheSpriteOnTheOppositeBound) {
    On(1, 98, 2);
    engine.Wrap(1, 0.5f, -0.5f, 0, 0, 100, 100, 0);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 0);
    EXPECT_FLOAT_EQ(sprite.Y(1), 100);
    EXPECT_TRUE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, RepeatMovesReEnterAtTheOppositeBound) {
    // MoveYRepeat: past YMax re-enters at YMin, X drawn from XMin..XMax unless Wrap.
    On(1, 10, 95);
    engine.MoveYRepeat(1, 0, 1, 200, 0, 300, 100, false);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Y(1), 0);
    EXPECT_GE(sprite.X(1), 200);
    EXPECT_LE(sprite.X(1), 300);
    EXPECT_EQ(sprite.X(1), std::floor(sprite.X(1)));
    On(2, 10, 5);
    engine.MoveYRepeat(2, 0, -1, 200, 0, 300, 100, true);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.Y(2), 100);
    EXPECT_FLOAT_EQ(sprite.X(2), 10);
    // MoveXRepeat with the axes exchanged.
    On(3, 5, 7);
    engine.MoveXRepeat(3, -1, 0, 0, 40, 100, 60, false);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(3), 100);
    EXPECT_GE(sprite.Y(3), 40);
    EXPECT_LE(sprite.Y(3), 60);
    Frames(500);
    EXPECT_TRUE(sprite.Enabled(3));
}

TEST_F(BehaviourTest, ThrustAcceleratesBeforeItMoves) {
    On(1, 0, 0);
    engine.Thrust(1, 0, 1, 0.01f, 0, -1000, -1000, 1000, 1000, 0);
    Frames(1);
    // Speed 0 + 0.01 x 10 = 0.1 first, then X += 0.1 x 10.
    EXPECT_FLOAT_EQ(sprite.X(1), 1);
    EXPECT_FLOAT_EQ(sprite.Y(1), 10);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 3);
    EXPECT_EQ(Row(1).DirectionCode, 4);  // (0.2, 1) is mostly down
    // The timer stops a thrust; the bounds turn it off.
    engine.Thrust(1, 0, 0, 0, 0, -1000, -1000, 1000, 1000, 5);
    Frames(1);
    EXPECT_FALSE(engine.IsMoving(1));
    EXPECT_TRUE(sprite.Enabled(1));
    engine.Thrust(1, 0, 0, 1, 0, -1000, -1000, 1000, 1000, 0);
    Frames(4);
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, YBounceAndXBounceReflectOnTheirThrustSide) {
    On(1, 50, 95);
    engine.YBounce(1, 0, 1, 0, 0.001f, 0, 0, 100, 100, 0);
    Frames(1);  // Y 105.1 is past YMax with a downward thrust: reflected onto YMax
    EXPECT_FLOAT_EQ(sprite.Y(1), 100);
    EXPECT_LT(engine.GetMoveDirection(1).Y, 0);
    EXPECT_TRUE(sprite.Enabled(1));
    engine.YBounce(1, 20, 0, 0, 0.001f, 0, 0, 100, 100, 0);
    Frames(1);  // X leaves the bounds: off
    EXPECT_FALSE(sprite.Enabled(1));

    On(2, 5, 50);
    engine.XBounce(2, -1, 0, -0.001f, 0, 0, 0, 100, 100, 0);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(2), 0);
    EXPECT_GT(engine.GetMoveDirection(2).X, 0);
    EXPECT_TRUE(sprite.Enabled(2));
}

// Runs frames until sprite s has touched Y = first and then Y = second; false after 200 frames.
bool TouchesInTurn(BehaviourTest& t, int32_t s, float first, float second) {
    bool reflected = false;
    for (int i = 0; i < 200; ++i) {
        t.Frames(1);
        reflected = reflected || t.sprite.Y(s) == first;
        if (reflected && t.sprite.Y(s) == second) return true;
    }
    return false;
}

TEST_F(BehaviourTest, BounceYLandsOrReflectsByItsMode) {
    // Down: starts on YMin, falls, reflects at YMax, and lands on YMin with speed 0.
    On(1, 50, 0);
    engine.BounceY(1, -0.001f, 0, 100, true, 0);
    EXPECT_FLOAT_EQ(sprite.Y(1), 0);
    EXPECT_FLOAT_EQ(Row(1).ThrustY, 0.001f);
    EXPECT_TRUE(TouchesInTurn(*this, 1, 100, 0));
    EXPECT_FLOAT_EQ(engine.GetMoveDirection(1).Y, 0);
    // Up: starts on YMax, rises, reflects at YMin and stops on YMax.
    On(2, 50, 0);
    engine.BounceY(2, 0.001f, 0, 100, false, 0);
    EXPECT_FLOAT_EQ(sprite.Y(2), 100);
    EXPECT_FLOAT_EQ(Row(2).ThrustY, -0.001f);
    EXPECT_TRUE(TouchesInTurn(*this, 2, 0, 100));
    EXPECT_FLOAT_EQ(engine.GetMoveDirection(2).Y, 0);
    // BounceX on the other axis; the timer turns it off.
    On(3, 0, 0);
    engine.BounceX(3, 0.002f, 10, 90, true, 25);
    EXPECT_FLOAT_EQ(sprite.X(3), 10);
    Frames(2);
    EXPECT_TRUE(sprite.Enabled(3));
    EXPECT_GT(sprite.X(3), 10);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(3));
}

TEST_F(BehaviourTest, MoveToXYLandsExactlyOnTheTarget) {
    struct Case {
        float x, y, tx, ty, speed;
    };
    for (Case c : {Case{0, 0, 100.3f, 37.7f, 0.37f}, Case{500, 20, 3.25f, 410.5f, 5.0f}, Case{10, 10, 10, 10, 1},
                   Case{0, 0, -40, 0, 100}}) {
        On(1, c.x, c.y);
        engine.MoveToXY(1, c.tx, c.ty, c.speed);
        EXPECT_EQ(engine.GetEngineType(1), 10);
        Frames(300);
        EXPECT_FALSE(engine.IsMoving(1)) << c.tx;
        EXPECT_EQ(sprite.X(1), c.tx);
        EXPECT_EQ(sprite.Y(1), c.ty);
        EXPECT_TRUE(sprite.Enabled(1));
    }
}

TEST_F(BehaviourTest, JumpAndMoveLandsThenMovesStraight) {
    On(1, 0, 100);
    engine.JumpAndMove(1, 0.1f, -0.5f, 0.005f, 120, 1, 0, -1000, -1000, 1000, 1000);
    int frames = 0;
    while (engine.GetEngineType(1) == 36 && frames < 200) {
        Frames(1);
        ++frames;
    }
    EXPECT_EQ(engine.GetEngineType(1), 1);
    EXPECT_FLOAT_EQ(sprite.Y(1), 120);
    EXPECT_FLOAT_EQ(Row(1).MoveTimer, 0);
    const float x = sprite.X(1);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), x + 10);
    EXPECT_FLOAT_EQ(sprite.Y(1), 120);
}

TEST_F(BehaviourTest, ShootAimsAndWrapsItsAngle) {
    On(1, 100, 100);
    // No spread: angle 90 is straight right.
    EXPECT_FLOAT_EQ(engine.Shoot(1, 90, 2, -1000, -1000, 1000, 1000, 0, 0), 90);
    EXPECT_NEAR(engine.GetMoveDirection(1).X, 2, 1e-5);
    EXPECT_NEAR(engine.GetMoveDirection(1).Y, 0, 1e-5);
    EXPECT_EQ(engine.GetEngineType(1), 1);
    // Spread 10 gives offsets -10..20; every angle used lies within 0..360.
    bool sawWrap = false;
    for (int i = 0; i < 200; ++i) {
        float a = engine.Shoot(1, 355, 1, -1000, -1000, 1000, 1000, 0, 10);
        EXPECT_GE(a, 0);
        EXPECT_LE(a, 360);
        EXPECT_TRUE(a >= 345 || a <= 15) << a;
        sawWrap = sawWrap || a <= 15;
    }
    EXPECT_TRUE(sawWrap);
    // Any spread, however wide, stays inside the wrap table.
    for (float diff : {400.0f, 5000.0f, -720.0f, 1e12f}) {
        for (int i = 0; i < 50; ++i) {
            float a = engine.Shoot(1, 10, 1, -1000, -1000, 1000, 1000, 0, diff);
            EXPECT_GE(a, 0) << diff;
            EXPECT_LE(a, 360) << diff;
        }
    }
    // ShootSprite aims at the other sprite's centre; a timed shot is turned off when it ends.
    On(2, 100, 300);
    EXPECT_FLOAT_EQ(engine.ShootSprite(1, 2, 1, -1000, -1000, 1000, 1000, 15, 0), 180);
    Frames(1);
    EXPECT_NEAR(sprite.Y(1), 110, 1e-4);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, ThrottleKeepsItsSpeedWithinLimits) {
    On(1, 0, 0);
    engine.Throttle(1, 0, 0.05f, -0.2f, 0.2f, 0, -0.05f, -0.1f, 0.1f, -1000, -1000, 1000, 1000, 0, false);
    Frames(10);
    EXPECT_FLOAT_EQ(engine.GetMoveDirection(1).X, 0.2f);
    EXPECT_FLOAT_EQ(engine.GetMoveDirection(1).Y, -0.1f);
    EXPECT_EQ(Row(1).DirectionCode, 1);
    // With Wrap the bounds wrap; without, they turn the sprite off; the timer stops it.
    On(2, 95, 50);
    engine.Throttle(2, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 100, 100, 0, true);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(2), 0);
    engine.Throttle(2, 0.1f, 0, 0, 2, 0, 0, 0, 0, 0, 0, 100, 100, 15, true);
    Frames(2);
    EXPECT_FALSE(engine.IsMoving(2));
    EXPECT_TRUE(sprite.Enabled(2));
    engine.Throttle(2, -1, 0, -2, 2, 0, 0, 0, 0, 0, 0, 100, 100, 0, false);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(2));
}

}  // namespace
