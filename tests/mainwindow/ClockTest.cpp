#include "mainwindow/MainWindowFixture.h"

#include <QMenuBar>

#include <QLabel>
#include <QStatusTipEvent>

namespace {

TEST_F(MainWindowTest, StartsAtTimeZeroWithDesignedDisplays)
{
    EXPECT_EQ(panel(0), "t = 0");
    EXPECT_EQ(panel(1), "X=0%");
    EXPECT_EQ(field("lblInterval")->text(), "100");
    EXPECT_EQ(field("lblQuality")->text(), "50");
    EXPECT_EQ(w->windowTitle(), "Velmora");
    EXPECT_EQ(wave.waveCount, 1);
    EXPECT_EQ(wave.period, 100.0f);
    EXPECT_EQ(wave.amplitudes[1], 1.0f);
    EXPECT_EQ(view().zoom(), 1.0f);
    EXPECT_EQ(frames(), 0) << "nothing is drawn before the first step";
    EXPECT_FALSE(view().showAll());
    EXPECT_FALSE(action("actionShowAll")->isChecked());
    EXPECT_FALSE(action("actionMonitor")->isChecked());

    EXPECT_EQ(w->findChild<QWidget *>("toolBand")->height(), 26);
    EXPECT_EQ(picture()->size(), QSize(527, 346));
    EXPECT_EQ(field("lblInterval")->font().pixelSize(), 14);
    EXPECT_EQ(field("lblInterval")->size(), QSize(33, 22));
    EXPECT_EQ(field("lblQuality")->size(), QSize(35, 22));
    // Before the first frame the picture shows the window's background.
    const QImage blank = picture()->grab().toImage();
    EXPECT_EQ(blank.pixelColor(10, 10), w->palette().color(QPalette::Base));
    EXPECT_NE(blank.pixelColor(10, 10), w->palette().color(QPalette::Button));
}

TEST_F(MainWindowTest, NumbersAtTheirEndsShowWhole)
{
    w->clock().setInterval(INT32_MAX);
    view().setQuality(INT32_MAX);
    view().setTime(INT32_MIN);
    QApplication::processEvents();
    for (const QLabel *shown : {static_cast<QLabel *>(field("lblInterval")), static_cast<QLabel *>(field("lblQuality")),
                                statusPanels()->panel(0)}) {
        EXPECT_GE(shown->contentsRect().width(), shown->fontMetrics().horizontalAdvance(shown->text()))
            << shown->text().toStdString();
        EXPECT_LE(shown->mapTo(w.get(), QPoint(shown->width(), 0)).x(), w->width()) << "inside the window";
    }
    EXPECT_EQ(field("lblInterval")->text(), "2147483647");
    EXPECT_EQ(panel(0), "t = -2147483648");
}

TEST_F(MainWindowTest, FirstStepComesAfterTheIntervalAndShowsTimeOne)
{
    ticks += 99;
    EXPECT_TRUE(idle());
    EXPECT_EQ(view().time(), 0);
    EXPECT_EQ(frames(), 0);
    ticks += 1;
    EXPECT_TRUE(idle());
    EXPECT_EQ(panel(0), "t = 1");
    EXPECT_EQ(frames(), 1);
    EXPECT_EQ(picture()->frame().size(), picture()->size());
    EXPECT_TRUE(idle());
    EXPECT_EQ(view().time(), 1) << "at most one step per interval";
}

TEST_F(MainWindowTest, NoStepWhilePausedAndAnOverdueStepComesAtOnceAfter)
{
    w->clock().setPaused(true);
    ticks += 500;
    EXPECT_FALSE(idle()) << "paused: the loop may sleep";
    EXPECT_EQ(view().time(), 0);
    w->clock().setPaused(false);
    EXPECT_TRUE(idle());
    EXPECT_EQ(view().time(), 1);
}

TEST_F(MainWindowTest, NoStepWhileAnotherWindowIsActive)
{
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ticks += 500;
    EXPECT_FALSE(idle());
    EXPECT_EQ(view().time(), 0);

    // The program lets another window (the monitor) keep it running.
    w->clock().setRunCondition([&other] { return QApplication::activeWindow() == &other; });
    EXPECT_TRUE(idle());
    EXPECT_EQ(view().time(), 1);
}

TEST_F(MainWindowTest, TickCounterWrapDoesNotStopTheAnimation)
{
    ticks = 0xFFFFFFF0u;
    ticks += 100; // wraps past zero
    EXPECT_TRUE(idle());
    EXPECT_EQ(view().time(), 1);
}

TEST_F(MainWindowTest, IntervalOneStepsWheneverTheCounterMoved)
{
    w->clock().setInterval(1);
    idle();
    EXPECT_EQ(view().time(), 0);
    for (int i = 1; i <= 5; ++i) {
        ++ticks;
        idle();
        EXPECT_EQ(view().time(), i);
    }
}

TEST_F(MainWindowTest, SettersClampAndShowTheirValues)
{
    w->clock().setInterval(0);
    EXPECT_EQ(w->clock().interval(), 1);
    w->clock().setInterval(-5);
    EXPECT_EQ(field("lblInterval")->text(), "1");
    w->clock().setInterval(2000000000);
    EXPECT_EQ(w->clock().interval(), 2000000000);
    view().setQuality(1);
    EXPECT_EQ(view().quality(), 2);
    view().setQuality(0);
    EXPECT_EQ(field("lblQuality")->text(), "2");
    view().setQuality(2147483647);
    EXPECT_EQ(view().quality(), 2147483647);
    view().setTime(-1);
    EXPECT_EQ(panel(0), "t = -1");
    view().setZoom(0.0f);
    EXPECT_EQ(view().zoom(), 0.0f);
    EXPECT_EQ(frames(), 0) << "no setter redraws";
}

TEST_F(MainWindowTest, HintsOfButtonsAndMenuItemsReachTheLastPanel)
{
    QStatusTipEvent tip(button("btnPause")->statusTip());
    QApplication::sendEvent(button("btnPause"), &tip);
    EXPECT_EQ(panel(2), QString::fromUtf8("ポーズ"));
    action("actionQuit")->showStatusText(w->menuBar()->actions().at(0)->menu());
    EXPECT_EQ(panel(2), QString::fromUtf8("アプリケーションの終了"));
    EXPECT_TRUE(statusPanels()->currentMessage().isEmpty()) << "the panels are not covered by a message";
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(button("btnPause"), &leave);
    EXPECT_EQ(panel(2), "");
}

TEST_F(MainWindowTest, UncoveredPictureShowsTheLastFrameWithoutDrawingANewOne)
{
    run("actionStepForward");
    const int framesBefore = frames();
    const QImage before = picture()->grab().toImage();
    picture()->repaint();
    EXPECT_EQ(frames(), framesBefore);
    EXPECT_EQ(picture()->grab().toImage(), before);
    EXPECT_EQ(view().time(), 1);
}

} // namespace
