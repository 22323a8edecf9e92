#include "monitor/BarChart.h"
#include "platform/Color.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

class BarChartTest : public ::testing::Test {
protected:
    void SetUp() override { chart.resize(200, 300); }
    void addBars(int n, double value)
    {
        std::vector<Bar> bars;
        for (int i = 0; i < n; ++i)
            bars.push_back({value, QString::number(n - i), QColor(Qt::red)});
        chart.setBars(std::move(bars));
    }
    BarChart chart;
};

TEST_F(BarChartTest, StartsEmptyWithTheFixedRange)
{
    EXPECT_EQ(chart.count(), 0);
    EXPECT_FALSE(chart.automatic());
    EXPECT_EQ(chart.visibleRange(), (ValueRange{-1.1, 1.1}));
}

TEST_F(BarChartTest, BarsStackUpwardInTheOrderAdded)
{
    chart.add(0.5, "a", Qt::red);
    chart.add(0.5, "b", Qt::green);
    chart.add(0.5, "c", Qt::blue);
    ASSERT_EQ(chart.count(), 3);
    EXPECT_EQ(chart.label(0), "a");
    EXPECT_EQ(chart.color(2), QColor(Qt::blue));
    EXPECT_GT(chart.barRect(0).top(), chart.barRect(1).top());
    EXPECT_GT(chart.barRect(1).top(), chart.barRect(2).top());
    EXPECT_TRUE(chart.plotRect().contains(chart.barRect(0)));
    EXPECT_TRUE(chart.plotRect().contains(chart.barRect(2)));

    chart.clear();
    EXPECT_EQ(chart.count(), 0);
}

TEST_F(BarChartTest, BarsAreAThirdOfTheirSlotAndStartAtZero)
{
    chart.add(1.0, "1", Qt::red);
    chart.add(-1.0, "2", Qt::red);
    const double slot = chart.plotRect().height() / 2.0;
    EXPECT_NEAR(chart.barRect(0).height(), 0.35 * slot, 1.0);
    EXPECT_EQ(chart.barRect(0).left(), chart.barRect(1).left() + chart.barRect(1).width())
        << "both bars start at the origin";
    EXPECT_NEAR(chart.barRect(0).width(), chart.barRect(1).width(), 1);
    // With -1.1..1.1 the bar of 1 covers 1/2.2 of the plot.
    EXPECT_NEAR(chart.barRect(0).width(), chart.plotRect().width() / 2.2, 1.0);
}

TEST_F(BarChartTest, FixedRangeLetsValuesRunOut)
{
    chart.add(1.26, "1", Qt::red);
    EXPECT_EQ(chart.visibleRange(), (ValueRange{-1.1, 1.1}));
    EXPECT_DOUBLE_EQ(chart.value(0), 1.26);
    const QRect plot = chart.plotRect();
    EXPECT_GE(chart.barRect(0).left() + chart.barRect(0).width(), plot.left() + plot.width());
}

TEST_F(BarChartTest, AutomaticRangeFollowsTheBars)
{
    chart.add(0.2, "2", Qt::red);
    chart.add(1.26, "1", Qt::red);
    chart.setAutomatic(true);
    EXPECT_EQ(chart.visibleRange(), (ValueRange{0.0, 1.26}));
    chart.add(-0.4, "0", Qt::red);
    EXPECT_EQ(chart.visibleRange(), (ValueRange{-0.4, 1.26}));
    EXPECT_DOUBLE_EQ(chart.minimum(), -1.1) << "the fixed range is kept for later";
    chart.setAutomatic(false);
    EXPECT_EQ(chart.visibleRange(), (ValueRange{-1.1, 1.1}));
}

TEST_F(BarChartTest, FewBarsAreAllMarked)
{
    addBars(3, 0.5);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(chart.hasMark(i));
}

TEST_F(BarChartTest, ManyBarsStayVisibleAndOnlyMarksThatWouldOverlapAreLeftOut)
{
    addBars(999, 0.5);
    const QRect plot = chart.plotRect();
    const std::vector<Mark> marks = chart.marks();
    ASSERT_EQ(marks.size(), 999u);
    EXPECT_TRUE(marks[998].shown) << "the top bar keeps its mark";

    std::vector<QRect> shown; // from the top down
    for (int i = 998; i >= 0; --i) {
        const QRect bar = chart.barRect(i);
        ASSERT_GE(bar.height(), 1) << "bar " << i;
        ASSERT_TRUE(plot.contains(bar.center())) << "bar " << i;
        const Mark &m = marks[std::size_t(i)];
        const bool overlaps
            = std::any_of(shown.begin(), shown.end(), [&](const QRect &r) { return r.intersects(m.ink); });
        EXPECT_NE(m.shown, overlaps) << "bar " << i << ": shown only if clear of the marks above";
        if (!m.shown)
            continue;
        EXPECT_GT(m.ink.top(), plot.top()) << "bar " << i << ": below the axis line";
        EXPECT_LE(m.ink.bottom(), plot.bottom()) << "bar " << i;
        shown.push_back(m.ink);
    }
    EXPECT_GE(shown.size(), 20u) << "thinned, not dropped";
    EXPECT_LT(shown.size(), 100u);
}

TEST_F(BarChartTest, MarksOnEitherSideOfTheOriginDoNotThinEachOther)
{
    // Neighbouring marks lie on opposite sides; only every other one shares a column.
    const int n = 40;
    std::vector<Bar> bars;
    for (int i = 0; i < n; ++i)
        bars.push_back({i % 2 ? 1.0 : -1.0, QString::number(n - i), QColor(Qt::red)});
    chart.setBars(std::move(bars));
    const int markHeight = QFontMetrics(chart.font()).tightBoundingRect(QStringLiteral("40")).height();
    const double slot = chart.plotRect().height() / double(n);
    ASSERT_LT(slot, markHeight) << "in one column neighbours would overlap";
    ASSERT_GT(2 * slot, markHeight + 2) << "every other bar has room";
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(chart.hasMark(i)) << "bar " << i;
}

TEST_F(BarChartTest, NonFiniteValuesPaintWithoutHarm)
{
    chart.add(std::numeric_limits<double>::quiet_NaN(), "nan", Qt::red);
    chart.add(std::numeric_limits<double>::infinity(), "inf", Qt::green);
    chart.add(-1e300, "huge", Qt::blue);
    EXPECT_TRUE(chart.barRect(0).isEmpty());
    const QRect plot = chart.plotRect();
    EXPECT_GE(chart.barRect(1).right(), plot.right());
    EXPECT_LE(chart.barRect(2).left(), plot.left());
    chart.setAutomatic(true);
    EXPECT_EQ(chart.visibleRange(), (ValueRange{-1e300, 0.0}));
    const QImage image = chart.grab().toImage();
    EXPECT_EQ(image.size(), chart.size());
}

TEST_F(BarChartTest, ReversedFixedRangeStillDraws)
{
    chart.setMinimum(1.1);
    chart.setMaximum(0.0);
    EXPECT_EQ(chart.visibleRange(), (ValueRange{0.0, 1.1}));
    chart.add(0.5, "1", Qt::red);
    EXPECT_GT(chart.barRect(0).width(), 0);
}

} // namespace
