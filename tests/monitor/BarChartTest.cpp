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
    void AddBars(int n, double value)
    {
        std::vector<TBar> bars;
        for (int i = 0; i < n; ++i)
            bars.push_back({value, QString::number(n - i), QColor(Qt::red)});
        chart.SetBars(std::move(bars));
    }
    TBarChart chart;
};

TEST_F(BarChartTest, StartsEmptyWithTheFixedRange)
{
    EXPECT_EQ(chart.Count(), 0);
    EXPECT_FALSE(chart.Automatic());
    EXPECT_EQ(chart.VisibleRange(), (TValueRange{-1.1, 1.1}));
}

TEST_F(BarChartTest, BarsStackUpwardInTheOrderAdded)
{
    chart.Add(0.5, "a", Qt::red);
    chart.Add(0.5, "b", Qt::green);
    chart.Add(0.5, "c", Qt::blue);
    ASSERT_EQ(chart.Count(), 3);
    EXPECT_EQ(chart.Label(0), "a");
    EXPECT_EQ(chart.Color(2), QColor(Qt::blue));
    EXPECT_GT(chart.BarRect(0).top(), chart.BarRect(1).top());
    EXPECT_GT(chart.BarRect(1).top(), chart.BarRect(2).top());
    EXPECT_TRUE(chart.PlotRect().contains(chart.BarRect(0)));
    EXPECT_TRUE(chart.PlotRect().contains(chart.BarRect(2)));

    chart.Clear();
    EXPECT_EQ(chart.Count(), 0);
}

TEST_F(BarChartTest, BarsAreAThirdOfTheirSlotAndStartAtZero)
{
    chart.Add(1.0, "1", Qt::red);
    chart.Add(-1.0, "2", Qt::red);
    const double slot = chart.PlotRect().height() / 2.0;
    EXPECT_NEAR(chart.BarRect(0).height(), 0.35 * slot, 1.0);
    EXPECT_EQ(chart.BarRect(0).left(), chart.BarRect(1).left() + chart.BarRect(1).width())
        << "both bars start at the origin";
    EXPECT_NEAR(chart.BarRect(0).width(), chart.BarRect(1).width(), 1);
    // With -1.1..1.1 the bar of 1 covers 1/2.2 of the plot.
    EXPECT_NEAR(chart.BarRect(0).width(), chart.PlotRect().width() / 2.2, 1.0);
}

TEST_F(BarChartTest, FixedRangeLetsValuesRunOut)
{
    chart.Add(1.26, "1", Qt::red);
    EXPECT_EQ(chart.VisibleRange(), (TValueRange{-1.1, 1.1}));
    EXPECT_DOUBLE_EQ(chart.Value(0), 1.26);
    const QRect plot = chart.PlotRect();
    EXPECT_GE(chart.BarRect(0).left() + chart.BarRect(0).width(), plot.left() + plot.width());
}

TEST_F(BarChartTest, AutomaticRangeFollowsTheBars)
{
    chart.Add(0.2, "2", Qt::red);
    chart.Add(1.26, "1", Qt::red);
    chart.SetAutomatic(true);
    EXPECT_EQ(chart.VisibleRange(), (TValueRange{0.0, 1.26}));
    chart.Add(-0.4, "0", Qt::red);
    EXPECT_EQ(chart.VisibleRange(), (TValueRange{-0.4, 1.26}));
    EXPECT_DOUBLE_EQ(chart.Minimum(), -1.1) << "the fixed range is kept for later";
    chart.SetAutomatic(false);
    EXPECT_EQ(chart.VisibleRange(), (TValueRange{-1.1, 1.1}));
}

TEST_F(BarChartTest, FewBarsAreAllMarked)
{
    AddBars(3, 0.5);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(chart.HasMark(i));
}

TEST_F(BarChartTest, ManyBarsStayVisibleAndOnlyMarksThatWouldOverlapAreLeftOut)
{
    AddBars(999, 0.5);
    const QRect plot = chart.PlotRect();
    const std::vector<TMark> marks = chart.Marks();
    ASSERT_EQ(marks.size(), 999u);
    EXPECT_TRUE(marks[998].Shown) << "the top bar keeps its mark";

    std::vector<QRect> shown; // from the top down
    for (int i = 998; i >= 0; --i) {
        const QRect bar = chart.BarRect(i);
        ASSERT_GE(bar.height(), 1) << "bar " << i;
        ASSERT_TRUE(plot.contains(bar.center())) << "bar " << i;
        const TMark &m = marks[std::size_t(i)];
        const bool overlaps
            = std::any_of(shown.begin(), shown.end(), [&](const QRect &r) { return r.intersects(m.Ink); });
        EXPECT_NE(m.Shown, overlaps) << "bar " << i << ": shown only if clear of the marks above";
        if (!m.Shown)
            continue;
        EXPECT_GT(m.Ink.top(), plot.top()) << "bar " << i << ": below the axis line";
        EXPECT_LE(m.Ink.bottom(), plot.bottom()) << "bar " << i;
        shown.push_back(m.Ink);
    }
    EXPECT_GE(shown.size(), 20u) << "thinned, not dropped";
    EXPECT_LT(shown.size(), 100u);
}

TEST_F(BarChartTest, MarksOnEitherSideOfTheOriginDoNotThinEachOther)
{
    // Neighbouring marks lie on opposite sides; only every other one shares a column.
    const int n = 40;
    std::vector<TBar> bars;
    for (int i = 0; i < n; ++i)
        bars.push_back({i % 2 ? 1.0 : -1.0, QString::number(n - i), QColor(Qt::red)});
    chart.SetBars(std::move(bars));
    const int markHeight = QFontMetrics(chart.font()).tightBoundingRect(QStringLiteral("40")).height();
    const double slot = chart.PlotRect().height() / double(n);
    ASSERT_LT(slot, markHeight) << "in one column neighbours would overlap";
    ASSERT_GT(2 * slot, markHeight + 2) << "every other bar has room";
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(chart.HasMark(i)) << "bar " << i;
}

TEST_F(BarChartTest, NonFiniteValuesPaintWithoutHarm)
{
    chart.Add(std::numeric_limits<double>::quiet_NaN(), "nan", Qt::red);
    chart.Add(std::numeric_limits<double>::infinity(), "inf", Qt::green);
    chart.Add(-1e300, "huge", Qt::blue);
    EXPECT_TRUE(chart.BarRect(0).isEmpty());
    const QRect plot = chart.PlotRect();
    EXPECT_GE(chart.BarRect(1).right(), plot.right());
    EXPECT_LE(chart.BarRect(2).left(), plot.left());
    chart.SetAutomatic(true);
    EXPECT_EQ(chart.VisibleRange(), (TValueRange{-1e300, 0.0}));
    const QImage image = chart.grab().toImage();
    EXPECT_EQ(image.size(), chart.size());
}

TEST_F(BarChartTest, ReversedFixedRangeStillDraws)
{
    chart.SetMinimum(1.1);
    chart.SetMaximum(0.0);
    EXPECT_EQ(chart.VisibleRange(), (TValueRange{0.0, 1.1}));
    chart.Add(0.5, "1", Qt::red);
    EXPECT_GT(chart.BarRect(0).width(), 0);
}

} // namespace
