#pragma once
#include "model/DisplaySettings.h"
#include "model/WaveParams.h"

#include <QMainWindow>
#include <QSize>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class AnimationClock;
class ClickLabel;
class PaintBox;
class QAction;
class QProgressDialog;
class StatusPanels;
class ViewState;
class Wave;

// The main window: the animated string and every command of the menu and the
// tool band. It draws the wave it is given with the look it is given; the
// other windows are reached through its signals.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Wave &wave, const DisplaySettings &look, QWidget *parent = nullptr);
    ~MainWindow() override;

    AnimationClock &clock() const { return *clock_; }
    ViewState &viewState() const { return *view_; }
    // The width of the string's picture.
    int stringWidth() const;

    // The modal input box: the edited text on OK, the preset text otherwise.
    // Tests replace it.
    using InputBox = std::function<QString(const QString &caption, const QString &prompt, const QString &preset)>;
    void setInputBox(InputBox box) { inputBox_ = std::move(box); }
    // Where the frame is saved and at what size, given the picture's; nothing
    // when the user cancels. Tests put their own in place of the dialogs.
    struct ImageTarget {
        QString path;
        QSize size;
    };
    using ImageChooser = std::function<std::optional<ImageTarget>(QSize picture)>;
    void setImageChooser(ImageChooser chooser) { chooseImage_ = std::move(chooser); }
    // Where one period of the animation is saved, at what size and in how
    // many frames; nothing when the user cancels. Tests replace the dialogs.
    struct AnimationTarget {
        QString path;
        QSize size;
        int frames = 0;
    };
    using AnimationChooser = std::function<std::optional<AnimationTarget>(QSize picture)>;
    void setAnimationChooser(AnimationChooser chooser) { chooseAnimation_ = std::move(chooser); }
    // Called after each frame of an animation is drawn, with how many are;
    // tests cancel the progress through it.
    using AnimationProgress = std::function<void(QProgressDialog &progress, int framesDrawn)>;
    void setAnimationProgress(AnimationProgress progress) { animationProgress_ = std::move(progress); }

public slots:
    // Draws the frame of the present view and shows it.
    void redraw();
    // New wave settings start from time 0 at zoom 1, running.
    void restart();
    // Shows whether the amplitude monitor is open.
    void setMonitorShown(bool shown);
    // Takes a lesson's view: time, zoom, quality, show-all, interval and pause;
    // draws the frame once.
    void showView(const FrameParams &view, int interval, bool paused);
    // Where no sound can be played: the sound command is greyed, its hint why.
    void disableSound(const QString &reason);

signals:
    // Each shows its window modally; the command waits for it.
    void waveSettingsRequested();
    void aboutRequested();
    void displaySettingsRequested();
    void lessonOpenRequested();
    void lessonSaveRequested();
    void monitorToggleRequested();
    // The sound command was turned on or off.
    void soundToggled(bool on);
    // Shift held over the picture: the local amplitudes at column x.
    void amplitudesProbed(int x, int stringWidth);

private:
    void buildActions();
    void buildMenu();
    void buildToolBand(QWidget *band);
    void showHint(const QString &hint);
    void step();
    void pause();
    QString askInput(const QString &caption, const QString &prompt, const QString &preset);

    // Commands.
    void stepBy(int frames);
    void rewind();
    void zoom(bool in);
    void changeInterval(int direction);
    void changeQuality(int delta);
    void openWaveSettings();
    void askInterval();
    void askQuality();
    void askTime();
    void showAbout();
    void copyFrame();
    void saveFrame();
    std::optional<ImageTarget> chooseImage(QSize picture);
    std::optional<QSize> chooseImageSize(QSize picture);
    // Qt's dialog for a file to write; empty when cancelled.
    QString askSavePath(const QString &caption, const char *name, const QString &filter, const char *suffix);
    void saveAnimation();
    std::optional<AnimationTarget> chooseAnimation(QSize picture);
    QString writeAnimation(const AnimationTarget &target);
    // The messages of a save that failed.
    QString cannotDraw(QSize size) const;
    QString cannotWrite(const QString &path) const;
    void toggleMonitor();
    void pointerMoved(Qt::KeyboardModifiers modifiers, int x, int y);

    Wave &wave_;
    const DisplaySettings &look_;
    // What the frame shown was drawn from: each paint draws it again from
    // these, whatever has changed since.
    std::unique_ptr<Wave> shownWave_;
    FrameParams shownView_;
    DisplaySettings shownLook_;
    AnimationClock *clock_;
    ViewState *view_;
    InputBox inputBox_;
    ImageChooser chooseImage_;
    AnimationChooser chooseAnimation_;
    AnimationProgress animationProgress_;

    PaintBox *picture_ = nullptr;
    StatusPanels *statusPanels_ = nullptr;
    ClickLabel *qualityField_ = nullptr;
    ClickLabel *intervalField_ = nullptr;

    QAction *waveSettingsAction_ = nullptr;
    QAction *displaySettingsAction_ = nullptr;
    QAction *openLessonAction_ = nullptr;
    QAction *saveLessonAction_ = nullptr;
    QAction *aboutAction_ = nullptr;
    QAction *quitAction_ = nullptr;
    QAction *copyAction_ = nullptr;
    QAction *saveImageAction_ = nullptr;
    QAction *saveAnimationAction_ = nullptr;
    QAction *pauseAction_ = nullptr;
    QAction *pauseMenuAction_ = nullptr;
    QAction *rewindAction_ = nullptr;
    QAction *timeAction_ = nullptr;
    QAction *stepBackAction_ = nullptr;
    QAction *stepForwardAction_ = nullptr;
    QAction *soundAction_ = nullptr;
    QAction *showAllAction_ = nullptr;
    QAction *qualityAction_ = nullptr;
    QAction *intervalAction_ = nullptr;
    QAction *zoomInAction_ = nullptr;
    QAction *zoomOutAction_ = nullptr;
    QAction *monitorAction_ = nullptr;
    QAction *finerAction_ = nullptr;
    QAction *coarserAction_ = nullptr;
    QAction *slowerAction_ = nullptr;
    QAction *fasterAction_ = nullptr;
};
