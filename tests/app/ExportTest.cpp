#include "app/Export.h"

#include "app/LessonFile.h"
#include "display/DisplaySettingsStore.h"
#include "model/Wave.h"
#include "support/Files.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace {

class ExportTest : public ::testing::Test {
protected:
    static QString shipped(const char *name) { return QStringLiteral(VELMORA_LESSONS "/") + QLatin1String(name); }

    // The lesson and its string as the test sets them up itself.
    static Lesson lessonIn(const QString &path)
    {
        const std::variant<Lesson, QString> read = readLessonFile(path);
        EXPECT_TRUE(std::holds_alternative<Lesson>(read));
        return std::holds_alternative<Lesson>(read) ? std::get<Lesson>(read) : Lesson();
    }

    QTemporaryDir dir;
    QString settings = dir.filePath(QStringLiteral("Visual.ini"));
};

TEST_F(ExportTest, PngIsTheFrameDrawnAtTheAskedSize)
{
    const QString out = dir.filePath(QStringLiteral("frame.png"));
    const QString path = shipped("first-three-modes.velmora");
    ASSERT_EQ(runExport({.png = out, .size = QSize(331, 157), .lesson = path}, settings), 0);

    const Lesson lesson = lessonIn(path);
    Wave wave;
    wave.setParams(lesson.wave);
    wave.calcAmplitudes(lesson.waveform);
    DisplaySettingsStore store(settings);
    store.load();
    wave.drawFrame(331, 157, lesson.view, store.settings());

    const QImage saved(out);
    ASSERT_EQ(saved.size(), QSize(331, 157));
    EXPECT_TRUE(saved.convertToFormat(wave.bitmap.format()) == wave.bitmap);
}

// One period from the lesson's time, each frame as drawn at that time.
TEST_F(ExportTest, GifLoopsThroughOnePeriodOfDrawnFrames)
{
    Lesson lesson = lessonIn(shipped("first-three-modes.velmora"));
    lesson.view.time = -37;
    lesson.interval = 45;
    const QString path = dir.filePath(QStringLiteral("later.velmora"));
    putFile(path, lessonText(lesson));
    const QString out = dir.filePath(QStringLiteral("period.gif"));
    const QSize size(161, 97);
    constexpr int Frames = 7;
    ASSERT_EQ(runExport({.size = size, .lesson = path, .gif = out, .frames = Frames}, settings), 0);

    DisplaySettingsStore store(settings);
    store.load();
    QByteArray bytes = fileBytes(out);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    ASSERT_EQ(reader.imageCount(), Frames);
    EXPECT_EQ(reader.loopCount(), -1) << "loops for ever";
    for (int j = 0; j < Frames; ++j) {
        const QImage frame = reader.read();
        ASSERT_EQ(frame.size(), size) << "frame " << j;
        // Period 100 in 7 frames of 45 ms: 4.5 s, in whole hundredths that add up to it.
        const int delays[Frames] = {640, 650, 640, 640, 640, 650, 640};
        EXPECT_EQ(reader.nextImageDelay(), delays[j]) << "frame " << j;
        lesson.view.time = -37 + int(std::lround(j * 100 / 7.0));
        EXPECT_TRUE(frame.convertToFormat(QImage::Format_ARGB32)
                    == renderLessonFrame(lesson, store.settings(), size).convertToFormat(QImage::Format_ARGB32))
            << "frame " << j << " at time " << lesson.view.time;
    }
}

TEST_F(ExportTest, CsvHoldsEveryAmplitudeInFull)
{
    const QString out = dir.filePath(QStringLiteral("amplitudes.csv"));
    const QString path = shipped("plucked-third.velmora");
    ASSERT_EQ(runExport({.amplitudes = out, .lesson = path}, settings), 0);

    const Lesson lesson = lessonIn(path);
    Wave wave;
    wave.setParams(lesson.wave);
    wave.calcAmplitudes(lesson.waveform);

    const QList<QByteArray> lines = fileBytes(out).split('\n');
    ASSERT_EQ(lines.size(), wave.waveCount + 2) << "a header, a line per mode and the last line's end";
    EXPECT_EQ(lines[0], "mode,amplitude");
    EXPECT_TRUE(lines.back().isEmpty());
    for (int k = 1; k <= wave.waveCount; ++k) {
        const QList<QByteArray> fields = lines[k].split(',');
        ASSERT_EQ(fields.size(), 2) << lines[k].constData();
        EXPECT_EQ(fields[0].toInt(), k);
        EXPECT_EQ(fields[1].toFloat(), wave.amplitudes[std::size_t(k)]) << "mode " << k;
    }
}

TEST_F(ExportTest, UnwritableFileOrUnreadableLessonFails)
{
    const QString nowhere = dir.filePath(QStringLiteral("missing/amplitudes.csv"));
    EXPECT_EQ(runExport({.amplitudes = nowhere}, settings), 1);
    const QString out = dir.filePath(QStringLiteral("amplitudes.csv"));
    EXPECT_EQ(runExport({.amplitudes = out, .lesson = dir.filePath(QStringLiteral("none.velmora"))}, settings), 1);
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
