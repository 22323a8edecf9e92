#include "platform/Pen.h"
#include "platform/Rounding.h"
#include "platform/TickCount.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

TEST(PenTest, StyleNumbersMapOntoQtStylesAndOthersDrawSolid)
{
    EXPECT_EQ(toQtPenStyle(0), Qt::SolidLine);
    EXPECT_EQ(toQtPenStyle(1), Qt::DashLine);
    EXPECT_EQ(toQtPenStyle(2), Qt::DotLine);
    EXPECT_EQ(toQtPenStyle(3), Qt::DashDotLine);
    EXPECT_EQ(toQtPenStyle(4), Qt::DashDotDotLine);
    EXPECT_EQ(toQtPenStyle(-1), Qt::SolidLine);
    EXPECT_EQ(toQtPenStyle(5), Qt::SolidLine);
}

TEST(PenTest, QtPenKeepsColourWidthAndFlatCaps)
{
    const QPen q = toQPen(Pen{colors::Blue, 2, 3});
    EXPECT_EQ(q.color(), QColor(0, 0, 255));
    EXPECT_EQ(q.style(), Qt::DotLine);
    EXPECT_EQ(q.width(), 3);
    EXPECT_EQ(q.capStyle(), Qt::FlatCap);
    EXPECT_EQ(toQPen(Pen{colors::Black, 0, 12}, 10).width(), 10);
    EXPECT_EQ(toQPen(Pen{colors::Black, 0, -4}).width(), 0);
    EXPECT_EQ(toQPen(Pen{colors::None, 0, 1}).style(), Qt::NoPen);
}

TEST(ColorTest, PlainColoursAreBlueGreenRed)
{
    EXPECT_EQ(toQColor(colors::Red), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0x00FF8000), QColor(0, 128, 255));
    EXPECT_EQ(fromQColor(QColor(0, 128, 255)), 0x00FF8000u);
}

TEST(ColorTest, SystemColoursFollowThePalette)
{
    const QPalette pal = QApplication::palette();
    EXPECT_EQ(toQColor(colors::BtnFace), pal.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(toQColor(colors::Window), pal.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(toQColor(colors::InfoBk), pal.color(QPalette::Active, QPalette::ToolTipBase));
    EXPECT_TRUE(isSystemColor(colors::WindowText));
    EXPECT_FALSE(isSystemColor(colors::None));
    EXPECT_EQ(toQColor(colors::SystemColor + 99), QColor(Qt::black));
    EXPECT_EQ(toQColor(colors::None).alpha(), 0);
}

TEST(RoundingTest, TiesGoToEvenAndEndsClamp)
{
    EXPECT_EQ(roundToInt(2.5, INT_MIN, INT_MAX, 0), 2);
    EXPECT_EQ(roundToInt(3.5, INT_MIN, INT_MAX, 0), 4);
    EXPECT_EQ(roundToInt(-2.5, INT_MIN, INT_MAX, 0), -2);
    EXPECT_EQ(roundToInt(1e300, -10, 10, 0), 10);
    EXPECT_EQ(roundToInt(-INFINITY, -10, 10, 0), -10);
    EXPECT_EQ(roundToInt(NAN, -10, 10, 7), 7);
    EXPECT_EQ(saturatingAdd(INT32_MAX, 1), INT32_MAX);
    EXPECT_EQ(saturatingAdd(INT32_MIN, -1), INT32_MIN);
    EXPECT_EQ(saturatingAdd(5, -10), -5);
}

TEST(TickCountTest, DifferencesSurviveTheWrap)
{
    EXPECT_EQ(ticksBetween(0xFFFFFFF0u, 0x10u), 0x20);
    EXPECT_EQ(ticksBetween(100, 250), 150);
    const std::uint32_t a = getTickCount();
    const std::uint32_t b = getTickCount();
    EXPECT_GE(ticksBetween(a, b), 0);
    EXPECT_LT(ticksBetween(a, b), 1000);
}

} // namespace
