#include "monitor/ChartScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(ChartScaleTest, FittedRangeAlwaysHoldsTheOrigin)
{
    const std::vector<double> positive{0.2, 0.5, 0.3};
    EXPECT_EQ(fitRange(positive), (ValueRange{0.0, 0.5}));
    const std::vector<double> negative{-0.3, -0.1};
    EXPECT_EQ(fitRange(negative), (ValueRange{-0.3, 0.0}));
    const std::vector<double> mixed{-0.7, 1.26};
    EXPECT_EQ(fitRange(mixed), (ValueRange{-0.7, 1.26}));
}

TEST(ChartScaleTest, FittedRangeSkipsNonFiniteValuesAndNeverCollapses)
{
    const std::vector<double> odd{NaN, Inf, -Inf, 0.25};
    EXPECT_EQ(fitRange(odd), (ValueRange{0.0, 0.25}));
    const std::vector<double> zeros{0.0, -0.0, 0.0};
    EXPECT_EQ(fitRange(zeros), (ValueRange{-1.0, 1.0}));
    EXPECT_EQ(fitRange({}), (ValueRange{-1.0, 1.0}));
}

TEST(ChartScaleTest, AnyRangeIsMadeDrawable)
{
    EXPECT_EQ(drawableRange({-1.1, 1.1}), (ValueRange{-1.1, 1.1}));
    EXPECT_EQ(drawableRange({1.1, 0.0}), (ValueRange{0.0, 1.1}));
    EXPECT_EQ(drawableRange({0.5, 0.5}), (ValueRange{-0.5, 1.5}));
    EXPECT_EQ(drawableRange({NaN, 1.0}), (ValueRange{-1.1, 1.1}));
    EXPECT_EQ(drawableRange({-Inf, 1.0}), (ValueRange{-1.1, 1.1}));
}

TEST(ChartScaleTest, TicksFallOnRoundNumbers)
{
    EXPECT_DOUBLE_EQ(tickStep(2.2, 5), 0.5);
    EXPECT_DOUBLE_EQ(tickStep(2.2, 11), 0.2);
    EXPECT_DOUBLE_EQ(tickStep(1.1, 1), 2.0);
    EXPECT_DOUBLE_EQ(tickStep(1234.0, 4), 500.0);
    EXPECT_DOUBLE_EQ(tickStep(0.0, 4), 1.0);

    const std::vector<double> ticks = tickValues({-1.1, 1.1}, 0.2);
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_DOUBLE_EQ(ticks.front(), -1.0);
    EXPECT_DOUBLE_EQ(ticks.back(), 1.0);
    EXPECT_EQ(ticks[5], 0.0) << "the origin tick must not print as a rounding residue";
    EXPECT_TRUE(tickValues({0.0, 1.0}, 0.0).empty());
}

} // namespace
