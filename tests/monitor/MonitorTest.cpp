#include "monitor/AmplitudeMonitor.h"

#include "display/DisplaySettingsRecord.h"
#include "model/Wave.h"
#include "monitor/AmplitudeText.h"
#include "monitor/BarChart.h"
#include "platform/Color.h"
#include "support/QStringPrinter.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
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
    void SetUp() override
    {
        frm.SetWave(&wave);
        frm.SetDisplaySettings(&settings);
        frm.SetStringWidthSource([this] { return stringWidth; });
    }

    void Modes(int n, AmplitudeRule type)
    {
        wave.SetWaveCount(n);
        wave.Rule = type;
        wave.CalcAmplitudes();
    }

    void ShowTable() { frm.PageControl->setCurrentWidget(frm.tstGrid); }
    void ShowGraph() { frm.PageControl->setCurrentWidget(frm.tstGraph); }

    // Bar values and labels from the top bar down.
    std::vector<double> BarValues() const
    {
        std::vector<double> v;
        for (int i = frm.Chart1->Count() - 1; i >= 0; --i)
            v.push_back(frm.Chart1->Value(i));
        return v;
    }
    std::vector<QString> BarLabels() const
    {
        std::vector<QString> v;
        for (int i = frm.Chart1->Count() - 1; i >= 0; --i)
            v.push_back(frm.Chart1->Label(i));
        return v;
    }
    QColor BarColorOfMode(int k) const { return frm.Chart1->Color(frm.Chart1->Count() - k); }

    int Rows() const { return frm.sgrAmplitudes->model()->rowCount(); }
    QString Cell(int col, int row) const
    {
        const QAbstractItemModel *m = frm.sgrAmplitudes->model();
        return m->data(m->index(row, col)).toString();
    }

    TWave wave;
    TDisplaySettings settings;
    int stringWidth = 528;
    AmplitudeMonitor frm;
};

TEST_F(MonitorTest, WindowStartsAsTheGraphPageWithTheFixedAxis)
{
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("振幅モニタ"));
    EXPECT_TRUE(frm.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(frm.isWindow());
    EXPECT_FALSE(frm.isVisible());
    EXPECT_EQ(frm.frameGeometry().size(), QSize(219, 331));
    EXPECT_EQ(frm.PageControl->currentWidget(), frm.tstGraph);
    EXPECT_EQ(frm.PageControl->tabText(0), QStringLiteral("グラフ"));
    EXPECT_EQ(frm.PageControl->tabText(1), QStringLiteral("表"));
    EXPECT_FALSE(frm.cbxAbsolute->isChecked());
    EXPECT_FALSE(frm.cbxAutomatic->isChecked());
    EXPECT_DOUBLE_EQ(frm.Chart1->Minimum(), -1.1);
    EXPECT_DOUBLE_EQ(frm.Chart1->Maximum(), 1.1);
    EXPECT_FALSE(frm.Chart1->Automatic());
}

TEST_F(MonitorTest, OneEqualModeIsOneFullBarAndOneRow)
{
    Modes(1, AmplitudeRule::Equal);
    frm.Refresh();
    ASSERT_EQ(frm.Chart1->Count(), 1);
    EXPECT_EQ(frm.Chart1->Value(0), 1.0);
    EXPECT_EQ(frm.Chart1->Label(0), "1");

    ShowTable();
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("1次"));
    EXPECT_EQ(Cell(1, 0), "1");
}

TEST_F(MonitorTest, HarmonicModesRunFromTheFundamentalDown)
{
    Modes(3, AmplitudeRule::Harmonic);
    frm.Refresh();
    EXPECT_EQ(BarValues(), (std::vector<double>{1.0, 0.5, double(1.0f / 3.0f)}));
    EXPECT_EQ(BarLabels(), (std::vector<QString>{"1", "2", "3"}));

    ShowTable();
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("2次"));
    EXPECT_EQ(Cell(1, 0), "1");
    EXPECT_EQ(Cell(1, 1), "0.5");
    EXPECT_EQ(Cell(1, 2), "0.333333343267441");
}

TEST_F(MonitorTest, TableHasTwoColumnsOfSixteenPixelRows)
{
    Modes(3, AmplitudeRule::Harmonic);
    ShowTable();
    EXPECT_EQ(frm.sgrAmplitudes->model()->columnCount(), 2);
    EXPECT_EQ(frm.sgrAmplitudes->rowHeight(0), 16);
    EXPECT_EQ(frm.sgrAmplitudes->rowHeight(2), 16);
    EXPECT_EQ(frm.sgrAmplitudes->columnWidth(1), frm.frameGeometry().width());
    EXPECT_FALSE(frm.sgrAmplitudes->model()->flags(frm.sgrAmplitudes->model()->index(0, 0)) & Qt::ItemIsSelectable)
        << "the mode column is a heading";
}

