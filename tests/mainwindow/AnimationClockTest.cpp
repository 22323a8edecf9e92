#include "mainwindow/AnimationClock.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// The clock alone, on a tick counter the test moves by hand.
class AnimationClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock.setTickSource([this] { return ticks; });
    }

    // One idle call; returns whether it asked to be called again.
    bool idle()
    {
        bool done = true;
        clock.handleIdle(done);
        return !done;
    }

    std::uint32_t ticks = 0xFFFFFF00u; // close to the wrap
    AnimationClock clock;
    QSignalSpy steps{&clock, &AnimationClock::stepDue};
};

TEST_F(AnimationClockTest, OneStepPerIntervalAcrossTheCountersWrap)
{
    EXPECT_EQ(clock.interval(), 100);
    ticks += 99;
    EXPECT_TRUE(idle());
    EXPECT_EQ(steps.count(), 0);
    ticks += 1;
    EXPECT_TRUE(idle());
    EXPECT_EQ(steps.count(), 1);
    ticks += 300; // wraps past zero; a late step is one step
    EXPECT_TRUE(idle());
    EXPECT_TRUE(idle());
    EXPECT_EQ(steps.count(), 2);
}

TEST_F(AnimationClockTest, PauseAndTheRunConditionHoldItWithoutBusyWaiting)
{
    QSignalSpy paused(&clock, &AnimationClock::pausedChanged);
    clock.setPaused(true);
    clock.setPaused(true);
    EXPECT_EQ(paused.count(), 1) << "only a change is announced";
    ticks += 1000;
    EXPECT_FALSE(idle()) << "paused: the loop may sleep";
    clock.setPaused(false);
    bool running = false;
    clock.setRunCondition([&running] { return running; });
    EXPECT_FALSE(idle());
    EXPECT_EQ(steps.count(), 0);
    running = true;
    EXPECT_TRUE(idle());
    EXPECT_EQ(steps.count(), 1);
}

TEST_F(AnimationClockTest, IntervalIsAtLeastOneMillisecond)
{
    QSignalSpy changed(&clock, &AnimationClock::intervalChanged);
    clock.setInterval(-5);
    EXPECT_EQ(clock.interval(), 1);
    clock.setInterval(1);
    EXPECT_EQ(changed.count(), 1);
    ticks += 1;
    EXPECT_TRUE(idle());
    EXPECT_EQ(steps.count(), 1);
}

} // namespace
