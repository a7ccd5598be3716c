// The behaviour step: start delays, the turn-off routine ending the step, the order of the
// sub-steps, pausing and resuming, and the queries of the behaviour.
#include <gtest/gtest.h>

#include "sprites/BehaviourFixture.h"
#include "sprites/SpriteStep.h"

namespace {

using plmtest::BehaviourTest;

TEST_F(BehaviourTest, DelayWaitsOffThenStartsTheWaitingBehaviour) {
    On(1, 100, 100);
    engine.Move(1, 0.1f, 0, 0, 0, 800, 600, 0);
    engine.Delay(1, 25);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(engine.Delay(1), 25);
    EXPECT_TRUE(engine.IsAnyOfTheseDelaying(1, 3));
    EXPECT_TRUE(engine.IsAnyOfTheseOnOrDelaying(1, 1));
    Frames(2);  // 25 -> 15 -> 5
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(engine.Delay(1), 5);
    Frames(1);  // below 1: on, the behaviour starts next frame
    EXPECT_TRUE(sprite.Enabled(1));
    EXPECT_EQ(engine.GetEngineType(1), 1);
    EXPECT_FLOAT_EQ(sprite.X(1), 100);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 101);
    EXPECT_FALSE(engine.IsAnyOfTheseDelaying(1, 3));
}

TEST_F(BehaviourTest, DelayRoundsEachFrameSoSmallDeltasNeverCountDown) {
    struct Case {
        float delta;
        bool startsInFirstFrame;
    };
    // 1 - 0.5 rounds to 0 (halves to even); 1 - 0.4 rounds back to 1, and so for any delay.
    for (Case c : {Case{0.5f, true}, Case{0.4f, false}, Case{0.6f, true}}) {
        On(1, 0, 0);
        engine.Delay(1, 1);
        SetDelta(c.delta);
        Frames(1);
        EXPECT_EQ(sprite.Enabled(1), c.startsInFirstFrame) << c.delta;
    }
    On(2, 0, 0);
    engine.Delay(2, 300);
    SetDelta(0.4f);
    Frames(50);
    EXPECT_EQ(engine.Delay(2), 300);
}

TEST_F(BehaviourTest, DelayZeroCancelsTheWaitButLeavesTheSpriteOff) {
    On(1, 0, 0);
    engine.Delay(1, 100);
    engine.Delay(1, 0);
    EXPECT_EQ(engine.Delay(1), 0);
    Frames(20);
    EXPECT_FALSE(sprite.Enabled(1));
    engine.Delay(1, -5);  // below 0 counts as 0
    EXPECT_EQ(engine.Delay(1), 0);
}

TEST_F(BehaviourTest, OffSpriteRunsNothing) {
    On(1, 100, 100);
    engine.Move(1, 1, 0, 0, 0, 800, 600, 0);
    engine.SetScaling(1, 1, 0.01f, 0, 10, 0, 0, true);
    sprite.Enabled(1, false);
    Frames(5);
    EXPECT_FLOAT_EQ(sprite.X(1), 100);
    EXPECT_FLOAT_EQ(sprite.Scaled(1), 1);
}

TEST_F(BehaviourTest, TurnOffEndsTheStepBeforeTheEffects) {
    On(1, 100, 100);
    engine.Move(1, 0.1f, 0, 0, 0, 101.5f, 600, 0);
    engine.SetScaling(1, 1, 0.01f, 0, 10, 0, 0, true);
    engine.SetRotating(1, 0, 1, 0, 360, 0, 0, true);
    EXPECT_TRUE(plm::StepSpriteBehaviour(1));
    EXPECT_FLOAT_EQ(Row(1).Scaled, 1.1f);
    EXPECT_FALSE(plm::StepSpriteBehaviour(1));  // X 102 is past 101.5
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(engine.GetEngineType(1), 0);
    EXPECT_EQ(engine.Delay(1), 0);
    EXPECT_FLOAT_EQ(Row(1).Scaled, 1.1f);  // the frame of the turn-off keeps the last effects
    EXPECT_FLOAT_EQ(Row(1).Rotate, 10);
}

TEST_F(BehaviourTest, TypesWithoutBehaviourStillRunTheirEffects) {
    for (int32_t type : {0, 15, 16, 35, 47, -3}) {
        On(1, 50, 50);
        Row(1).EngineType = type;
        Row(1).XDir = 1;
        engine.SetRotating(1, 0, 1, 0, 360, 0, 0, true);
        Frames(1);
        EXPECT_FLOAT_EQ(sprite.X(1), 50) << type;
        EXPECT_FLOAT_EQ(Row(1).Rotate, 10) << type;
        EXPECT_TRUE(sprite.Enabled(1)) << type;
    }
}

TEST_F(BehaviourTest, PauseTwiceKeepsTheSavedBehaviour) {
    On(1, 0, 0);
    engine.Pong(1, 0.1f, 0.1f, -100, -100, 100, 100, 0);
    engine.PauseMovement(1);
    EXPECT_FALSE(engine.IsMoving(1));
    engine.PauseMovement(1);
    engine.ResumeMovement(1);
    EXPECT_EQ(engine.GetEngineType(1), 2);
    // A resume with nothing paused leaves the behaviour alone.
    engine.ResumeMovement(1);
    EXPECT_EQ(engine.GetEngineType(1), 2);
    engine.TurnOffMovement(1);
    EXPECT_EQ(engine.GetEngineType(1), 0);
    EXPECT_TRUE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, QueriesOfTheBehaviour) {
    On(1, 0, 0);
    engine.Move(1, 0.25f, -0.5f, -100, -100, 100, 100, 0);
    const plm::PLMXY v = engine.GetMoveDirection(1);
    EXPECT_FLOAT_EQ(v.X, 0.25f);
    EXPECT_FLOAT_EQ(v.Y, -0.5f);
    EXPECT_TRUE(engine.IsMoving(1));
    EXPECT_FALSE(engine.IsAnyOfTheseOnOrDelaying(3, 2));
    EXPECT_FALSE(engine.IsAnyOfTheseOnOrDelaying(2, 10));
    EXPECT_FALSE(engine.IsAnyOfTheseDelaying(-5, 500));
    engine.SetMiscAddXY(0.5f, -1);
    EXPECT_FLOAT_EQ(plm::State().MiscAddX, 0.5f);
    EXPECT_FLOAT_EQ(plm::State().MiscAddY, -1);
    // A number outside the table is refused.
    engine.Move(99, 1, 1, 0, 0, 1, 1, 0);
    EXPECT_EQ(engine.GetEngineType(99), 0);
    EXPECT_FALSE(engine.IsMoving(0));
}

}  // namespace
