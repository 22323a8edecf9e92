#include "mainwindow/MainWindowFixture.h"

#include <QClipboard>
#include <QDialog>
#include <QTimer>

namespace {

TEST_F(MainWindowTest, FrameStepsAndRewindPauseAndRedraw)
{
    w->btnPrevClick();
    EXPECT_EQ(panel(0), "t = -1");
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 1);
    w->btnPause->setChecked(false);
    w->btnNextClick();
    w->btnNextClick();
    EXPECT_EQ(w->time, 1);
    EXPECT_TRUE(paused());
    w->btnPause->setChecked(false);
    w->mnRewindClick();
    EXPECT_EQ(w->time, 0);
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 4);
}

TEST_F(MainWindowTest, TimeSaturatesAtTheIntegerEnds)
{
    w->setTime(INT32_MAX);
    w->btnNextClick();
    EXPECT_EQ(w->time, INT32_MAX);
    w->setTime(INT32_MIN);
    w->btnPrevClick();
    EXPECT_EQ(w->time, INT32_MIN);
}

TEST_F(MainWindowTest, ZoomInThenOutReturnsToExactlyOne)
{
    w->btnZoomUpClick();
    EXPECT_TRUE(paused());
    EXPECT_GT(w->zoom, 1.11f);
    w->btnZoomDownClick();
    EXPECT_EQ(w->zoom, 1.0f);
    EXPECT_EQ(frames(), 2);
    for (int i = 0; i < 5000; ++i)
        w->mnZoomUpClick();
    EXPECT_TRUE(std::isfinite(w->zoom));
    for (int i = 0; i < 10000; ++i)
        w->mnZoomDownClick();
    EXPECT_GE(w->zoom, 0.0f);
}

TEST_F(MainWindowTest, RedrawFrequencyStepsToMultiplesOfTen)
{
    const std::pair<int, int> up[] = {{100, 90}, {95, 80}, {25, 10}, {19, 1}, {1, 1}};
    for (auto [from, to] : up) {
        w->setInterval(from);
        w->btnSpeedUpClick();
        EXPECT_EQ(w->interval, to) << "up from " << from;
    }
    const std::pair<int, int> down[] = {{1, 10}, {5, 10}, {95, 100}, {100, 110}, {INT32_MAX - 3, INT32_MAX}};
    for (auto [from, to] : down) {
        w->setInterval(from);
        w->btnSpeedDownClick();
        EXPECT_EQ(w->interval, to) << "down from " << from;
    }
    EXPECT_FALSE(paused());
    EXPECT_EQ(frames(), 0);
}

TEST_F(MainWindowTest, QualityStepsRedrawWithoutPausing)
{
    w->btnDetailedClick();
    EXPECT_EQ(w->quality, 51);
    w->setQuality(2);
    w->btnRoughClick();
    EXPECT_EQ(w->lblQuality->text(), "2");
    EXPECT_EQ(frames(), 2);
    EXPECT_FALSE(paused());
}

TEST_F(MainWindowTest, ShowAllButtonAndMenuStayInStep)
{
    w->btnShowAll->click();
    EXPECT_TRUE(w->getShowAll());
    EXPECT_TRUE(w->mnShowAll->isChecked());
    w->mnShowAll->trigger();
    EXPECT_FALSE(w->getShowAll());
    EXPECT_FALSE(w->mnShowAll->isChecked());
    w->mnShowAll->trigger();
    w->btnShowAll->click();
    EXPECT_FALSE(w->getShowAll());
    EXPECT_FALSE(w->mnShowAll->isChecked());
    EXPECT_EQ(frames(), 4);
    EXPECT_FALSE(paused());
}

