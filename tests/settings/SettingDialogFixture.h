#pragma once
#include "settings/WaveSettingsDialog.h"
#include "support/QStringPrinter.h"

#include "display/DisplaySettingsRecord.h"
#include "mainwindow/MainWindow.h"
#include "model/DrawnWaveform.h"
#include "platform/Color.h"
#include "platform/IntSpinBox.h"
#include "settings/RadioGroup.h"
#include "settings/WaveformEditor.h"

#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

inline constexpr QRgb Black = 0xFF000000;
inline constexpr QRgb Grey = 0xFF808080;

// The main window with its model, and the dialog wired to count the monitor's
// refreshes: `upDates` from the dialog, `drawnRefreshes` from the model itself.
class SettingDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetWaveform();
        main = std::make_unique<MainWindow>();
        // The clock never comes due, so Time stays where the test puts it.
        main->setTickSource([] { return 0u; });
        main->lastTick = 0;
        main->wave->setDisplaySettings(&settings);
        main->wave->setDrawnAmplitudesHandler([this] { ++drawnRefreshes; });
        dlg = std::make_unique<WaveSettingsDialog>(main.get());
        dlg->setMonitorRefresh([this] { ++upDates; });
    }
    void TearDown() override
    {
        dlg.reset();
        main.reset();
        resetWaveform();
    }

    void show()
    {
        dlg->show();
        dlg->activateWindow();
        QApplication::setActiveWindow(dlg.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    }

    // Runs the dialog modally, doing `action` inside; false if it had to be
    // taken down because it did not close.
    bool runModal(std::function<void()> action)
    {
        bool stuck = false;
        QTimer::singleShot(0, dlg.get(), [this, action] { action(); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, dlg.get(), [this, &stuck] {
            stuck = true;
            dlg->hide();
        });
        watchdog.start(5000);
        dlg->exec();
        return !stuck;
    }

    // Typing into a box whose whole text is selected, as after tabbing to it.
    void typeInto(IntSpinBox *box, const char *text)
    {
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QString::fromLatin1(text));
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QMouseEvent event(type, QPointF(at), dlg->pntWaveform->mapToGlobal(QPointF(at)), button, held, keys);
        QApplication::sendEvent(dlg->pntWaveform, &event);
    }

    // Press over the column of `x`, move to row `y` (anywhere across), release.
    void drag(int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, {x, 100}, button, button);
        mouse(QEvent::MouseMove, {x + 40, y}, Qt::NoButton, button, keys);
        mouse(QEvent::MouseButtonRelease, {x + 40, y}, button, Qt::NoButton, keys);
    }

    void chooseRule(AmplitudeRule rule) { QTest::mouseClick(dlg->rgpAmplitudeType->item(int(rule)), Qt::LeftButton); }

    QRgb pixel(int x, int y) const { return dlg->waveformBitmap.pixel(x, y) | 0xFF000000; }

    DisplaySettings settings;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<WaveSettingsDialog> dlg;
    int upDates = 0;
    int drawnRefreshes = 0;
};

// The dialog shown with the drawn rule chosen, so the editor takes the mouse.
class EditorTest : public SettingDialogTest {
protected:
    void SetUp() override
    {
        SettingDialogTest::SetUp();
        show();
        chooseRule(AmplitudeRule::Drawn);
    }
};
