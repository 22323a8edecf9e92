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
#include "platform/GifWriter.h"
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
    const std::vector<std::int32_t> times = periodFrameTimes(view_->time(), wave_.period, target.frames);
    const std::vector<int> delays = periodFrameDelays(wave_.period, clock_->interval(), target.frames);
    // The display settings window stays usable meanwhile; the whole
    // animation keeps the look it started with.
    const DisplaySettings look = look_;
    QProgressDialog progress(this);
    progress.setObjectName(QStringLiteral("dlgSaveAnimationProgress"));
    progress.setWindowTitle(tr("アニメーションとして保存"));
    progress.setLabelText(tr("%1 コマを描いています...").arg(times.size()));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setRange(0, int(times.size()));
    // Escape closes the dialog without cancelling it otherwise.
    connect(&progress, &QDialog::rejected, &progress, &QProgressDialog::cancel);
    // Room for the title beside the frame's buttons, which would cut it short.
    progress.setMinimumWidth(progress.fontMetrics().horizontalAdvance(progress.windowTitle()) + 120);

    // Kept in memory until whole, then saved as every other file is.
    QByteArray gif;
    QBuffer buffer(&gif);
    buffer.open(QIODevice::WriteOnly);
    GifWriter writer(buffer, target.size);
    FrameParams view = view_->params();
    for (std::size_t j = 0; j < times.size(); ++j) {
        progress.setValue(int(j));
        if (progress.wasCanceled())
            return QString();
        view.time = times[j];
        const QImage frame = wave_.frameAt(target.size, view, look);
        if (frame.isNull())
            return cannotDraw(target.size);
        if (!writer.addFrame(frame, delays[j]))
            return cannotWrite(target.path);
        if (animationProgress_)
            animationProgress_(progress, int(j + 1));
    }
    if (progress.wasCanceled())
        return QString();
    if (!writer.finish() || !writeRegularFile(target.path, gif))
        return cannotWrite(target.path);
    return QString();
}