TEST_F(MainWindowTest, IntervalBoxPausesAndBeepsOnBadText)
{
    QStringList prompts;
    QString answer;
    w->setInputBox([&](const QString &caption, const QString &prompt, const QString &preset) {
        prompts << caption << prompt << preset;
        return answer;
    });
    answer = "abc";
    w->lblIntervalClick();
    EXPECT_EQ(prompts,
              (QStringList{QString::fromUtf8("インタ－バル設定"), QString::fromUtf8("画面書替え頻度（単位 ﾐﾘ秒/ｺﾏ)"),
                           "100"}));
    EXPECT_EQ(w->interval, 100);
    EXPECT_TRUE(paused());
    for (auto [text, value] :
         {std::pair{"0", 1}, {"-5", 1}, {"250", 250}, {" 7", 250}, {"1.5", 250}, {"", 250}, {"99999999999", 250}}) {
        answer = QString::fromUtf8(text);
        w->mnIntervalClick();
        EXPECT_EQ(w->interval, value) << text;
    }
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 0);
}

TEST_F(MainWindowTest, QualityBoxPutsThePauseBack)
{
    QString answer = "1";
    QString caption;
    w->setInputBox([&](const QString &c, const QString &, const QString &) {
        caption = c;
        EXPECT_TRUE(paused()) << "paused while the box is open";
        return answer;
    });
    w->lblQualityClick();
    EXPECT_EQ(caption, QString::fromUtf8("精度設定"));
    EXPECT_EQ(w->quality, 2);
    EXPECT_FALSE(paused());
    w->btnPause->setChecked(true);
    answer = "300";
    w->mnQualityClick();
    EXPECT_EQ(w->quality, 300);
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 0) << "the quality box does not redraw";
}

TEST_F(MainWindowTest, TimeBoxSetsAnyTimeAndRedraws)
{
    QString answer = "-3";
    w->setInputBox([&](const QString &, const QString &prompt, const QString &preset) {
        EXPECT_EQ(prompt, QString::fromUtf8("時刻を入力して下さい（単位 秒)"));
        return answer.isNull() ? preset : answer;
    });
    w->lblTimeClick();
    EXPECT_EQ(panel(0), "t = -3");
    EXPECT_TRUE(paused());
    EXPECT_EQ(frames(), 1);
    answer = "x";
    w->mnTime->trigger();
    EXPECT_EQ(w->time, -3);
    EXPECT_EQ(frames(), 1) << "a refused entry draws nothing";
    answer = QString(); // Cancel gives back the preset
    w->lblTimeClick();
    EXPECT_EQ(w->time, -3);
    EXPECT_EQ(frames(), 2);
}

TEST_F(MainWindowTest, StatusBarClickOpensTheTimeBox)
{
    int asked = 0;
    w->setInputBox([&](const QString &, const QString &, const QString &preset) {
        ++asked;
        return preset;
    });
    QTest::mouseClick(w->statusBar->panel(1), Qt::LeftButton);
    QTest::mouseClick(w->statusBar, Qt::LeftButton, {}, QPoint(w->statusBar->width() - 30, 5));
    EXPECT_EQ(asked, 2);
    QTest::mouseClick(w->statusBar, Qt::RightButton, {}, QPoint(50, 5));
    QTest::mouseClick(w->statusBar->panel(0), Qt::MiddleButton);
    EXPECT_EQ(asked, 2) << "only a left click opens the box";
}

TEST_F(MainWindowTest, PauseMenuFlipsTheButton)
{
    w->mnPause->trigger();
    EXPECT_TRUE(paused());
    w->mnPause->trigger();
    EXPECT_FALSE(paused());
    EXPECT_FALSE(w->mnPause->isChecked());
}

TEST_F(MainWindowTest, AboutPutsThePauseStateBack)
{
    QDialog about;
    MainWindow::Links links;
    links.about = &about;
    w->setLinks(links);
    QTimer::singleShot(0, &about, [&] {
        w->btnPause->setChecked(true);
        about.accept();
    });
    w->mnAboutClick();
    EXPECT_FALSE(paused());
}

TEST_F(MainWindowTest, CopyRedrawsAndPutsTheFrameOnTheClipboard)
{
    w->setTime(25);
    w->mnCopyClick();
    EXPECT_EQ(frames(), 1);
    const QImage clip = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(clip.isNull());
    EXPECT_EQ(clip.size(), w->pntWave->size());
    EXPECT_EQ(clip.convertToFormat(QImage::Format_RGB32), w->wave->bitmap);
    EXPECT_FALSE(paused());
}

