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
        w->SetTickSource([this] { return ticks; });
        w->LastTick = ticks;
        w->Wave->SetDisplaySettings(&settings);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        // Steps are driven by the test alone.
        w->btnPause->setChecked(false);
    }
    void TearDown() override { w.reset(); }

    QString Panel(int i) const { return w->StatusBar->Panel(i)->text(); }
    bool Paused() const { return w->btnPause->isChecked(); }
    int Frames() const { return w->pntWave->FramesCopied(); }

    // One idle call; returns whether it asked to be called again.
    bool Idle()
    {
        bool done = true;
        w->AppIdle(done);
        return !done;
    }

    std::uint32_t ticks = 1000;
    TDisplaySettings settings;
    std::unique_ptr<MainWindow> w;
};
