#pragma once
#include "settings/WaveSettingsDialog.h"
#include "support/QStringPrinter.h"

#include "model/DisplaySettings.h"
#include "model/DrawnWaveform.h"
#include "model/Wave.h"
#include "platform/Color.h"
#include "platform/IntSpinBox.h"
#include "settings/RadioGroup.h"
#include "settings/WaveformEditor.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
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

// The dialog, its values applied to a wave as the program applies them, each
// time counted in `applies`.
class WaveSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wave.setParams(WaveParams{});
        wave.calcAmplitudes();
        dlg = std::make_unique<WaveSettingsDialog>();
        QObject::connect(dlg.get(), &WaveSettingsDialog::applied, [this](const WaveParams &params) {
            ++applies;
            wave.setParams(params);
            wave.calcAmplitudes(dlg->waveform());
        });
    }
    void TearDown() override { dlg.reset(); }

    template <class T> T *child(const char *name) const { return dlg->findChild<T *>(QString::fromLatin1(name)); }
    IntSpinBox *modeCountBox() const { return child<IntSpinBox>("spnNumberOfWaves"); }
    IntSpinBox *periodBox() const { return child<IntSpinBox>("spnCycle"); }
    RadioGroup *ruleGroup() const { return child<RadioGroup>("rgpAmplitudeType"); }
    QGroupBox *editorGroup() const { return child<QGroupBox>("grpWaveform"); }
    WaveformEditor *editor() const { return child<WaveformEditor>("pntWaveform"); }
    QPushButton *clearButton() const { return child<QPushButton>("btnClearWaveform"); }
    QPushButton *okButton() const { return child<QPushButton>("btnOK"); }
    const DrawnWaveform &drawn() const { return editor()->waveform(); }

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
        QMouseEvent event(type, QPointF(at), editor()->mapToGlobal(QPointF(at)), button, held, keys);
        QApplication::sendEvent(editor(), &event);
    }

    // Press over the column of `x`, move to row `y` (anywhere across), release.
    void drag(int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, {x, 100}, button, button);
        mouse(QEvent::MouseMove, {x + 40, y}, Qt::NoButton, button, keys);
        mouse(QEvent::MouseButtonRelease, {x + 40, y}, button, Qt::NoButton, keys);
    }

    void chooseRule(AmplitudeRule rule) { QTest::mouseClick(ruleGroup()->item(int(rule)), Qt::LeftButton); }

    QRgb pixel(int x, int y) const { return editor()->image().pixel(x, y) | 0xFF000000; }

    Wave wave;
    std::unique_ptr<WaveSettingsDialog> dlg;
    int applies = 0;
};

// The dialog shown with the drawn rule chosen, so the editor takes the mouse.
class EditorTest : public WaveSettingsDialogTest {
protected:
    void SetUp() override
    {
        WaveSettingsDialogTest::SetUp();
        show();
        chooseRule(AmplitudeRule::Drawn);
    }
};
