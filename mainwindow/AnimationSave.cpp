// Saving one period of the animation as a GIF, a frame at a time under a
// progress dialog that can stop it.
#include "mainwindow/AnimationClock.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PaintBox.h"
#include "mainwindow/ViewState.h"
#include "model/DisplaySettings.h"
#include "model/PeriodFrames.h"
#include "model/Wave.h"
#include "platform/Beep.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

void MainWindow::saveAnimation()
{
    // The period starts at the moment of the command, and the string waits
    // there until the file is written.
    const bool wasPaused = clock_->isPaused();
    pause();
    if (const std::optional<AnimationTarget> target = chooseAnimation(picture_->size())) {
        if (const QString problem = writeAnimation(*target); !problem.isEmpty()) {
            warningBeep();
            QMessageBox::warning(this, windowTitle(), problem);
        }
    }
    clock_->setPaused(wasPaused);
}

std::optional<MainWindow::AnimationTarget> MainWindow::chooseAnimation(QSize picture)
{
    if (chooseAnimation_)
        return chooseAnimation_(picture);
    const std::optional<QSize> size = chooseImageSize(picture);
    if (!size)
        return std::nullopt;
    bool ok = false;
    const int frames = QInputDialog::getInt(this, tr("コマ数"),
                                            tr("1周期のコマ数 (%1〜%2):").arg(MinPeriodFrames).arg(MaxPeriodFrames),
                                            DefaultPeriodFrames, MinPeriodFrames, MaxPeriodFrames, 1, &ok);
    if (!ok)
        return std::nullopt;
    const QString path = askSavePath(tr("アニメーションとして保存"), "dlgSaveAnimation", tr("GIF 画像 (*.gif)"), "gif");
    if (path.isEmpty())
        return std::nullopt;
    return AnimationTarget{path, *size, frames};
}

// The problem, or nothing when done or cancelled; a cancelled save writes
// nothing and leaves a file already there as it was.
QString MainWindow::writeAnimation(const AnimationTarget &target)
{
    // The display settings window stays usable meanwhile; the whole
    // animation keeps the look it started with.
    const DisplaySettings look = look_;
    QProgressDialog progress(this);
    progress.setObjectName(QStringLiteral("dlgSaveAnimationProgress"));
    progress.setWindowTitle(tr("アニメーションとして保存"));
    progress.setLabelText(tr("%1 コマを描いています...").arg(target.frames));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setRange(0, target.frames);
    // Escape closes the dialog without cancelling it otherwise.
    connect(&progress, &QDialog::rejected, &progress, &QProgressDialog::cancel);
    // Room for the title beside the frame's buttons, which would cut it short.
    progress.setMinimumWidth(progress.fontMetrics().horizontalAdvance(progress.windowTitle()) + 120);

    // Kept in memory until whole, then saved as every other file is.
    QByteArray gif;
    QBuffer buffer(&gif);
    buffer.open(QIODevice::WriteOnly);
    const auto goOn = [&](int framesDrawn) {
        progress.setValue(framesDrawn);
        if (framesDrawn > 0 && animationProgress_)
            animationProgress_(progress, framesDrawn);
        return !progress.wasCanceled();
    };
    switch (
        writePeriodGif(buffer, wave_, view_->params(), clock_->interval(), look, target.size, target.frames, goOn)) {
    case AnimationResult::Stopped:
        return QString();
    case AnimationResult::CannotDraw:
        return cannotDraw(target.size);
    case AnimationResult::CannotWrite:
        return cannotWrite(target.path);
    case AnimationResult::Written:
        break;
    }
    return writeRegularFile(target.path, gif) ? QString() : cannotWrite(target.path);
}
