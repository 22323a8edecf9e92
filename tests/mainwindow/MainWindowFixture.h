#pragma once
#include "mainwindow/AnimationClock.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PaintBox.h"
#include "mainwindow/Panels.h"
#include "mainwindow/ViewState.h"
#include "model/DisplaySettings.h"
#include "model/Wave.h"

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
        wave.setParams(WaveParams{});
        wave.calcAmplitudes();
        w = std::make_unique<MainWindow>(wave, settings);
        w->clock().setTickSource([this] { return ticks; });
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        // Steps are driven by the test alone.
        w->clock().setPaused(false);
    }
    void TearDown() override { w.reset(); }

    QAction *action(const char *name) const { return w->findChild<QAction *>(QString::fromLatin1(name)); }
    QToolButton *button(const char *name) const { return w->findChild<QToolButton *>(QString::fromLatin1(name)); }
    ClickLabel *field(const char *name) const { return w->findChild<ClickLabel *>(QString::fromLatin1(name)); }
    PaintBox *picture() const { return w->findChild<PaintBox *>(); }
    StatusPanels *statusPanels() const { return w->findChild<StatusPanels *>(); }
    void run(const char *actionName) const { action(actionName)->trigger(); }
    ViewState &view() const { return w->viewState(); }

    QString panel(int i) const { return statusPanels()->panel(i)->text(); }
    bool paused() const { return w->clock().isPaused(); }
    int frames() const { return picture()->framesShown(); }

    // One idle call; returns whether it asked to be called again.
    bool idle()
    {
        bool done = true;
        w->clock().handleIdle(done);
        return !done;
    }

    std::uint32_t ticks = 1000;
    DisplaySettings settings;
    Wave wave;
    std::unique_ptr<MainWindow> w;
};
