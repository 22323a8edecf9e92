#include "app/Export.h"

#include "app/LessonFile.h"
#include "display/DisplaySettingsStore.h"
#include "model/Wave.h"
#include "support/Files.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    ASSERT_EQ(runExport({out, QSize(331, 157), QString(), path}, settings), 0);

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

TEST_F(ExportTest, CsvHoldsEveryAmplitudeInFull)
{
    const QString out = dir.filePath(QStringLiteral("amplitudes.csv"));
    const QString path = shipped("plucked-third.velmora");
    ASSERT_EQ(runExport({QString(), QSize(), out, path}, settings), 0);

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
    EXPECT_EQ(runExport({QString(), QSize(), nowhere, QString()}, settings), 1);
    const QString out = dir.filePath(QStringLiteral("amplitudes.csv"));
    EXPECT_EQ(runExport({QString(), QSize(), out, dir.filePath(QStringLiteral("none.velmora"))}, settings), 1);
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
