#include "monitor/AmplitudeMonitor.h"

#include "model/DisplaySettings.h"
#include "model/Wave.h"
#include "monitor/AmplitudeText.h"
#include "monitor/BarChart.h"
#include "platform/Color.h"
#include "support/QStringPrinter.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class MonitorTest : public ::testing::Test {
protected:
    void modes(int n, AmplitudeRule type)
    {
        wave.setWaveCount(n);
        wave.rule = type;
        wave.calcAmplitudes();
    }

    void showTable() { frm.pageControl->setCurrentWidget(frm.tstGrid); }
    void showGraph() { frm.pageControl->setCurrentWidget(frm.tstGraph); }

    // Bar values and labels from the top bar down.
    std::vector<double> barValues() const
    {
        std::vector<double> v;
        for (int i = frm.chart->count() - 1; i >= 0; --i)
            v.push_back(frm.chart->value(i));
        return v;
    }
    std::vector<QString> barLabels() const
    {
        std::vector<QString> v;
        for (int i = frm.chart->count() - 1; i >= 0; --i)
            v.push_back(frm.chart->label(i));
        return v;
    }
    QColor barColorOfMode(int k) const { return frm.chart->color(frm.chart->count() - k); }

    int rows() const { return frm.sgrAmplitudes->model()->rowCount(); }
    QString cell(int col, int row) const
    {
        const QAbstractItemModel *m = frm.sgrAmplitudes->model();
        return m->data(m->index(row, col)).toString();
    }

    Wave wave;
    DisplaySettings settings;
    int stringWidth = 528;
    AmplitudeMonitor frm{wave, settings};
};

TEST_F(MonitorTest, WindowStartsAsTheGraphPageWithTheFixedAxis)
{
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("振幅モニタ"));
    EXPECT_TRUE(frm.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(frm.isWindow());
    EXPECT_FALSE(frm.isVisible());
    EXPECT_EQ(frm.frameGeometry().size(), QSize(219, 331));
    EXPECT_EQ(frm.pageControl->currentWidget(), frm.tstGraph);
    EXPECT_EQ(frm.pageControl->tabText(0), QStringLiteral("グラフ"));
    EXPECT_EQ(frm.pageControl->tabText(1), QStringLiteral("表"));
    EXPECT_FALSE(frm.cbxAbsolute->isChecked());
    EXPECT_FALSE(frm.cbxAutomatic->isChecked());
    EXPECT_DOUBLE_EQ(frm.chart->minimum(), -1.1);
    EXPECT_DOUBLE_EQ(frm.chart->maximum(), 1.1);
    EXPECT_FALSE(frm.chart->automatic());
}

TEST_F(MonitorTest, OneEqualModeIsOneFullBarAndOneRow)
{
    modes(1, AmplitudeRule::Equal);
    frm.refresh();
    ASSERT_EQ(frm.chart->count(), 1);
    EXPECT_EQ(frm.chart->value(0), 1.0);
    EXPECT_EQ(frm.chart->label(0), "1");

    showTable();
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("1次"));
    EXPECT_EQ(cell(1, 0), "1");
}

TEST_F(MonitorTest, HarmonicModesRunFromTheFundamentalDown)
{
    modes(3, AmplitudeRule::Harmonic);
    frm.refresh();
    EXPECT_EQ(barValues(), (std::vector<double>{1.0, 0.5, double(1.0f / 3.0f)}));
    EXPECT_EQ(barLabels(), (std::vector<QString>{"1", "2", "3"}));

    showTable();
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(0, 1), QStringLiteral("2次"));
    EXPECT_EQ(cell(1, 0), "1");
    EXPECT_EQ(cell(1, 1), "0.5");
    EXPECT_EQ(cell(1, 2), "0.333333343267441");
}

TEST_F(MonitorTest, TableHasTwoColumnsOfSixteenPixelRows)
{
    modes(3, AmplitudeRule::Harmonic);
    showTable();
    EXPECT_EQ(frm.sgrAmplitudes->model()->columnCount(), 2);
    EXPECT_EQ(frm.sgrAmplitudes->rowHeight(0), 16);
    EXPECT_EQ(frm.sgrAmplitudes->rowHeight(2), 16);
    EXPECT_EQ(frm.sgrAmplitudes->columnWidth(1), frm.frameGeometry().width());
    EXPECT_FALSE(frm.sgrAmplitudes->model()->flags(frm.sgrAmplitudes->model()->index(0, 0)) & Qt::ItemIsSelectable)
        << "the mode column is a heading";
}

