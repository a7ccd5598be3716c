// Path movements (frame moves, robo moves, splines, way points), spline files, and the
// behaviours driven by the keyboard and the mouse.
#include <gtest/gtest.h>

#include <string>

#include "sprites/BehaviourFixture.h"

namespace {

using plmtest::BehaviourTest;

TEST_F(BehaviourTest, FrameMoveRunsRoundTheEdgeOfItsBox) {
    struct Case {
        int32_t start;
        float x, y;    // after one frame of 10 px in the box 0..100 x 0..50
        int32_t code;
    };
    const Case cases[] = {
        {plm::BottomRightGoingUp, 100, 40, 0}, {plm::BottomRightGoingLeft, 90, 50, 6},
        {plm::BottomLeftGoingUp, 0, 40, 0},    {plm::BottomLeftGoingRight, 10, 50, 2},
        {plm::TopLeftGoingDown, 0, 10, 4},     {plm::TopLeftGoingRight, 10, 0, 2},
        {plm::TopRightGoingDown, 100, 10, 4},  {plm::TopRightGoingLeft, 90, 0, 6},
    };
    for (const Case& c : cases) {
        On(1, 500, 500);
        engine.FrameMove(1, 1, 0, 0, 100, 50, c.start, 0);
        Frames(1);
        EXPECT_FLOAT_EQ(sprite.X(1), c.x) << c.start;
        EXPECT_FLOAT_EQ(sprite.Y(1), c.y) << c.start;
        EXPECT_EQ(Row(1).DirectionCode, c.code) << c.start;
    }
    // Round a corner the step carries on; a whole lap of 300 px ends where it began.
    On(1, 0, 0);
    engine.FrameMove(1, 1.2f, 0, 0, 100, 50, plm::BottomRightGoingUp, 0);
    Frames(5);  // 60 px: 50 up, then 10 left
    EXPECT_NEAR(sprite.X(1), 90, 1e-4);
    EXPECT_FLOAT_EQ(sprite.Y(1), 0);
    EXPECT_EQ(Row(1).DirectionCode, 6);
    engine.FrameMove(1, 1, 0, 0, 100, 50, plm::BottomRightGoingUp, 0);
    Frames(30);
    EXPECT_FLOAT_EQ(sprite.X(1), 100);
    EXPECT_FLOAT_EQ(sprite.Y(1), 50);
    // A random corner is one of the four; the timer stops it.
    engine.FrameMove(1, 1, 0, 0, 100, 50, plm::RandomCorner, 15);
    EXPECT_TRUE(sprite.X(1) == 0 || sprite.X(1) == 100);
    EXPECT_TRUE(sprite.Y(1) == 0 || sprite.Y(1) == 50);
    Frames(2);
    EXPECT_FALSE(engine.IsMoving(1));
    EXPECT_TRUE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, RoboMoveStepsWholePixelsOnItsBeat) {
    On(1, 10.5f, 20);
    engine.RoboMove(1, 5, -2, 25, 0, 0, 30, 100, 0);
    Frames(2);
    EXPECT_FLOAT_EQ(sprite.X(1), 10.5f);
    Frames(1);  // 25 -> 15 -> 5 -> -5: a step
    EXPECT_FLOAT_EQ(sprite.X(1), 15.5f);
    EXPECT_FLOAT_EQ(sprite.Y(1), 18);
    Frames(6);
    EXPECT_FLOAT_EQ(sprite.X(1), 25.5f);
    EXPECT_TRUE(sprite.Enabled(1));
    Frames(3);  // 30.5 is past XMax
    EXPECT_FALSE(sprite.Enabled(1));
}

TEST_F(BehaviourTest, SplinePassesThroughEveryPointAndEndsAsAsked) {
    for (plm::PLMXY p : {plm::PLMXY{0, 0}, plm::PLMXY{100, 0}, plm::PLMXY{100, 100}})
        ASSERT_TRUE(engine.SplineAdd(3, p.X, p.Y));
    struct Case {
        bool repeat, leaveOn, mirror;
        float x2, y2;  // second frame
        bool on, moving;
    };
    const Case cases[] = {
        {false, false, false, 110, 120, false, false},  // off on the last point
        {false, true, false, 110, 120, true, false},    // stopped on it
        {true, false, false, 10, 20, true, true},       // from the first point again
        {false, true, true, -90, 120, true, false},     // mirrored about the origin
    };
    for (const Case& c : cases) {
        On(1, 0, 0);
        // One segment a frame, about the origin (10, 20).
        engine.Spline(1, 3, 0.1f, 10, 20, c.repeat, c.leaveOn, c.mirror, false);
        EXPECT_FLOAT_EQ(sprite.X(1), 10);
        EXPECT_FLOAT_EQ(sprite.Y(1), 20);
        Frames(1);
        EXPECT_FLOAT_EQ(sprite.X(1), c.mirror ? -90 : 110);
        EXPECT_FLOAT_EQ(sprite.Y(1), 20);
        Frames(1);
        EXPECT_FLOAT_EQ(sprite.X(1), c.x2);
        EXPECT_FLOAT_EQ(sprite.Y(1), c.y2);
        EXPECT_EQ(sprite.Enabled(1), c.on);
        EXPECT_EQ(engine.IsMoving(1), c.moving);
    }
    // Between points the curve is smooth: on a straight row of points it is the straight line.
    for (float x : {0.0f, 100.0f, 200.0f, 300.0f}) engine.SplineAdd(4, x, 0);
    On(2, 0, 0);
    engine.Spline(2, 4, 0.05f, 0, 0, false, false, false, true);
    Frames(3);  // segment 2, half way
    EXPECT_FLOAT_EQ(sprite.X(2), 150);
    EXPECT_FLOAT_EQ(sprite.Y(2), 0);
    EXPECT_EQ(Row(2).DirectionCode, 2);
    EXPECT_FLOAT_EQ(engine.GetMoveDirection(2).X, 5);
    // An empty spline is refused and the sprite keeps its behaviour.
    engine.Move(2, 0, 0, -1000, -1000, 1000, 1000, 0);
    engine.Spline(2, 9, 0.1f, 0, 0, false, false, false, false);
    EXPECT_EQ(engine.GetEngineType(2), 1);
    EXPECT_FALSE(engine.SplineAdd(0, 1, 1));
    EXPECT_FALSE(engine.SplineAdd(1025, 1, 1));
}

TEST_F(BehaviourTest, SplineFilesAreReadWholeOrRefused) {
    plmtest::WriteFile(folder.file("arc.spl"), "# arc\r\n0,0\r\n\r\n  50.5 , -25\r\n-100,+75.25");
    ASSERT_TRUE(engine.SplineLoad(2, "arc.spl"));
    const auto& points = plm::State().Splines(2).Points;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_FLOAT_EQ(points[1].X, 50.5f);
    EXPECT_FLOAT_EQ(points[1].Y, -25);
    EXPECT_FLOAT_EQ(points[2].Y, 75.25f);
    struct Case {
        const char* name;
        const char* text;  // nullptr: no file
        const char* line;  // expected detail line, or nullptr
    };
    const Case cases[] = {
        {"bad.spl", "1,2\n3;4\n", "Line=2"},
        {"exp.spl", "1e3,2\n", "Line=1"},
        {"three.spl", "1,2,3\n", "Line=1"},
        {"empty.spl", "# nothing\n\n", nullptr},
        {"short.spl", "1", nullptr},
        {"missing.spl", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        if (c.text) plmtest::WriteFile(folder.file(c.name), c.text);
        EXPECT_FALSE(engine.SplineLoad(2, c.name)) << c.name;
        EXPECT_EQ(plm::State().Splines(2).Points.size(), 3u) << c.name;  // kept
        const std::string log = LogText();
        EXPECT_NE(log.find("Error: (SpriteEngine.SplineLoad)"), std::string::npos) << c.name;
        EXPECT_NE(log.find(std::string("Filename=") + c.name), std::string::npos) << c.name;
        if (c.line) EXPECT_NE(log.find(c.line), std::string::npos) << c.name;
    }
    EXPECT_FALSE(engine.SplineLoad(-1, "arc.spl"));
    EXPECT_NE(LogText().find("Index passed to SpriteEngine.SplineLoad not between 1-1024."), std::string::npos);
}

TEST_F(BehaviourTest, WayPointsAreFollowedInStraightLines) {
    engine.WayPointAdd(1, 100, 0);
    engine.WayPointAdd(1, 100, 100);
    On(1, 0, 0);
    engine.WayPoint(1, 1, 3, false, false);
    Frames(3);
    EXPECT_FLOAT_EQ(sprite.X(1), 90);
    Frames(1);  // 120 px: the first point, then 20 on toward the second
    EXPECT_FLOAT_EQ(sprite.X(1), 100);
    EXPECT_FLOAT_EQ(sprite.Y(1), 20);
    EXPECT_EQ(Row(1).DirectionCode, 3);
    Frames(2);
    EXPECT_FLOAT_EQ(sprite.Y(1), 80);
    Frames(1);
    EXPECT_FALSE(sprite.Enabled(1));
    EXPECT_FLOAT_EQ(sprite.Y(1), 100);
    // With Repeat it goes round again; LeaveOn stops it on the last point.
    On(2, 100, 100);
    engine.WayPoint(2, 1, 10, true, false);
    Frames(3);
    EXPECT_TRUE(engine.IsMoving(2));
    EXPECT_TRUE(sprite.Enabled(2));
    On(3, 100, 90);
    engine.WayPoint(3, 1, 100, false, true);
    Frames(1);
    EXPECT_FALSE(engine.IsMoving(3));
    EXPECT_TRUE(sprite.Enabled(3));
    EXPECT_FLOAT_EQ(sprite.Y(3), 100);
    // They move only in the frame pass of Sprite.Render.
    On(4, 0, 0);
    engine.WayPoint(4, 1, 1, false, false);
    sprite.RenderEngine(4, 4);
    sprite.RenderSprites(4, 4);
    EXPECT_FLOAT_EQ(sprite.X(4), 0);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(4), 10);
    // A way-point path with no points is refused.
    engine.WayPoint(4, 7, 1, false, false);
    EXPECT_EQ(engine.GetEngineType(4), 46);
}

TEST_F(BehaviourTest, KeyMoveFollowsHeldKeysWithinItsBounds) {
    constexpr int32_t kLeft = 203, kRight = 205, kUp = 200, kDown = 208;
    On(1, 50, 50);
    engine.KeyMove(1, kLeft, kRight, kUp, kDown, 0.5f, 0.25f, 0, 0, 100, 100);
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 50);
    EXPECT_EQ(Row(1).DirectionCode, 8);
    plm::State().KeyState[kRight] = 0x80;
    plm::State().KeyState[kUp] = 0x80;
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 55);
    EXPECT_FLOAT_EQ(sprite.Y(1), 47.5f);
    EXPECT_EQ(Row(1).DirectionCode, 1);
    Frames(20);
    EXPECT_FLOAT_EQ(sprite.X(1), 100);
    EXPECT_FLOAT_EQ(sprite.Y(1), 0);
    plm::State().KeyState[kLeft] = 0x80;  // left and right together cancel
    plm::State().KeyState[kUp] = 0;
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 100);
}