TEST_F(MonitorTest, OnlyTheActivePageIsFilled)
{
    Modes(4, AmplitudeRule::Harmonic);
    frm.Refresh();
    EXPECT_EQ(frm.Chart1->Count(), 4);
    EXPECT_EQ(Rows(), 0);

    ShowTable(); // the page change refreshes
    EXPECT_EQ(Rows(), 4);
    Modes(2, AmplitudeRule::Harmonic);
    frm.Refresh();
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(frm.Chart1->Count(), 4) << "the hidden graph is left as it was";
}

TEST_F(MonitorTest, FewerModesRemoveSurplusBarsAndRows)
{
    Modes(5, AmplitudeRule::Harmonic);
    frm.Refresh();
    Modes(2, AmplitudeRule::Equal);
    frm.Refresh();
    EXPECT_EQ(BarValues(), (std::vector<double>{0.5, 0.5}));
    EXPECT_EQ(BarLabels(), (std::vector<QString>{"1", "2"}));

    Modes(5, AmplitudeRule::Harmonic);
    ShowTable();
    Modes(2, AmplitudeRule::Equal);
    frm.Refresh();
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("2次"));
    EXPECT_EQ(Cell(1, 1), "0.5");
}

TEST_F(MonitorTest, AbsoluteBoxTurnsValuesAndTheAxisPositive)
{
    Modes(2, AmplitudeRule::Harmonic);
    wave.Amplitudes[2] = -0.5f;
    frm.Refresh();
    EXPECT_EQ(BarValues(), (std::vector<double>{1.0, -0.5}));

    frm.cbxAbsolute->click();
    EXPECT_EQ(BarValues(), (std::vector<double>{1.0, 0.5}));
    EXPECT_DOUBLE_EQ(frm.Chart1->Minimum(), 0.0);
    EXPECT_DOUBLE_EQ(frm.Chart1->Maximum(), 1.1);
    ShowTable();
    EXPECT_EQ(Cell(1, 1), "0.5");

    ShowGraph();
    frm.cbxAbsolute->click();
    EXPECT_EQ(BarValues(), (std::vector<double>{1.0, -0.5}));
    EXPECT_DOUBLE_EQ(frm.Chart1->Minimum(), -1.1);
    EXPECT_DOUBLE_EQ(frm.Chart1->Maximum(), 1.1);
}

TEST_F(MonitorTest, AutomaticBoxFitsTheAxisAndUntickingRestoresTheFixedEnds)
{
    Modes(2, AmplitudeRule::Harmonic);
    wave.Amplitudes[1] = 1.25f;
    wave.Amplitudes[2] = -0.75f;
    frm.Refresh();
    EXPECT_EQ(frm.Chart1->VisibleRange(), (TValueRange{-1.1, 1.1})) << "values beyond the fixed range are not fitted";
    EXPECT_EQ(frm.Chart1->Value(1), 1.25);

    frm.cbxAutomatic->click();
    EXPECT_TRUE(frm.Chart1->Automatic());
    EXPECT_EQ(frm.Chart1->VisibleRange(), (TValueRange{-0.75, 1.25}));

    frm.cbxAbsolute->click(); // absolute while automatic: the axis fits the absolute values
    EXPECT_EQ(frm.Chart1->VisibleRange(), (TValueRange{0.0, 1.25}));

    frm.cbxAutomatic->click();
    EXPECT_FALSE(frm.Chart1->Automatic());
    EXPECT_DOUBLE_EQ(frm.Chart1->Minimum(), 0.0);
    EXPECT_DOUBLE_EQ(frm.Chart1->Maximum(), 1.1);

    frm.cbxAbsolute->click();
    frm.cbxAutomatic->click();
    frm.cbxAutomatic->click();
    EXPECT_DOUBLE_EQ(frm.Chart1->Minimum(), -1.1);
    EXPECT_DOUBLE_EQ(frm.Chart1->Maximum(), 1.1);
    EXPECT_EQ(frm.Chart1->VisibleRange(), (TValueRange{-1.1, 1.1}));
}

TEST_F(MonitorTest, ProbeAtTheFixedEndsShowsZeros)
{
    Modes(7, AmplitudeRule::Harmonic);
    frm.ShowAmplitudesAt(0);
    ASSERT_EQ(frm.Chart1->Count(), 7);
    for (const double v : BarValues())
        EXPECT_EQ(v, 0.0);

    frm.ShowAmplitudesAt(stringWidth);
    for (const double v : BarValues())
        EXPECT_LT(std::fabs(v), 1e-15);
}