TEST_F(MonitorTest, CtrlCOnTheTableCopiesTheSelectedRowsOrAll)
{
    modes(3, AmplitudeRule::Harmonic);
    showTable();
    const QAbstractItemModel *m = frm.sgrAmplitudes->model();
    QItemSelectionModel *selection = frm.sgrAmplitudes->selectionModel();
    selection->select(m->index(2, 1), QItemSelectionModel::Select);
    selection->select(m->index(1, 1), QItemSelectionModel::Select);
    QTest::keySequence(frm.sgrAmplitudes, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2\t0.5\n3\t" + cell(1, 2) + "\n");

    selection->clearSelection();
    QTest::keySequence(frm.sgrAmplitudes, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1\t1\n2\t0.5\n3\t0.333333343267441\n");
}

TEST_F(MonitorTest, OnlyTheActivePageIsFilled)
{
    modes(4, AmplitudeRule::Harmonic);
    frm.refresh();
    EXPECT_EQ(frm.chart->count(), 4);
    EXPECT_EQ(rows(), 0);

    showTable(); // the page change refreshes
    EXPECT_EQ(rows(), 4);
    modes(2, AmplitudeRule::Harmonic);
    frm.refresh();
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(frm.chart->count(), 4) << "the hidden graph is left as it was";
}

TEST_F(MonitorTest, FewerModesRemoveSurplusBarsAndRows)
{
    modes(5, AmplitudeRule::Harmonic);
    frm.refresh();
    modes(2, AmplitudeRule::Equal);
    frm.refresh();
    EXPECT_EQ(barValues(), (std::vector<double>{0.5, 0.5}));
    EXPECT_EQ(barLabels(), (std::vector<QString>{"1", "2"}));

    modes(5, AmplitudeRule::Harmonic);
    showTable();
    modes(2, AmplitudeRule::Equal);
    frm.refresh();
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(0, 1), QStringLiteral("2次"));
    EXPECT_EQ(cell(1, 1), "0.5");
}

TEST_F(MonitorTest, AbsoluteBoxTurnsValuesAndTheAxisPositive)
{
    modes(2, AmplitudeRule::Harmonic);
    wave.amplitudes[2] = -0.5f;
    frm.refresh();
    EXPECT_EQ(barValues(), (std::vector<double>{1.0, -0.5}));

    frm.cbxAbsolute->click();
    EXPECT_EQ(barValues(), (std::vector<double>{1.0, 0.5}));
    EXPECT_DOUBLE_EQ(frm.chart->minimum(), 0.0);
    EXPECT_DOUBLE_EQ(frm.chart->maximum(), 1.1);
    showTable();
    EXPECT_EQ(cell(1, 1), "0.5");

    showGraph();
    frm.cbxAbsolute->click();
    EXPECT_EQ(barValues(), (std::vector<double>{1.0, -0.5}));
    EXPECT_DOUBLE_EQ(frm.chart->minimum(), -1.1);
    EXPECT_DOUBLE_EQ(frm.chart->maximum(), 1.1);
}

TEST_F(MonitorTest, AutomaticBoxFitsTheAxisAndUntickingRestoresTheFixedEnds)
{
    modes(2, AmplitudeRule::Harmonic);
    wave.amplitudes[1] = 1.25f;
    wave.amplitudes[2] = -0.75f;
    frm.refresh();
    EXPECT_EQ(frm.chart->visibleRange(), (ValueRange{-1.1, 1.1})) << "values beyond the fixed range are not fitted";
    EXPECT_EQ(frm.chart->value(1), 1.25);

    frm.cbxAutomatic->click();
    EXPECT_TRUE(frm.chart->automatic());
    EXPECT_EQ(frm.chart->visibleRange(), (ValueRange{-0.75, 1.25}));

    frm.cbxAbsolute->click(); // absolute while automatic: the axis fits the absolute values
    EXPECT_EQ(frm.chart->visibleRange(), (ValueRange{0.0, 1.25}));

    frm.cbxAutomatic->click();
    EXPECT_FALSE(frm.chart->automatic());
    EXPECT_DOUBLE_EQ(frm.chart->minimum(), 0.0);
    EXPECT_DOUBLE_EQ(frm.chart->maximum(), 1.1);

    frm.cbxAbsolute->click();
    frm.cbxAutomatic->click();
    frm.cbxAutomatic->click();
    EXPECT_DOUBLE_EQ(frm.chart->minimum(), -1.1);
    EXPECT_DOUBLE_EQ(frm.chart->maximum(), 1.1);
    EXPECT_EQ(frm.chart->visibleRange(), (ValueRange{-1.1, 1.1}));
}

TEST_F(MonitorTest, ProbeAtTheFixedEndsShowsZeros)
{
    modes(7, AmplitudeRule::Harmonic);
    frm.showAmplitudesAt(0, stringWidth);
    ASSERT_EQ(frm.chart->count(), 7);
    for (const double v : barValues())
        EXPECT_EQ(v, 0.0);

    frm.showAmplitudesAt(stringWidth, stringWidth);
    for (const double v : barValues())
        EXPECT_LT(std::fabs(v), 1e-15);
}

TEST_F(MonitorTest, ProbeOnAStringOfNoWidthShowsZerosNotNaN)
{
    modes(5, AmplitudeRule::Harmonic);
    stringWidth = 0;
    for (const int x : {0, 10, -3}) {
        frm.showAmplitudesAt(x, stringWidth);
        for (const double v : barValues())
            EXPECT_EQ(v, 0.0) << "x = " << x;
    }
    showTable();
    frm.showAmplitudesAt(10, stringWidth);
    EXPECT_EQ(cell(1, 4), "0");
}

TEST_F(MonitorTest, ProbeAtTheMiddleShowsOddModesOnlyWithAlternatingSigns)
{
    modes(6, AmplitudeRule::Harmonic);
    frm.showAmplitudesAt(stringWidth / 2, stringWidth);
    const std::vector<double> v = barValues();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_FLOAT_EQ(float(v[0]), 1.0f);
    EXPECT_FLOAT_EQ(float(v[2]), -1.0f / 3.0f);
    EXPECT_FLOAT_EQ(float(v[4]), 1.0f / 5.0f);
    for (const int even : {1, 3, 5})
        EXPECT_LT(std::fabs(v[std::size_t(even)]), 1e-6) << "mode " << even + 1;

    // One column off the middle of an odd-width string: still about ±A.
    stringWidth = 527;
    frm.showAmplitudesAt(263, stringWidth);
    EXPECT_NEAR(barValues()[0], 1.0, 1e-4);
    EXPECT_NEAR(barValues()[1], 0.0, 0.01);
    EXPECT_NEAR(barValues()[2], -1.0 / 3.0, 1e-3);
}

TEST_F(MonitorTest, ProbeValuesAreRoundedToSingle)
{
    modes(3, AmplitudeRule::Harmonic);
    stringWidth = 527;
    frm.showAmplitudesAt(100, stringWidth);
    const long double angle = 100.0L * 3.14159265358979323846264338327950288L * 2.0L / 527.0L;
    const float expected = float(std::sin(angle) * 0.5L);
    EXPECT_EQ(barValues()[1], double(expected));

    showTable();
    frm.showAmplitudesAt(100, stringWidth);
    EXPECT_EQ(cell(1, 1), formatGeneral15(static_cast<long double>(expected)));
}

TEST_F(MonitorTest, AbsoluteBoxAppliesToProbes)
{
    modes(2, AmplitudeRule::Harmonic);
    frm.cbxAbsolute->click();
    frm.showAmplitudesAt(3 * stringWidth / 4, stringWidth); // mode 2 is at its trough there
    EXPECT_FLOAT_EQ(float(barValues()[1]), 0.5f);
}

TEST_F(MonitorTest, RefreshReplacesAProbe)
{
    modes(3, AmplitudeRule::Harmonic);
    frm.showAmplitudesAt(100, stringWidth);
    ASSERT_NE(barValues()[0], 1.0);

    showTable();
    EXPECT_EQ(cell(1, 0), "1");
    EXPECT_EQ(cell(1, 2), "0.333333343267441");

    frm.showAmplitudesAt(100, stringWidth);
    ASSERT_NE(cell(1, 0), "1");
    showGraph();
    EXPECT_EQ(barValues(), (std::vector<double>{1.0, 0.5, double(1.0f / 3.0f)}));
}

TEST_F(MonitorTest, ResizeRefreshes)
{
    modes(3, AmplitudeRule::Harmonic);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    EXPECT_EQ(frm.chart->count(), 3) << "showing the window is its first resize";
    frm.showAmplitudesAt(100, stringWidth);
    ASSERT_NE(barValues()[0], 1.0);
    frm.resize(frm.width() + 30, frm.height() + 20);
    QCoreApplication::processEvents();
    EXPECT_EQ(barValues(), (std::vector<double>{1.0, 0.5, double(1.0f / 3.0f)}));

    showTable();
    frm.resize(frm.width() + 40, frm.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(frm.sgrAmplitudes->columnWidth(1), frm.frameGeometry().width());
}

TEST_F(MonitorTest, ModesAboveTwentyShareTheDefaultPenColour)
{
    settings.wavePens[0].color = colors::Blue;
    settings.wavePens[1].color = colors::Yellow;
    settings.wavePens[20].color = colors::Green;
    modes(25, AmplitudeRule::Harmonic);
    frm.refresh();
    EXPECT_EQ(barColorOfMode(1), toQColor(colors::Yellow));
    EXPECT_EQ(barColorOfMode(2), toQColor(colors::Red));
    EXPECT_EQ(barColorOfMode(20), toQColor(colors::Green));
    for (int k = 21; k <= 25; ++k)
        EXPECT_EQ(barColorOfMode(k), toQColor(colors::Blue)) << "mode " << k;

    settings.wavePens[0].color = colors::Fuchsia; // a changed pen shows at the next refresh
    frm.refresh();
    EXPECT_EQ(barColorOfMode(25), toQColor(colors::Fuchsia));
}

TEST_F(MonitorTest, BarsAreDrawnInTheirPensColours)
{
    settings.wavePens[1].color = colors::Blue;
    settings.wavePens[2].color = colors::Green;
    settings.wavePens[3].color = colors::Fuchsia;
    modes(3, AmplitudeRule::Harmonic);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    frm.refresh();

    const QImage image = frm.chart->grab().toImage();
    const Color expected[] = {colors::Fuchsia, colors::Green, colors::Blue}; // bar 0 is the lowest, mode 3
    for (int i = 0; i < 3; ++i) {
        const QRect bar = frm.chart->barRect(i);
        ASSERT_GT(bar.width(), 2);
        ASSERT_GT(bar.height(), 2);
        EXPECT_EQ(image.pixelColor(bar.center()), toQColor(expected[i])) << "bar " << i;
    }
    EXPECT_LT(frm.chart->barRect(2).top(), frm.chart->barRect(0).top()) << "mode 1 on top";
    const QRect plot = frm.chart->plotRect();
    EXPECT_EQ(image.pixelColor(plot.right() - 2, frm.chart->barRect(0).center().y()), toQColor(colors::Silver))
        << "beyond the bar's end is background";
}

TEST_F(MonitorTest, AtTheDesignedSizeEveryModeIsMarkedWhileTheMarksFit)
{
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    ASSERT_EQ(frm.frameGeometry().size(), QSize(219, 331));
    const QFontMetrics fm(frm.chart->font());
    // The window without a frame, and what the designed outer size leaves
    // inside a window manager's frame (openbox's is 1, 20, 1, 5).
    for (const QSize client : {QSize(219, 331), QSize(217, 306)}) {
        frm.resize(client);
        int fitting = 0;
        for (int n = 19; n <= 30; ++n) {
            // Equal bars put every mark in one column, the tightest case.
            modes(n, AmplitudeRule::Equal);
            frm.refresh();
            int markHeight = 0;
            for (int k = 1; k <= n; ++k)
                markHeight = std::max(markHeight, fm.tightBoundingRect(QString::number(k)).height());
            // Room below the value axis' line for n marks stacked?
            if (n * markHeight > frm.chart->plotRect().height() - 1)
                continue;
            ++fitting;
            for (int i = 0; i < n; ++i)
                EXPECT_TRUE(frm.chart->hasMark(i)) << client.height() << " high, " << n << " modes, bar " << i;
        }
        EXPECT_GE(fitting, 25 - 19 + 1) << client.height() << " high: 19 to 25 modes have room for every mark";
    }
}

TEST_F(MonitorTest, ThousandModesFillBothPages)
{
    modes(999, AmplitudeRule::Harmonic);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    frm.showAmplitudesAt(200, stringWidth);
    EXPECT_EQ(frm.chart->count(), 999);
    EXPECT_EQ(frm.chart->label(0), "999");
    const std::vector<Mark> marks = frm.chart->marks();
    EXPECT_LT(std::count_if(marks.begin(), marks.end(), [](const Mark &m) { return m.shown; }), 999)
        << "marks are thinned";
    showTable();
    frm.showAmplitudesAt(200, stringWidth);
    EXPECT_EQ(rows(), 999);
    EXPECT_EQ(cell(0, 998), QStringLiteral("999次"));
}

TEST_F(MonitorTest, CloseBoxOnlyHides)
{
    modes(2, AmplitudeRule::Harmonic);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    frm.refresh();
    EXPECT_TRUE(frm.close());
    EXPECT_FALSE(frm.isVisible());
    EXPECT_FALSE(frm.testAttribute(Qt::WA_QuitOnClose)) << "hiding the monitor must not end the program";
    frm.show();
    EXPECT_TRUE(frm.isVisible());
    EXPECT_EQ(frm.chart->count(), 2);
}

TEST_F(MonitorTest, AWaveOfNoModesLeavesTheMonitorEmpty)
{
    const Wave none;
    AmplitudeMonitor bare(none, settings);
    bare.refresh();
    bare.showAmplitudesAt(10, stringWidth);
    EXPECT_EQ(bare.chart->count(), 0);
    bare.pageControl->setCurrentWidget(bare.tstGrid);
    EXPECT_EQ(bare.sgrAmplitudes->model()->rowCount(), 0);
}

} // namespace
