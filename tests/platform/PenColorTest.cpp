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
    EXPECT_EQ(ToQtPenStyle(0), Qt::SolidLine);
    EXPECT_EQ(ToQtPenStyle(1), Qt::DashLine);
    EXPECT_EQ(ToQtPenStyle(2), Qt::DotLine);
    EXPECT_EQ(ToQtPenStyle(3), Qt::DashDotLine);
    EXPECT_EQ(ToQtPenStyle(4), Qt::DashDotDotLine);
    EXPECT_EQ(ToQtPenStyle(-1), Qt::SolidLine);
    EXPECT_EQ(ToQtPenStyle(5), Qt::SolidLine);
}

TEST(PenTest, QtPenKeepsColourWidthAndFlatCaps)
{
    const QPen q = ToQPen(TPen{clBlue, 2, 3});
    EXPECT_EQ(q.color(), QColor(0, 0, 255));
    EXPECT_EQ(q.style(), Qt::DotLine);
    EXPECT_EQ(q.width(), 3);
    EXPECT_EQ(q.capStyle(), Qt::FlatCap);
    EXPECT_EQ(ToQPen(TPen{clBlack, 0, 12}, 10).width(), 10);
    EXPECT_EQ(ToQPen(TPen{clBlack, 0, -4}).width(), 0);
    EXPECT_EQ(ToQPen(TPen{clNone, 0, 1}).style(), Qt::NoPen);
}

TEST(ColorTest, PlainColoursAreBlueGreenRed)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00FF8000), QColor(0, 128, 255));
    EXPECT_EQ(FromQColor(QColor(0, 128, 255)), 0x00FF8000u);
}

TEST(ColorTest, SystemColoursFollowThePalette)
{
    const QPalette pal = QApplication::palette();
    EXPECT_EQ(ToQColor(clBtnFace), pal.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(ToQColor(clWindow), pal.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(ToQColor(clInfoBk), pal.color(QPalette::Active, QPalette::ToolTipBase));
    EXPECT_TRUE(IsSystemColor(clWindowText));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_EQ(ToQColor(clSystemColor + 99), QColor(Qt::black));
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
}

TEST(RoundingTest, TiesGoToEvenAndEndsClamp)
{
    EXPECT_EQ(RoundToInt(2.5, INT_MIN, INT_MAX, 0), 2);
    EXPECT_EQ(RoundToInt(3.5, INT_MIN, INT_MAX, 0), 4);
    EXPECT_EQ(RoundToInt(-2.5, INT_MIN, INT_MAX, 0), -2);
    EXPECT_EQ(RoundToInt(1e300, -10, 10, 0), 10);
    EXPECT_EQ(RoundToInt(-INFINITY, -10, 10, 0), -10);
    EXPECT_EQ(RoundToInt(NAN, -10, 10, 7), 7);
    EXPECT_EQ(SaturatingAdd(INT32_MAX, 1), INT32_MAX);
    EXPECT_EQ(SaturatingAdd(INT32_MIN, -1), INT32_MIN);
    EXPECT_EQ(SaturatingAdd(5, -10), -5);
}

TEST(TickCountTest, DifferencesSurviveTheWrap)
{
    EXPECT_EQ(TicksBetween(0xFFFFFFF0u, 0x10u), 0x20);
    EXPECT_EQ(TicksBetween(100, 250), 150);
    const std::uint32_t a = GetTickCount();
    const std::uint32_t b = GetTickCount();
    EXPECT_GE(TicksBetween(a, b), 0);
    EXPECT_LT(TicksBetween(a, b), 1000);
}

} // namespace