TEST_F(MonitorTest, ProbeOnAStringOfNoWidthShowsZerosNotNaN)
{
    Modes(5, AmplitudeRule::Harmonic);
    stringWidth = 0;
    for (const int x : {0, 10, -3}) {
        frm.ShowAmplitudesAt(x);
        for (const double v : BarValues())
            EXPECT_EQ(v, 0.0) << "x = " << x;
    }
    ShowTable();
    frm.ShowAmplitudesAt(10);
    EXPECT_EQ(Cell(1, 4), "0");
}

TEST_F(MonitorTest, ProbeAtTheMiddleShowsOddModesOnlyWithAlternatingSigns)
{
    Modes(6, AmplitudeRule::Harmonic);
    frm.ShowAmplitudesAt(stringWidth / 2);
    const std::vector<double> v = BarValues();
    ASSERT_EQ(v.size(), 6u);
    EXPECT_FLOAT_EQ(float(v[0]), 1.0f);
    EXPECT_FLOAT_EQ(float(v[2]), -1.0f / 3.0f);
    EXPECT_FLOAT_EQ(float(v[4]), 1.0f / 5.0f);
    for (const int even : {1, 3, 5})
        EXPECT_LT(std::fabs(v[std::size_t(even)]), 1e-6) << "mode " << even + 1;

    // One column off the middle of an odd-width string: still about ±A.
    stringWidth = 527;
    frm.ShowAmplitudesAt(263);
    EXPECT_NEAR(BarValues()[0], 1.0, 1e-4);
    EXPECT_NEAR(BarValues()[1], 0.0, 0.01);
    EXPECT_NEAR(BarValues()[2], -1.0 / 3.0, 1e-3);
}

TEST_F(MonitorTest, ProbeValuesAreRoundedToSingle)
{
    Modes(3, AmplitudeRule::Harmonic);
    stringWidth = 527;
    frm.ShowAmplitudesAt(100);
    const long double angle = 100.0L * 3.14159265358979323846264338327950288L * 2.0L / 527.0L;
    const float expected = float(std::sin(angle) * 0.5L);
    EXPECT_EQ(BarValues()[1], double(expected));

    ShowTable();
    frm.ShowAmplitudesAt(100);
    EXPECT_EQ(Cell(1, 1), FormatGeneral15(static_cast<long double>(expected)));
}

TEST_F(MonitorTest, AbsoluteBoxAppliesToProbes)
{
    Modes(2, AmplitudeRule::Harmonic);
    frm.cbxAbsolute->click();
    frm.ShowAmplitudesAt(3 * stringWidth / 4); // mode 2 is at its trough there
    EXPECT_FLOAT_EQ(float(BarValues()[1]), 0.5f);
}

TEST_F(MonitorTest, RefreshReplacesAProbe)
{
    Modes(3, AmplitudeRule::Harmonic);
    frm.ShowAmplitudesAt(100);
    ASSERT_NE(BarValues()[0], 1.0);

    ShowTable();
    EXPECT_EQ(Cell(1, 0), "1");
    EXPECT_EQ(Cell(1, 2), "0.333333343267441");

    frm.ShowAmplitudesAt(100);
    ASSERT_NE(Cell(1, 0), "1");
    ShowGraph();
    EXPECT_EQ(BarValues(), (std::vector<double>{1.0, 0.5, double(1.0f / 3.0f)}));
}

