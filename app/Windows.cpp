#include "app/Windows.h"

#include "app/About.h"
#include "app/LessonFile.h"
#include "app/StringSound.h"
#include "display/DisplaySettingsWindow.h"
#include "display/ErrorBox.h"
#include "display/LineStyleDialog.h"
#include "mainwindow/AnimationClock.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ViewState.h"
#include "monitor/AmplitudeMonitor.h"
#include "platform/Desktop.h"
#include "settings/WaveSettingsDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QWindow>

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
    , sound_(new StringSound(this))
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
    main->clock().setRunCondition([this] { return animationMayRun(); });
    if (!sound_->isAvailable())
        main->disableSound(tr("音を出せる装置がありません"));
    connect(main, &MainWindow::soundToggled, this, [this](bool on) {
        soundWanted_ = on;
        updateSound();
    });
    connect(&main->clock(), &AnimationClock::pausedChanged, this, &Windows::updateSound);
    connect(qApp, &QApplication::focusWindowChanged, this, &Windows::updateSound);
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
    connect(main, &MainWindow::lessonOpenRequested, this, [this] {
        const QString path = chooseLesson(false);
        if (!path.isEmpty())
            openLesson(path);
    });
    connect(main, &MainWindow::lessonSaveRequested, this, [this] {
        // The lesson is the moment the command was given.
        const Lesson now = lesson();
        const QString path = chooseLesson(true);
        if (!path.isEmpty())
            writeLesson(path, now);
    });
    connect(displayWindow_.get(), &DisplaySettingsWindow::closed, monitor_.get(), [this] { monitor_->refresh(); });
}

Windows::~Windows()
{
    // The windows going away move the focus; nothing here may answer that.
    disconnect(qApp, nullptr, this, nullptr);
}

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

void Windows::takeWave(const WaveParams &params, const DrawnWaveform &drawn)
{
    drawn_ = drawn;
    wave_.setParams(params);
}

void Windows::applyWaveSettings(const WaveParams &params)
{
    takeWave(params, waveSettings_->waveform());
    main_->restart();
    recomputeAmplitudes();
    monitor_->refresh();
}

Lesson Windows::lesson() const
{
    Lesson lesson;
    lesson.wave = {wave_.waveCount, wave_.period, wave_.rule};
    // A point taken out keeps its old height, which nothing shows: left out.
    for (int i = 1; i <= DrawnWaveform::LastInner; ++i)
        if (drawn_.isDefined(i))
            lesson.waveform.setHeight(i, drawn_.height(i));
    lesson.view = main_->viewState().params();
    lesson.interval = main_->clock().interval();
    lesson.paused = main_->clock().isPaused();
    return lesson;
}

bool Windows::openLesson(const QString &path)
{
    const std::variant<Lesson, QString> read = readLessonFile(path);
    if (const QString *error = std::get_if<QString>(&read)) {
        report(*error);
        return false;
    }
    const Lesson &lesson = std::get<Lesson>(read);
    lessonFolder_ = QFileInfo(path).absolutePath();
    // As the settings dialog applies, but into the lesson's view, not time 0.
    waveSettings_->showSettings(lesson.wave, lesson.waveform);
    takeWave(lesson.wave, lesson.waveform);
    recomputeAmplitudes();
    monitor_->refresh();
    main_->showView(lesson.view, lesson.interval, lesson.paused);
    return true;
}

bool Windows::saveLesson(const QString &path)
{
    return writeLesson(path, lesson());
}

bool Windows::writeLesson(const QString &path, const Lesson &lesson)
{
    const std::optional<QString> error = writeLessonFile(path, lesson);
    report(error);
    if (!error)
        lessonFolder_ = QFileInfo(path).absolutePath();
    return !error;
}

QString Windows::chooseLesson(bool save)
{
    if (chooseLesson_)
        return chooseLesson_(save);
    if (lessonFolder_.isEmpty()) {
        // The lessons that come with the program, when installed.
        const QDir shipped(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velmora/lessons"));
        lessonFolder_ = shipped.exists() ? shipped.absolutePath() : QDir::currentPath();
    }
    QFileDialog dialog(main_.get(), save ? tr("レッスンを保存") : tr("レッスンを開く"), lessonFolder_,
                       tr("レッスン (*.velmora)"));
    dialog.setObjectName(QStringLiteral("dlgLesson"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("velmora"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void Windows::recomputeAmplitudes()
{
    const BusyCursor busy;
    wave_.calcAmplitudes(drawn_);
    sound_->setAmplitudes(std::span(wave_.amplitudes).subspan(1, std::size_t(wave_.waveCount)));
}

bool Windows::animationMayRun() const
{
    const QWidget *active = QApplication::activeWindow();
    return active == main_.get() || active == monitor_.get();
}

void Windows::updateSound()
{
    sound_->setPlaying(soundWanted_ && !main_->clock().isPaused() && animationMayRun());
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
