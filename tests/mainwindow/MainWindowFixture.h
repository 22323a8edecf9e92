#pragma once
#include "display/DisplaySettingsRecord.h"
#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

// A shown, active main window on a clock the test advances by hand.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = std::make_unique<MainWindow>();
        w->setTickSource([this] { return ticks; });
        w->lastTick = ticks;
        w->wave->setDisplaySettings(&settings);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        // Steps are driven by the test alone.
        w->btnPause->setChecked(false);
    }
    void TearDown() override { w.reset(); }

    QString panel(int i) const { return w->statusBar->panel(i)->text(); }
    bool paused() const { return w->btnPause->isChecked(); }
    int frames() const { return w->pntWave->framesCopied(); }

    // One idle call; returns whether it asked to be called again.
    bool idle()
    {
        bool done = true;
        w->appIdle(done);
        return !done;
    }

    std::uint32_t ticks = 1000;
    DisplaySettings settings;
    std::unique_ptr<MainWindow> w;
};