TEST_F(MonitorTest, ResizeRefreshes)
{
    Modes(3, AmplitudeRule::Harmonic);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    EXPECT_EQ(frm.Chart1->Count(), 3) << "showing the window is its first resize";
    frm.ShowAmplitudesAt(100);
    ASSERT_NE(BarValues()[0], 1.0);
    frm.resize(frm.width() + 30, frm.height() + 20);
    QCoreApplication::processEvents();
    EXPECT_EQ(BarValues(), (std::vector<double>{1.0, 0.5, double(1.0f / 3.0f)}));

    ShowTable();
    frm.resize(frm.width() + 40, frm.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(frm.sgrAmplitudes->columnWidth(1), frm.frameGeometry().width());
}

TEST_F(MonitorTest, ModesAboveTwentyShareTheDefaultPenColour)
{
    settings.WavePens[0].Color = clBlue;
    settings.WavePens[1].Color = clYellow;
    settings.WavePens[20].Color = clGreen;
    Modes(25, AmplitudeRule::Harmonic);
    frm.Refresh();
    EXPECT_EQ(BarColorOfMode(1), ToQColor(clYellow));
    EXPECT_EQ(BarColorOfMode(2), ToQColor(clRed));
    EXPECT_EQ(BarColorOfMode(20), ToQColor(clGreen));
    for (int k = 21; k <= 25; ++k)
        EXPECT_EQ(BarColorOfMode(k), ToQColor(clBlue)) << "mode " << k;

    settings.WavePens[0].Color = clFuchsia; // a changed pen shows at the next refresh
    frm.Refresh();
    EXPECT_EQ(BarColorOfMode(25), ToQColor(clFuchsia));
}

TEST_F(MonitorTest, BarsAreDrawnInTheirPensColours)
{
    settings.WavePens[1].Color = clBlue;
    settings.WavePens[2].Color = clGreen;
    settings.WavePens[3].Color = clFuchsia;
    Modes(3, AmplitudeRule::Harmonic);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    frm.Refresh();

    const QImage image = frm.Chart1->grab().toImage();
    const TColor expected[] = {clFuchsia, clGreen, clBlue}; // bar 0 is the lowest, mode 3
    for (int i = 0; i < 3; ++i) {
        const QRect bar = frm.Chart1->BarRect(i);
        ASSERT_GT(bar.width(), 2);
        ASSERT_GT(bar.height(), 2);
        EXPECT_EQ(image.pixelColor(bar.center()), ToQColor(expected[i])) << "bar " << i;
    }
    EXPECT_LT(frm.Chart1->BarRect(2).top(), frm.Chart1->BarRect(0).top()) << "mode 1 on top";
    const QRect plot = frm.Chart1->PlotRect();
    EXPECT_EQ(image.pixelColor(plot.right() - 2, frm.Chart1->BarRect(0).center().y()), ToQColor(clSilver))
        << "beyond the bar's end is background";
}

TEST_F(MonitorTest, AtTheDesignedSizeEveryModeIsMarkedWhileTheMarksFit)
{
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    ASSERT_EQ(frm.frameGeometry().size(), QSize(219, 331));
    const QFontMetrics fm(frm.Chart1->font());
    // The window without a frame, and what the designed outer size leaves
    // inside a window manager's frame (openbox's is 1, 20, 1, 5).
    for (const QSize client : {QSize(219, 331), QSize(217, 306)}) {
        frm.resize(client);
        int fitting = 0;
        for (int n = 19; n <= 30; ++n) {
            // Equal bars put every mark in one column, the tightest case.
            Modes(n, AmplitudeRule::Equal);
            frm.Refresh();
            int markHeight = 0;
            for (int k = 1; k <= n; ++k)
                markHeight = std::max(markHeight, fm.tightBoundingRect(QString::number(k)).height());
            // Room below the value axis' line for n marks stacked?
            if (n * markHeight > frm.Chart1->PlotRect().height() - 1)
                continue;
            ++fitting;
            for (int i = 0; i < n; ++i)
                EXPECT_TRUE(frm.Chart1->HasMark(i)) << client.height() << " high, " << n << " modes, bar " << i;
        }
        EXPECT_GE(fitting, 25 - 19 + 1) << client.height() << " high: 19 to 25 modes have room for every mark";
    }
}

TEST_F(MonitorTest, ThousandModesFillBothPages)
{
    Modes(999, AmplitudeRule::Harmonic);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    frm.ShowAmplitudesAt(200);
    EXPECT_EQ(frm.Chart1->Count(), 999);
    EXPECT_EQ(frm.Chart1->Label(0), "999");
    const std::vector<TMark> marks = frm.Chart1->Marks();
    EXPECT_LT(std::count_if(marks.begin(), marks.end(), [](const TMark &m) { return m.Shown; }), 999)
        << "marks are thinned";
    ShowTable();
    frm.ShowAmplitudesAt(200);
    EXPECT_EQ(Rows(), 999);
    EXPECT_EQ(Cell(0, 998), QStringLiteral("999次"));
}

TEST_F(MonitorTest, CloseBoxOnlyHides)
{
    Modes(2, AmplitudeRule::Harmonic);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    frm.Refresh();
    EXPECT_TRUE(frm.close());
    EXPECT_FALSE(frm.isVisible());
    EXPECT_FALSE(frm.testAttribute(Qt::WA_QuitOnClose)) << "hiding the monitor must not end the program";
    frm.show();
    EXPECT_TRUE(frm.isVisible());
    EXPECT_EQ(frm.Chart1->Count(), 2);
}

TEST_F(MonitorTest, WithoutAWaveTheMonitorIsEmpty)
{
    AmplitudeMonitor bare;
    bare.Refresh();
    bare.ShowAmplitudesAt(10);
    EXPECT_EQ(bare.Chart1->Count(), 0);
    bare.PageControl->setCurrentWidget(bare.tstGrid);
    EXPECT_EQ(bare.sgrAmplitudes->model()->rowCount(), 0);
}

} // namespace
