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

TEST(PeriodFramesTest, DelayIsTheFramesShareOfThePeriodInHundredths)
{
    EXPECT_EQ(periodFrameDelay(100.0f, 45, 7), 64);
    EXPECT_EQ(periodFrameDelay(100.0f, 46, 7), 66);
    EXPECT_EQ(periodFrameDelay(100.0f, 100, 50), 20);
    EXPECT_EQ(periodFrameDelay(1000.0f, 7, 2), 350);
    EXPECT_EQ(periodFrameDelay(100.0f, 1, 50), 2) << "at least 2";
    EXPECT_EQ(periodFrameDelay(1000000.0f, INT32_MAX, 2), 65535) << "at most what a GIF holds";
}

} // namespace
