// The animation modes as Sprite.Render steps them with a fixed Delta: the frame sequence of each
// mode, its ending, and the refusals of the play members.
#include <gtest/gtest.h>

#include <vector>

#include "BehaviourFixture.h"
#include "sprites/SpriteAnimate.h"

namespace {

using plm::State;

class AnimationModeTest : public plmtest::BehaviourTest {
public:
    void SetUp() override {
        BehaviourTest::SetUp();
        // Three animations of three frames; the texture index names the frame: 1-3, 21-23, 31-33.
        ASSERT_TRUE(animate.Add(1, 2, 4, 16, 16, 3, "0,0,1,0,2,0", "1,2,3", false));
        ASSERT_TRUE(animate.Add(2, 0, 0, 8, 8, 3, "0,1,1,1,2,1", "21,22,23", false));
        ASSERT_TRUE(animate.Add(3, 0, 0, 8, 8, 3, "0,2,1,2,2,2", "31,32,33", false));
        On(1, 100, 100);
    }
    // The frame shown after each of n frames.
    std::vector<int> Shown(int n) {
        std::vector<int> out;
        for (int i = 0; i < n; ++i) {
            Frames(1);
            out.push_back(Row(1).Texture);
        }
        return out;
    }
    plm::SpriteAnimate animate;
};

TEST_F(AnimationModeTest, RepeatCyclesAndTakesTheAnimationGrid) {
    animate.Repeat(1, 1, 0.1f, false);  // one frame per 10 ms frame
    EXPECT_EQ(Row(1).Texture, 1);
    EXPECT_EQ(Row(1).SrcX, 2);
    EXPECT_EQ(Row(1).SrcY, 4);
    EXPECT_EQ(Row(1).Width, 16);
    EXPECT_EQ(Shown(5), (std::vector<int>{2, 3, 1, 2, 3}));
    EXPECT_EQ(Row(1).XFrame, 2);
    EXPECT_TRUE(animate.IsAnimating(1));

    // Changing only the animation keeps the position and speed running.
    animate.Repeat(1, 2, 5.0f, true);
    EXPECT_EQ(Row(1).AnimSpeed, 0.1f);
    EXPECT_EQ(Row(1).Width, 8);
    EXPECT_EQ(Shown(2), (std::vector<int>{21, 22}));
}

TEST_F(AnimationModeTest, OnceStopsOnTheLastFrame) {
    animate.Once(1, 1, 0.1f);
    EXPECT_EQ(Shown(5), (std::vector<int>{2, 3, 3, 3, 3}));
    EXPECT_EQ(Row(1).AnimPosition, 3.0f);
    EXPECT_FALSE(animate.IsAnimating(1));
    EXPECT_TRUE(sprite.Enabled(1));
}

TEST_F(AnimationModeTest, CollideAndOnceThenTurnOffEndWithTheSpriteOff) {
    animate.Collide(1, 1, 0.1f);
    EXPECT_FALSE(Row(1).CollideEnabled);  // at once, before the end
    Shown(2);
    EXPECT_TRUE(sprite.Enabled(1));
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(Row(1).AnimPosition, 1.0f);

    On(1, 100, 100);
    animate.OnceThenTurnOff(1, 2, 0.1f);
    EXPECT_TRUE(Row(1).CollideEnabled);
    Frames(3);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(Row(1).Texture, 23);  // the last frame shown stays
}

TEST_F(AnimationModeTest, HitPlaysOnceThenRepeatsTheNextAnimation) {
    animate.Hit(1, 1, 0.1f, 2, 0.1f);
    EXPECT_EQ(Shown(6), (std::vector<int>{2, 3, 21, 22, 23, 21}));
    EXPECT_EQ(Row(1).AnimMode, 1);
    EXPECT_EQ(Row(1).Width, 8);
}

TEST_F(AnimationModeTest, DirectionFollowsTheDirectionCode) {
    SetDelta(1);  // direction speeds are whole frames per ms
    // Codes 0..8: code 2 plays animation 2, code 4 animation 3, code 8 keeps what plays.
    const char* pairs = "1,1, 1,1, 2,1, 1,1, 3,1, 1,1, 1,1, 1,1, 0,0";
    ASSERT_TRUE(animate.Direction(1, 2, pairs));
    EXPECT_EQ(Row(1).Texture, 21);
    EXPECT_EQ(Shown(1), (std::vector<int>{22}));
    Row(1).DirectionCode = 4;
    EXPECT_EQ(Shown(2), (std::vector<int>{31, 32}));
    Row(1).DirectionCode = 8;
    EXPECT_EQ(Shown(2), (std::vector<int>{33, 31}));
    EXPECT_EQ(Row(1).AnimIndex, 3);
}

TEST_F(AnimationModeTest, DirectionRefusesWrongPairsAndStartDirections) {
    animate.Repeat(1, 1, 0.1f, false);
    const plm::SpriteRecord before = Row(1);
    EXPECT_FALSE(animate.Direction(1, 2, "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"));           // 8 pairs
    EXPECT_FALSE(animate.Direction(1, 9, "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"));       // code 9
    EXPECT_FALSE(animate.Direction(1, -1, "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"));      // code -1
    EXPECT_FALSE(animate.Direction(1, 0, "9,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"));       // no animation 9
    EXPECT_FALSE(animate.Direction(1, 0, "1,-1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"));      // negative speed
    EXPECT_EQ(Row(1).AnimMode, before.AnimMode);
    EXPECT_EQ(Row(1).AnimIndex, before.AnimIndex);
    EXPECT_EQ(Row(1).DirAnim, before.DirAnim);

    // A speed of 0.4 is stored as 0: that direction's animation does not advance.
    ASSERT_TRUE(animate.Direction(1, 0, "1,0.4, 1,1, 1,1, 1,1, 1,1, 1,1, 1,1, 1,1, 1,1"));
    EXPECT_EQ(Row(1).DirSpeed[0], 0);
    EXPECT_EQ(Shown(3), (std::vector<int>{1, 1, 1}));
}

TEST_F(AnimationModeTest, HitAndDirectionTakesTheCurrentDirectionAtItsEnd) {
    SetDelta(1);
    ASSERT_TRUE(animate.Direction(1, 4, "1,1, 1,1, 2,1, 1,1, 3,1, 1,1, 1,1, 1,1, 0,0"));
    animate.HitAndDirection(1, 1, 1.0f);
    Row(1).DirectionCode = 2;
    EXPECT_EQ(Shown(4), (std::vector<int>{2, 3, 3, 21}));  // the end frame shows no new frame
    EXPECT_EQ(Row(1).AnimMode, 5);
}

TEST_F(AnimationModeTest, RepeatRoboMoveStepsWholeStepsAndEnds) {
    // A tick every 45 ms: with 10 ms frames the timer goes below 0 in the fifth frame.
    animate.RepeatRoboMove(1, 1, 45, 5, -5, 0, 0, 112, 200, false, false, 0);
    EXPECT_EQ(Row(1).EngineType, 0);
    EXPECT_EQ(Row(1).DirectionCode, 1);  // up and right
    Frames(4);
    EXPECT_EQ(Row(1).X, 100.0f);
    EXPECT_EQ(Row(1).Texture, 1);
    Frames(1);
    EXPECT_EQ(Row(1).X, 105.0f);
    EXPECT_EQ(Row(1).Y, 95.0f);
    EXPECT_EQ(Row(1).Texture, 2);
    Frames(5);
    EXPECT_EQ(Row(1).X, 110.0f);
    EXPECT_TRUE(sprite.Enabled(1));
    Frames(5);  // 115 is beyond XMax 112
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_EQ(Row(1).AnimMode, 0);

    // The short forms change only the interval, or only the direction (and stop the behaviour).
    On(1, 100, 100);
    animate.RepeatRoboMove(1, 1, 45, 5, -5, 0, 0, 112, 200, false, false, 0);
    animate.RepeatRoboMove(1, 2, 20, 9, 9, 1, 1, 1, 1, false, true, 0);
    EXPECT_EQ(Row(1).RoboInterval, 20.0f);
    EXPECT_EQ(Row(1).XDir, 5.0f);
    EXPECT_EQ(Row(1).AnimIndex, 1);
    Row(1).EngineType = 1;
    animate.RepeatRoboMove(1, 2, 20, -3, 2, 1, 1, 1, 1, true, false, 0);
    EXPECT_EQ(Row(1).XDir, -3.0f);
    EXPECT_EQ(Row(1).YDir, 2.0f);
    EXPECT_EQ(Row(1).EngineType, 0);
    EXPECT_EQ(Row(1).XMax, 112.0f);
    EXPECT_EQ(Row(1).AnimIndex, 1);

    // The movement timer ends the animation; the sprite stays on.
    On(1, 100, 100);
    animate.RepeatRoboMove(1, 1, 45, 1, 0, 0, 0, 500, 500, false, false, 25);
    Frames(3);
    EXPECT_EQ(Row(1).AnimMode, 0);
    EXPECT_TRUE(sprite.Enabled(1));
}

TEST_F(AnimationModeTest, PauseContinueOffAndTheProperties) {
    animate.Repeat(1, 1, 0.1f, false);
    animate.Pause(1);
    EXPECT_FALSE(animate.IsAnimating(1));
    EXPECT_EQ(Shown(2), (std::vector<int>{1, 1}));
    animate.Continue(1);
    EXPECT_EQ(Shown(1), (std::vector<int>{2}));
    animate.Position(1, 3.5f);
    EXPECT_EQ(animate.Position(1), 3.5f);
    animate.Speed(1, 0.2f);
    EXPECT_EQ(animate.Speed(1), 0.2f);
    animate.Off(1);
    EXPECT_FALSE(animate.IsAnimating(1));
    EXPECT_EQ(animate.GetAnim(1), 1);
    EXPECT_EQ(animate.GetFrameWidth(1), 16);
    animate.SetFrameIndex(1, 7, 8);
    EXPECT_EQ(animate.GetFrameIndex(1).X, 7.0f);
    EXPECT_EQ(animate.GetFrameIndex(1).Y, 8.0f);
    // A sprite that is off is not animating, whatever its mode.
    animate.Repeat(1, 1, 0.1f, false);
    sprite.Enabled(1, false);
    EXPECT_FALSE(animate.IsAnimating(1));
}

TEST_F(AnimationModeTest, PlayMembersRefuseUnknownAnimationsAndNegativeSpeeds) {
    animate.Repeat(1, 1, 0.1f, false);
    animate.Repeat(1, 4, 0.1f, false);    // beyond the table
    animate.Once(1, 0, 0.1f);             // below it
    animate.Collide(1, 2, -0.1f);         // negative speed
    animate.Hit(1, 2, 0.1f, 99, 0.1f);    // the next animation unknown
    animate.Speed(1, -1.0f);
    EXPECT_EQ(Row(1).AnimMode, 1);
    EXPECT_EQ(Row(1).AnimIndex, 1);
    EXPECT_EQ(Row(1).AnimSpeed, 0.1f);
    EXPECT_TRUE(Row(1).CollideEnabled);

    // A position set below frame 1 shows frame 1, never a slot before it.
    animate.Position(1, -40.0f);
    animate.Speed(1, 0.0f);
    EXPECT_EQ(Shown(1), (std::vector<int>{1}));
    EXPECT_EQ(Row(1).AnimPosition, 1.0f);
}

TEST_F(AnimationModeTest, AnAnimationCutOffByAShorterTableIsNoCrash) {
    animate.Repeat(1, 3, 0.1f, false);
    sprite.Init(10);  // one blank animation record remains
    On(1, 100, 100);
    Row(1).AnimMode = 1;
    Row(1).AnimIndex = 3;
    Row(1).AnimSpeed = 0.1f;
    Frames(2);
    EXPECT_EQ(Row(1).Texture, 0);
}

}  // namespace