TEST_F(BehaviourTest, MouseBehaviourSitsOnThePointer) {
    plm::EngineState& st = plm::State();
    On(1, 0, 0);
    engine.Mouse(1, 5, -5, 0, 0, 400, 400);
    st.MouseX = 300;
    st.MouseY = 200;
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 305);
    EXPECT_FLOAT_EQ(sprite.Y(1), 195);
    EXPECT_EQ(Row(1).DirectionCode, 3);
    st.MouseX = 700;  // held inside the bounds
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 400);
    // On a scrolled map the pointer is taken into world pixels.
    st.Map.MapX = 50;
    st.Map.MapScreenX = 20;
    st.MouseX = 100;
    Frames(1);
    EXPECT_FLOAT_EQ(sprite.X(1), 135);
}

TEST_F(BehaviourTest, ButtonShowsItsStateAndReportsAClickOnce) {
    plm::EngineState& st = plm::State();
    On(1, 100, 100);
    engine.Button(1, 0, 1, 2);
    struct Step {
        float mouseX;
        bool held;
        int32_t frame;
        bool clicked;
    };
    const Step steps[] = {
        {300, false, 0, false},  // away
        {100, false, 1, false},  // over
        {100, true, 2, false},   // pressed
        {100, false, 1, true},   // released over it: a click
        {100, false, 1, false},  // reported once
        {100, true, 2, false},
        {300, false, 0, false},  // released away: no click
    };
    for (const Step& s : steps) {
        st.MouseX = s.mouseX;
        st.MouseY = 100;
        st.MouseState.Buttons[0] = s.held ? 0x80 : 0;
        Frames(1);
        EXPECT_EQ(sprite.XFrame(1), s.frame) << s.mouseX << s.held;
        EXPECT_EQ(engine.ButtonClicked(1), s.clicked) << s.mouseX << s.held;
    }
    EXPECT_TRUE(sprite.Enabled(1));
    EXPECT_EQ(engine.GetEngineType(1), 24);
}

}  // namespace
