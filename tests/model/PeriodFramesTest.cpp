#include "model/PeriodFrames.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

using Times = std::vector<std::int32_t>;

TEST(PeriodFramesTest, FramesSpreadOverOnePeriodFromTheStart)
{
    EXPECT_EQ(periodFrameTimes(10, 100.0f, 3), (Times{10, 43, 77}));
    EXPECT_EQ(periodFrameTimes(-5, 7.0f, 4), (Times{-5, -3, -1, 0}));
    EXPECT_EQ(periodFrameTimes(0, 2.0f, 5), (Times{0, 0, 1, 1, 2}));
    EXPECT_TRUE(periodFrameTimes(0, 100.0f, 0).empty());
}

TEST(PeriodFramesTest, HugeTimesStopAtTheEndsOfTheRange)
{
    EXPECT_EQ(periodFrameTimes(INT32_MAX - 10, 1000000.0f, 4),
              (Times{INT32_MAX - 10, INT32_MAX, INT32_MAX, INT32_MAX}));
    EXPECT_EQ(periodFrameTimes(INT32_MIN + 1, -100.0f, 2), (Times{INT32_MIN + 1, INT32_MIN}));
    EXPECT_EQ(periodFrameTimes(-7, FLT_MAX, 2), (Times{-7, INT32_MAX}));
}

TEST(PeriodFramesTest, DelaysShareThePeriodWithoutDrift)
{
    using Delays = std::vector<int>;
    // 450 hundredths over 7 frames: 64 2/7 each, the loop still 4.5 s.
    EXPECT_EQ(periodFrameDelays(100.0f, 45, 7), (Delays{64, 65, 64, 64, 64, 65, 64}));
    EXPECT_EQ(periodFrameDelays(100.0f, 100, 5), (Delays{200, 200, 200, 200, 200}));
    EXPECT_EQ(periodFrameDelays(1000.0f, 7, 2), (Delays{350, 350}));
    EXPECT_EQ(periodFrameDelays(100.0f, 1, 3), (Delays{3, 4, 3}));
    EXPECT_EQ(periodFrameDelays(100.0f, 1, 5), (Delays{2, 2, 2, 2, 2})) << "at least 2";
    EXPECT_EQ(periodFrameDelays(1000000.0f, INT32_MAX, 2), (Delays{65535, 65535})) << "at most what a GIF holds";
    EXPECT_TRUE(periodFrameDelays(100.0f, 100, 0).empty());
}

} // namespace