TEST_F(MainWindowTest, MonitorCommandFollowsTheMonitorsVisibility)
{
    QWidget monitor;
    MainWindow::Links links;
    links.monitor = &monitor;
    w->setLinks(links);
    w->btnShowMonitor->click();
    EXPECT_TRUE(monitor.isVisible());
    EXPECT_TRUE(w->btnShowMonitor->isChecked());
    EXPECT_TRUE(w->mnShowMonitor->isChecked());
    monitor.close(); // its own close box
    EXPECT_TRUE(w->btnShowMonitor->isChecked());
    w->btnShowMonitor->click(); // puts the button up first; the monitor is hidden, so it shows
    EXPECT_TRUE(monitor.isVisible());
    EXPECT_TRUE(w->btnShowMonitor->isChecked());
    EXPECT_TRUE(w->mnShowMonitor->isChecked());
    w->mnShowMonitor->trigger();
    EXPECT_FALSE(monitor.isVisible());
    EXPECT_FALSE(w->btnShowMonitor->isChecked());
    EXPECT_FALSE(w->mnShowMonitor->isChecked());
}

TEST_F(MainWindowTest, PointerReadoutAndShiftProbe)
{
    w->resize(527, w->height());
    QApplication::processEvents();
    ASSERT_EQ(w->pntWave->width(), 527);
    std::vector<int> probes;
    MainWindow::Links links;
    links.monitorProbe = [&](int x) { probes.push_back(x); };
    w->setLinks(links);
    for (auto [x, text] :
         {std::pair{0, "X = 0%"}, {263, "X = 49%"}, {526, "X = 99%"}, {-6, "X = -1%"}, {-5, "X = 0%"}}) {
        w->pntWaveMouseMove(Qt::NoModifier, x, 10);
        EXPECT_EQ(panel(1), text) << x;
    }
    EXPECT_TRUE(probes.empty());
    w->pntWaveMouseMove(Qt::ShiftModifier | Qt::ControlModifier, 100, 10);
    QTest::mouseMove(w->pntWave, QPoint(200, 20));
    EXPECT_EQ(probes, std::vector<int>{100});
    EXPECT_EQ(panel(1), "X = 37%");
}

TEST_F(MainWindowTest, SettingsCommandPausesShowsTheDialogAndRefreshesTheMonitor)
{
    QDialog settingsDialog;
    int updates = 0;
    bool pausedWhileOpen = false;
    MainWindow::Links links;
    links.settings = &settingsDialog;
    links.monitorRefresh = [&] { ++updates; };
    w->setLinks(links);
    QTimer::singleShot(0, &settingsDialog, [&] {
        pausedWhileOpen = paused();
        settingsDialog.accept();
    });
    w->btnSetting2->click();
    EXPECT_TRUE(pausedWhileOpen);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(frames(), 0);
}

TEST_F(MainWindowTest, MenuShortcutsAreTheDesignedOnes)
{
    const std::pair<QAction *, QKeySequence> shortcuts[]
        = {{w->mnSettings, QKeySequence("Ctrl+S")},   {w->mnVisualSetting, QKeySequence("Ctrl+V")},
           {w->mnQuit, QKeySequence("Ctrl+Q")},       {w->mnCopy, QKeySequence("Ctrl+C")},
           {w->mnPause, QKeySequence("Ctrl+P")},      {w->mnRewind, QKeySequence("Del")},
           {w->mnTime, QKeySequence("Ctrl+T")},       {w->mnPrev, QKeySequence("F1")},
           {w->mnNext, QKeySequence("F2")},           {w->mnShowAll, QKeySequence("Ctrl+A")},
           {w->mnQuality, QKeySequence("F5")},        {w->mnInterval, QKeySequence("Ctrl+I")},
           {w->mnZoomUp, QKeySequence("Ins")},        {w->mnZoomDown, QKeySequence("Shift+Ins")},
           {w->mnShowMonitor, QKeySequence("Ctrl+M")}};
    for (auto [action, keys] : shortcuts)
        EXPECT_EQ(action->shortcut(), keys) << action->text().toStdString();
    QTest::keyClick(w.get(), Qt::Key_F2);
    EXPECT_EQ(w->time, 1);
    QTest::keyClick(w.get(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(w->zoom, 0.9f);
}

} // namespace
