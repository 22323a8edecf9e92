#include "app/Windows.h"

#include "app/About.h"
#include "display/DisplaySettingsWindow.h"
#include "display/ErrorBox.h"
#include "display/LineStyleDialog.h"
#include "mainwindow/AnimationClock.h"
#include "mainwindow/MainWindow.h"
#include "monitor/AmplitudeMonitor.h"
#include "platform/Desktop.h"
#include "settings/WaveSettingsDialog.h"

#include <QApplication>

namespace {

// Only the main window keeps the program alive.
template <class W> W *secondary(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setAttribute(Qt::WA_QuitOnClose, false);
    return w;
}

// The wait cursor for the scope of a computation that may take a moment.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

Windows::Windows(const QString &settingsPath)
    : store_(settingsPath)
    , reportError_([](const QString &text) { showErrorBox(text); })
{
    wave_.setParams(WaveParams{});
    recomputeAmplitudes();

    main_ = std::make_unique<MainWindow>(wave_, store_.settings());
    main_->setObjectName(QStringLiteral("frmWave"));
    waveSettings_.reset(secondary(new WaveSettingsDialog, "frmSetting"));
    about_.reset(secondary(new AboutBox, "AboutBox"));
    monitor_.reset(secondary(new AmplitudeMonitor(wave_, store_.settings()), "frmMonitor"));
    displayWindow_.reset(secondary(new DisplaySettingsWindow(store_.settings(), nullptr), "frmVisualSetting"));
    penDialog_.reset(secondary(new LineStyleDialog, "frmPenDialog"));
    displayWindow_->setPenDialog(penDialog_.get());
    // Each window places itself; on a small or scaled screen it is kept on it.
    for (QWidget *window : all())
        keepOnDesktop(window);

    MainWindow *main = main_.get();
    QWidget *monitor = monitor_.get();
    // The animation runs while the main window or the monitor is active.
    main->clock().setRunCondition([main, monitor] {
        const QWidget *active = QApplication::activeWindow();
        return active == main || active == monitor;
    });
    connect(main, &MainWindow::waveSettingsRequested, waveSettings_.get(), &QDialog::exec);
    connect(waveSettings_.get(), &WaveSettingsDialog::applied, this, &Windows::applyWaveSettings);
    connect(main, &MainWindow::aboutRequested, about_.get(), &QDialog::exec);
    connect(main, &MainWindow::monitorToggleRequested, this, &Windows::toggleMonitor);
    connect(main, &MainWindow::amplitudesProbed, monitor_.get(), &AmplitudeMonitor::showAmplitudesAt);
    connect(main, &MainWindow::displaySettingsRequested, displayWindow_.get(), [this] {
        displayWindow_->show();
        displayWindow_->raise();
        displayWindow_->activateWindow();
    });
    connect(displayWindow_.get(), &DisplaySettingsWindow::closed, monitor_.get(), [this] { monitor_->refresh(); });
}

Windows::~Windows() = default;

void Windows::loadDisplaySettings()
{
    const std::optional<QString> error = store_.load();
    // The controls show what was read, also when reading stopped early.
    displayWindow_->showSettings();
    report(error);
}

void Windows::saveDisplaySettings()
{
    report(store_.save());
}

void Windows::report(const std::optional<QString> &error)
{
    if (error && reportError_)
        reportError_(*error);
}

std::vector<QWidget *> Windows::all() const
{
    return {main_.get(), waveSettings_.get(), about_.get(), monitor_.get(), displayWindow_.get(), penDialog_.get()};
}

void Windows::applyWaveSettings(const WaveParams &params)
{
    drawn_ = waveSettings_->waveform();
    wave_.setParams(params);
    main_->restart();
    recomputeAmplitudes();
    monitor_->refresh();
}

void Windows::recomputeAmplitudes()
{
    const BusyCursor busy;
    wave_.calcAmplitudes(drawn_);
}

void Windows::toggleMonitor()
{
    const bool show = !monitor_->isVisible();
    if (show) {
        monitor_->show();
        monitor_->raise();
    } else {
        monitor_->hide();
    }
    main_->setMonitorShown(show);
}
