#pragma once
#include "display/DisplaySettingsStore.h"
#include "model/DrawnWaveform.h"
#include "model/Lesson.h"
#include "model/Wave.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class AboutBox;
class AmplitudeMonitor;
class DisplaySettingsWindow;
class LineStyleDialog;
class MainWindow;
class StringSound;
class QWidget;
class WaveSettingsDialog;
struct WaveParams;

// The program's windows and what they share: the string, the drawn waveform
// and the display settings are owned here and handed down; the windows are
// connected here, once, by their signals.
class Windows : public QObject {
    Q_OBJECT
public:
    using ErrorReporter = std::function<void(const QString &text)>;
    // The lesson file to open or to save to; empty when none was chosen.
    using LessonChooser = std::function<QString(bool save)>;

    // The display settings file is visualIniPath() unless told.
    explicit Windows(const QString &settingsPath = QString());
    ~Windows() override;

    // Loads the display settings into the display settings window; a file
    // that cannot be read whole is reported, and what was read is kept.
    void loadDisplaySettings();
    // Writes the display settings back, once; a failure is reported.
    void saveDisplaySettings();
    // The error box unless replaced.
    void setErrorReporter(ErrorReporter reporter) { reportError_ = std::move(reporter); }
    // Qt's file dialog unless replaced.
    void setLessonChooser(LessonChooser chooser) { chooseLesson_ = std::move(chooser); }

    // What the program shows now, as a lesson.
    Lesson lesson() const;
    // Shows the lesson in the file; one that cannot be read is reported and
    // changes nothing. Says whether it was shown.
    bool openLesson(const QString &path);
    // Writes the present lesson to the file; a failure is reported.
    bool saveLesson(const QString &path);

    // In their creation order; the main window first.
    std::vector<QWidget *> all() const;
    MainWindow &mainWindow() const { return *main_; }
    WaveSettingsDialog &waveSettings() const { return *waveSettings_; }
    AmplitudeMonitor &monitor() const { return *monitor_; }
    DisplaySettingsWindow &displaySettings() const { return *displayWindow_; }
    const Wave &wave() const { return wave_; }
    const DrawnWaveform &drawnWaveform() const { return drawn_; }

private:
    void applyWaveSettings(const WaveParams &params);
    QString chooseLesson(bool save);
    bool writeLesson(const QString &path, const Lesson &lesson);
    // Under the wait cursor: the drawn rule may take a moment.
    // The string's settings and drawn waveform, before its amplitudes are recomputed.
    void takeWave(const WaveParams &params, const DrawnWaveform &drawn);
    void recomputeAmplitudes();
    void toggleMonitor();
    // The animation steps only while the main window or the monitor is active.
    bool animationMayRun() const;
    // The tone sounds while asked for and the animation runs.
    void updateSound();
    void report(const std::optional<QString> &error);

    Wave wave_;
    DrawnWaveform drawn_;
    DisplaySettingsStore store_;
    ErrorReporter reportError_;
    LessonChooser chooseLesson_;
    QString lessonFolder_;
    StringSound *sound_;
    bool soundWanted_ = false;
    // Created in this order, so destroyed in the reverse one.
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<WaveSettingsDialog> waveSettings_;
    std::unique_ptr<AboutBox> about_;
    std::unique_ptr<AmplitudeMonitor> monitor_;
    std::unique_ptr<DisplaySettingsWindow> displayWindow_;
    std::unique_ptr<LineStyleDialog> penDialog_;
};
