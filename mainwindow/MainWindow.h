#pragma once
#include "mainwindow/PaintBox.h"
#include "mainwindow/Panels.h"
#include "model/ViewState.h"
#include "model/Wave.h"
#include "platform/IdleHook.h"
#include "platform/StatusTipHook.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QDialog;
class QFrame;
class QMenu;
class QToolButton;

// The main window: the animated string, its view state, the idle-time clock
// and every command of the menu and tool band.
class MainWindow : public QMainWindow, public IWaveView {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The other windows, as the program creates them.
    struct Links {
        QDialog *settings = nullptr;           // shown modally by the settings command
        QDialog *about = nullptr;              // the About box
        QWidget *monitor = nullptr;            // the amplitude monitor window
        QWidget *visualSetting = nullptr;      // the display settings window
        std::function<void()> monitorRefresh;  // refresh the monitor from the model
        std::function<void(int)> monitorProbe; // the monitor's local amplitudes at a column
    };
    void setLinks(Links links) { links_ = std::move(links); }

    // View state.
    std::int32_t time = 0;
    float zoom = 1.0f;
    std::int32_t interval = 100;
    std::int32_t quality = 50;
    std::int64_t lastTick = 0;
    std::unique_ptr<Wave> wave;

    void setTime(std::int32_t value);
    void setZoom(float value);
    void setInterval(std::int32_t value);
    void setQuality(std::int32_t value);
    void redraw();
    void appIdle(bool &done);

    std::int32_t getTime() const override { return time; }
    float getZoom() const override { return zoom; }
    std::int32_t getQuality() const override { return quality; }
    bool getShowAll() const override;

    // The tick counter the clock reads; tests replace it.
    void setTickSource(std::function<std::uint32_t()> source) { tickSource_ = std::move(source); }

    // Commands.
    void btnPrevClick();
    void btnNextClick();
    void btnRewindClick();
    void mnRewindClick() { btnRewindClick(); }
    void btnZoomUpClick();
    void btnZoomDownClick();
    void mnZoomUpClick() { btnZoomUpClick(); }
    void mnZoomDownClick() { btnZoomDownClick(); }
    void btnSpeedUpClick();
    void btnSpeedDownClick();
    void btnDetailedClick();
    void btnRoughClick();
    void btnShowAllClick();
    void mnShowAllClick();
    void btnSettingClick();
    void mnSettingsClick() { btnSettingClick(); }
    void lblIntervalClick();
    void mnIntervalClick() { lblIntervalClick(); }
    void lblQualityClick();
    void mnQualityClick() { lblQualityClick(); }
    void lblTimeClick();
    void mnPauseClick();
    void mnQuitClick();
    void mnAboutClick();
    void mnCopyClick();
    void mnShowMonitorClick();
    void mnVisualSettingClick();
    void pntWaveMouseMove(Qt::KeyboardModifiers shift, int x, int y);

    // The modal input box: the edited text on OK, the preset text otherwise.
    // Tests replace it.
    using InputBox = std::function<QString(const QString &caption, const QString &prompt, const QString &preset)>;
    void setInputBox(InputBox box) { inputBox_ = std::move(box); }

    // Controls.
    PaintBox *pntWave = nullptr;
    StatusPanels *statusBar = nullptr;
    ClickLabel *lblQuality = nullptr;
    ClickLabel *lblInterval = nullptr;
    QToolButton *btnSetting2 = nullptr;
    QToolButton *btnVisualSetting = nullptr;
    QToolButton *btnShowAll = nullptr;
    QToolButton *btnShowMonitor = nullptr;
    QToolButton *btnCopy = nullptr;
    QToolButton *btnRewind = nullptr;
    QToolButton *btnPrev = nullptr;
    QToolButton *btnPause = nullptr;
    QToolButton *btnNext = nullptr;
    QToolButton *btnDetailed = nullptr;
    QToolButton *btnRough = nullptr;
    QToolButton *btnSpeedDown = nullptr;
    QToolButton *btnSpeedUp = nullptr;
    QToolButton *btnZoomUp = nullptr;
    QToolButton *btnZoomDown = nullptr;
    QFrame *pnlMainPanel = nullptr;
    QFrame *panel2 = nullptr;
    QFrame *pnlQualityPanel = nullptr;
    QWidget *toolBand = nullptr;

    QMenu *mnFile = nullptr;
    QMenu *mnEdit = nullptr;
    QMenu *mnAnimation = nullptr;
    QMenu *mnControl = nullptr;
    QAction *mnSettings = nullptr;
    QAction *mnVisualSetting = nullptr;
    QAction *mnAbout = nullptr;
    QAction *mnQuit = nullptr;
    QAction *mnCopy = nullptr;
    QAction *mnPause = nullptr;
    QAction *mnRewind = nullptr;
    QAction *mnTime = nullptr;
    QAction *mnPrev = nullptr;
    QAction *mnNext = nullptr;
    QAction *mnShowAll = nullptr;
    QAction *mnQuality = nullptr;
    QAction *mnInterval = nullptr;
    QAction *mnZoomUp = nullptr;
    QAction *mnZoomDown = nullptr;
    QAction *mnShowMonitor = nullptr;

private:
    void formCreate();
    void buildMenu();
    void buildToolBand();
    void appHint(const QString &hint);
    void setPause();
    std::uint32_t ticks() const { return tickSource_ ? tickSource_() : 0; }
    QString askInput(const QString &caption, const QString &prompt, const QString &preset);

    Links links_;
    std::function<std::uint32_t()> tickSource_;
    InputBox inputBox_;
    IdleHook *idleHook_ = nullptr;
    StatusTipHook *hintHook_ = nullptr;
};
