#include "monitor/BarChart.h"
#include "platform/Color.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

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
    EXPECT_EQ(chart.MarkStep(), 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(chart.HasMark(i));
}

TEST_F(BarChartTest, ManyBarsStayVisibleAndTheirMarksDoNotOverlap)
{
    AddBars(999, 0.5);
    const int textHeight = QFontMetrics(chart.font()).height();
    const QRect plot = chart.PlotRect();
    const int step = chart.MarkStep();
    EXPECT_GT(step, 1);
    EXPECT_TRUE(chart.HasMark(998)) << "the top bar keeps its mark";
    EXPECT_FALSE(chart.HasMark(997));
    EXPECT_TRUE(chart.HasMark(998 - step));

    int marks = 0;
    int previousCentre = -1000;
    for (int i = 998; i >= 0; --i) {
        const QRect bar = chart.BarRect(i);
        ASSERT_GE(bar.height(), 1) << "bar " << i;
        ASSERT_TRUE(plot.contains(bar.center())) << "bar " << i;
        if (!chart.HasMark(i))
            continue;
        ++marks;
        const int centre = bar.center().y();
        EXPECT_GE(centre - previousCentre, textHeight - 1) << "mark of bar " << i;
        EXPECT_GE(centre - textHeight / 2, plot.top()) << "mark of bar " << i;
        EXPECT_LE(centre + textHeight / 2, plot.bottom() + 1) << "mark of bar " << i;
        previousCentre = centre;
    }
    EXPECT_GE(marks, 4) << "thinned, not dropped";
    const double slot = plot.height() / 999.0;
    EXPECT_LT((step / 2.5) * slot, textHeight) << "no sparser than needed";
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
