#include "monitor/AmplitudeText.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QString text(float v)
{
    return formatGeneral15(static_cast<long double>(v));
}

TEST(AmplitudeTextTest, SinglesShowTheirFifteenDigitExpansion)
{
    EXPECT_EQ(text(1.0f / 3.0f), "0.333333343267441");
    EXPECT_EQ(text(0.1f), "0.100000001490116");
    EXPECT_EQ(text(0.5f), "0.5");
    EXPECT_EQ(text(-0.25f), "-0.25");
}

TEST(AmplitudeTextTest, WholeNumbersHaveNoDecimalPoint)
{
    EXPECT_EQ(formatGeneral15(1.0L), "1");
    EXPECT_EQ(formatGeneral15(-3.0L), "-3");
    EXPECT_EQ(formatGeneral15(1000.0L), "1000");
    EXPECT_EQ(formatGeneral15(123456789012345.0L), "123456789012345");
    EXPECT_EQ(formatGeneral15(12.5L), "12.5");
}

TEST(AmplitudeTextTest, ZeroOfEitherSignIsPlainZero)
{
    EXPECT_EQ(formatGeneral15(0.0L), "0");
    EXPECT_EQ(formatGeneral15(-0.0L), "0");
    EXPECT_EQ(text(-0.0f), "0");
}

TEST(AmplitudeTextTest, FixedNotationDownToOneTenThousandth)
{
    EXPECT_EQ(formatGeneral15(0.0001L), "0.0001");
    EXPECT_EQ(formatGeneral15(-0.00012L), "-0.00012");
    // Rounding to 15 digits carries into the next decade before the notation is chosen.
    EXPECT_EQ(formatGeneral15(0.00009999999999999999L), "0.0001");
}

TEST(AmplitudeTextTest, SmallMagnitudesUseScientificNotation)
{
    EXPECT_EQ(formatGeneral15(0.00005L), "5E-5");
    EXPECT_EQ(formatGeneral15(-0.00005L), "-5E-5");
    EXPECT_EQ(formatGeneral15(1.23456789012345E-6L), "1.23456789012345E-6");
    EXPECT_EQ(formatGeneral15(2.5E-12L), "2.5E-12");
    EXPECT_EQ(text(std::numeric_limits<float>::denorm_min()), "1.40129846432482E-45");
}

TEST(AmplitudeTextTest, FifteenOrMoreWholeDigitsUseScientificNotation)
{
    EXPECT_EQ(formatGeneral15(1E15L), "1E15");
    EXPECT_EQ(formatGeneral15(-2.5E20L), "-2.5E20");
    EXPECT_EQ(formatGeneral15(999999999999999.9L), "1E15");
    EXPECT_EQ(text(std::numeric_limits<float>::max()), "3.40282346638529E38");
}

TEST(AmplitudeTextTest, NonFiniteValuesHaveAText)
{
    EXPECT_EQ(formatGeneral15(std::numeric_limits<long double>::quiet_NaN()), "NAN");
    EXPECT_EQ(formatGeneral15(std::numeric_limits<long double>::infinity()), "INF");
    EXPECT_EQ(formatGeneral15(-std::numeric_limits<long double>::infinity()), "-INF");
}

TEST(AmplitudeTextTest, ModeHeadings)
{
    EXPECT_EQ(modeOrderText(1), QStringLiteral("1次"));
    EXPECT_EQ(modeOrderText(999), QStringLiteral("999次"));
}

} // namespace
