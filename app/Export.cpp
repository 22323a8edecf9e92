#include "app/Export.h"

#include "app/LessonFile.h"
#include "display/DisplaySettingsStore.h"
#include "model/PeriodFrames.h"
#include "model/Wave.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <variant>

namespace {

void printError(const QString &line)
{
    std::fputs((line + u'\n').toLocal8Bit().constData(), stderr);
}

bool writeOrSay(const QString &path, const QByteArray &bytes)
{
    if (writeRegularFile(path, bytes))
        return true;
    printError(QCoreApplication::translate("Export", "%1 に書き込めません").arg(QFileInfo(path).absoluteFilePath()));
    return false;
}

} // namespace

void setUpWave(Wave &wave, const Lesson &lesson)
{
    wave.setParams(lesson.wave);
    wave.calcAmplitudes(lesson.waveform);
}

QImage renderLessonFrame(const Lesson &lesson, const DisplaySettings &look, QSize size)
{
    Wave wave;
    setUpWave(wave, lesson);
    wave.drawFrame(size.width(), size.height(), lesson.view, look);
    return wave.bitmap.copy();
}

QByteArray lessonFramePng(const Lesson &lesson, const DisplaySettings &look, QSize size)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // A picture too large for memory comes out null and saves nothing.
    if (!renderLessonFrame(lesson, look, size).save(&buffer, "PNG"))
        return QByteArray();
    return png;
}

QByteArray lessonAnimationGif(const Lesson &lesson, const DisplaySettings &look, QSize size, int frames)
{
    Wave wave;
    setUpWave(wave, lesson);
    QByteArray gif;
    QBuffer buffer(&gif);
    buffer.open(QIODevice::WriteOnly);
    if (writePeriodGif(buffer, wave, lesson.view, lesson.interval, look, size, frames) != AnimationResult::Written)
        return QByteArray();
    return gif;
}

QByteArray amplitudesCsv(const Wave &wave)
{
    QByteArray text = "mode,amplitude\n";
    for (int k = 1; k <= wave.waveCount; ++k)
        text
            += QByteArray::number(k) + ',' + QByteArray::number(double(wave.amplitudes[std::size_t(k)]), 'g', 9) + '\n';
    return text;
}

int runExport(const ExportRequest &request, const QString &settingsPath)
{
    Lesson lesson;
    if (!request.lesson.isEmpty()) {
        std::variant<Lesson, QString> read = readLessonFile(request.lesson);
        if (const QString *error = std::get_if<QString>(&read)) {
            printError(*error);
            return 1;
        }
        lesson = std::get<Lesson>(read);
    }
    DisplaySettingsStore store(settingsPath);
    // As at start: what could be read is used, and the problem told.
    if (!request.png.isEmpty() || !request.gif.isEmpty()) {
        if (const std::optional<QString> problem = store.load())
            printError(*problem);
    }
    const auto cannotDraw = [&request] {
        printError(QCoreApplication::translate("Export", "%1x%2 の画像を作れません")
                       .arg(request.size.width())
                       .arg(request.size.height()));
        return 1;
    };
    if (!request.png.isEmpty()) {
        const QByteArray png = lessonFramePng(lesson, store.settings(), request.size);
        if (png.isEmpty())
            return cannotDraw();
        if (!writeOrSay(request.png, png))
            return 1;
    }
    if (!request.gif.isEmpty()) {
        const QByteArray gif = lessonAnimationGif(lesson, store.settings(), request.size, request.frames);
        if (gif.isEmpty())
            return cannotDraw();
        if (!writeOrSay(request.gif, gif))
            return 1;
    }
    if (!request.amplitudes.isEmpty()) {
        Wave wave;
        setUpWave(wave, lesson);
        if (!writeOrSay(request.amplitudes, amplitudesCsv(wave)))
            return 1;
    }
    return 0;
}
