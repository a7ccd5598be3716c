// Interval timers against the manual clock, advanced the way Scene.Begin advances them.
#include "core/Timer.h"

#include "EngineFixture.h"
#include "core/InputProcs.h"

namespace {

using plm::State;

class TimerTest : public plmtest::EngineTest {
protected:
    // One frame of ms milliseconds: the clock moves, then Scene.Begin advances the timers.
    void Frame(uint32_t ms) {
        clock->Advance(ms);
        plm::AdvanceTimers();
    }
    plm::Timer timer;
};

TEST_F(TimerTest, FiresOncePerInterval) {
    timer.Init(3);
    timer.Configure(3, 6000, true);
    Frame(5999);
    EXPECT_FALSE(timer.Check(3));
    Frame(1);
    EXPECT_TRUE(timer.Check(3));
    EXPECT_FALSE(timer.Check(3)) << "the elapsed time starts again from 0";
    // A minute of 16 ms frames fires exactly ten times (6000 is 375 frames).
    int fired = 0;
    for (int f = 0; f < 3750; ++f) {
        Frame(16);
        fired += timer.Check(3) ? 1 : 0;
    }
    EXPECT_EQ(fired, 10);
    EXPECT_FALSE(timer.Check(1)) << "configured timers only";
    EXPECT_FALSE(timer.Check(2));
}

TEST_F(TimerTest, DisabledTimerNeverFires) {
    timer.Init(1);
    timer.Configure(1, 10, false);
    Frame(1000);
    EXPECT_FALSE(timer.Check(1));
}

// Configuring one timer moves the base of the next advance, but no other timer loses the time
// that passed before it.
TEST_F(TimerTest, ConfiguringOneTimerKeepsTheOthersTime) {
    timer.Init(2);
    timer.Configure(1, 1000, true);
    clock->Advance(600);
    timer.Configure(2, 500, true);
    Frame(400);
    EXPECT_TRUE(timer.Check(1));
    EXPECT_FALSE(timer.Check(2));
    Frame(100);
    EXPECT_TRUE(timer.Check(2));
}

TEST_F(TimerTest, EmptyTableAndBadIndexesDoNothing) {
    timer.Init(0);
    timer.Configure(1, 100, true);
    Frame(1000);
    EXPECT_FALSE(timer.Check(1));
    EXPECT_EQ(State().Timers.size(), 0);
    timer.Init(-4);
    EXPECT_EQ(State().Timers.size(), 0);
    timer.Init(2);
    for (int bad : {0, 3, -1, 1000}) EXPECT_FALSE(timer.Check(bad)) << bad;
    // Configure limits its index to the table: 9 lands on timer 2, 0 on timer 1.
    timer.Configure(9, 50, true);
    timer.Configure(0, 70, true);
    Frame(60);
    EXPECT_FALSE(timer.Check(1));
    EXPECT_TRUE(timer.Check(2));
    Frame(10);
    EXPECT_TRUE(timer.Check(1));
}

TEST_F(TimerTest, InitLimitsTheCountAndEmptiesTheTable) {
    timer.Init(150);
    EXPECT_EQ(State().Timers.size(), 100);
    timer.Configure(100, 5, true);
    Frame(5);
    timer.Init(100);
    Frame(5);
    EXPECT_FALSE(timer.Check(100)) << "Init clears every timer";
}

TEST_F(TimerTest, ElapsedTimeSurvivesAClockWrap) {
    clock->Set(0xFFFFFF00u);
    timer.Init(1);
    timer.Configure(1, 300, true);
    Frame(0x100 + 43);
    EXPECT_FALSE(timer.Check(1));
    Frame(1);
    EXPECT_TRUE(timer.Check(1));
}

}  // namespace
