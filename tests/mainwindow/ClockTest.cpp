#include "mainwindow/MainWindowFixture.h"

#include <QLabel>
#include <QStatusTipEvent>

namespace {

TEST_F(MainWindowTest, StartsAtTimeZeroWithDesignedDisplays)
{
    EXPECT_EQ(panel(0), "t = 0");
    EXPECT_EQ(panel(1), "X=0%");
    EXPECT_EQ(w->lblInterval->text(), "100");
    EXPECT_EQ(w->lblQuality->text(), "50");
    EXPECT_EQ(w->windowTitle(), "Velmora");
    EXPECT_EQ(w->wave->waveCount, 1);
    EXPECT_EQ(w->wave->period, 100.0f);
    EXPECT_EQ(w->wave->amplitudes[1], 1.0f);
    EXPECT_EQ(w->zoom, 1.0f);
    EXPECT_EQ(frames(), 0) << "nothing is drawn before the first step";
    EXPECT_FALSE(w->getShowAll());
    EXPECT_FALSE(w->mnShowAll->isChecked());
    EXPECT_FALSE(w->mnShowMonitor->isChecked());

    EXPECT_EQ(w->toolBand->height(), 26);
    EXPECT_EQ(w->pntWave->size(), QSize(527, 346));
    EXPECT_EQ(w->lblInterval->font().pixelSize(), 14);
    EXPECT_EQ(w->lblInterval->size(), QSize(33, 22));
    EXPECT_EQ(w->lblQuality->size(), QSize(35, 22));
    // Before the first frame the picture shows the window's background.
    const QImage blank = w->pntWave->grab().toImage();
    EXPECT_EQ(blank.pixelColor(10, 10), w->palette().color(QPalette::Base));
    EXPECT_NE(blank.pixelColor(10, 10), w->palette().color(QPalette::Button));
}

TEST_F(MainWindowTest, NumbersAtTheirEndsShowWhole)
{
    w->setInterval(INT32_MAX);
    w->setQuality(INT32_MAX);
    w->setTime(INT32_MIN);
    QApplication::processEvents();
    for (const QLabel *shown :
         {static_cast<QLabel *>(w->lblInterval), static_cast<QLabel *>(w->lblQuality), w->statusBar->panel(0)}) {
        EXPECT_GE(shown->contentsRect().width(), shown->fontMetrics().horizontalAdvance(shown->text()))
            << shown->text().toStdString();
        EXPECT_LE(shown->mapTo(w.get(), QPoint(shown->width(), 0)).x(), w->width()) << "inside the window";
    }
    EXPECT_EQ(w->lblInterval->text(), "2147483647");
    EXPECT_EQ(panel(0), "t = -2147483648");
}

TEST_F(MainWindowTest, FirstStepComesAfterTheIntervalAndShowsTimeOne)
{
    ticks += 99;
    EXPECT_TRUE(idle());
    EXPECT_EQ(w->time, 0);
    EXPECT_EQ(frames(), 0);
    ticks += 1;
    EXPECT_TRUE(idle());
    EXPECT_EQ(panel(0), "t = 1");
    EXPECT_EQ(frames(), 1);
    EXPECT_EQ(w->lastTick, 1100);
    EXPECT_EQ(w->pntWave->frame().size(), w->pntWave->size());
    EXPECT_TRUE(idle());
    EXPECT_EQ(w->time, 1) << "at most one step per interval";
}

TEST_F(MainWindowTest, NoStepWhilePausedAndAnOverdueStepComesAtOnceAfter)
{
    w->btnPause->setChecked(true);
    ticks += 500;
    EXPECT_FALSE(idle()) << "paused: the loop may sleep";
    EXPECT_EQ(w->time, 0);
    w->btnPause->setChecked(false);
    EXPECT_TRUE(idle());
    EXPECT_EQ(w->time, 1);
}

TEST_F(MainWindowTest, NoStepWhileAnotherWindowIsActive)
{
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ticks += 500;
    EXPECT_FALSE(idle());
    EXPECT_EQ(w->time, 0);

    // The monitor counts as the main window.
    MainWindow::Links links;
    links.monitor = &other;
    w->setLinks(links);
    EXPECT_TRUE(idle());
    EXPECT_EQ(w->time, 1);
}

TEST_F(MainWindowTest, TickCounterWrapDoesNotStopTheAnimation)
{
    ticks = 0xFFFFFFF0u;
    w->lastTick = ticks;
    ticks += 100; // wraps past zero
    EXPECT_TRUE(idle());
    EXPECT_EQ(w->time, 1);
}

TEST_F(MainWindowTest, IntervalOneStepsWheneverTheCounterMoved)
{
    w->setInterval(1);
    idle();
    EXPECT_EQ(w->time, 0);
    for (int i = 1; i <= 5; ++i) {
        ++ticks;
        idle();
        EXPECT_EQ(w->time, i);
    }
}

TEST_F(MainWindowTest, SettersClampAndShowTheirValues)
{
    w->setInterval(0);
    EXPECT_EQ(w->interval, 1);
    w->setInterval(-5);
    EXPECT_EQ(w->lblInterval->text(), "1");
    w->setInterval(2000000000);
    EXPECT_EQ(w->interval, 2000000000);
    w->setQuality(1);
    EXPECT_EQ(w->quality, 2);
    w->setQuality(0);
    EXPECT_EQ(w->lblQuality->text(), "2");
    w->setQuality(2147483647);
    EXPECT_EQ(w->quality, 2147483647);
    w->setTime(-1);
    EXPECT_EQ(panel(0), "t = -1");
    w->setZoom(0.0f);
    EXPECT_EQ(w->zoom, 0.0f);
    EXPECT_EQ(frames(), 0) << "no setter redraws";
}

TEST_F(MainWindowTest, HintsOfButtonsAndMenuItemsReachTheLastPanel)
{
    QStatusTipEvent tip(w->btnPause->statusTip());
    QApplication::sendEvent(w->btnPause, &tip);
    EXPECT_EQ(panel(2), QString::fromUtf8("ポーズ"));
    w->mnQuit->showStatusText(w->mnFile);
    EXPECT_EQ(panel(2), QString::fromUtf8("アプリケーションの終了"));
    EXPECT_TRUE(w->statusBar->currentMessage().isEmpty()) << "the panels are not covered by a message";
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(w->btnPause, &leave);
    EXPECT_EQ(panel(2), "");
}

TEST_F(MainWindowTest, UncoveredPictureShowsTheLastFrameWithoutDrawingANewOne)
{
    w->btnNextClick();
    const int framesBefore = frames();
    const QImage before = w->pntWave->grab().toImage();
    w->pntWave->repaint();
    EXPECT_EQ(frames(), framesBefore);
    EXPECT_EQ(w->pntWave->grab().toImage(), before);
    EXPECT_EQ(w->time, 1);
}

} // namespace
