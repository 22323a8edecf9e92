#include "app/LessonFile.h"

#include "platform/ProfileFile.h"
#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString problemReading(FileRead::Status status)
{
    switch (status) {
    case FileRead::Status::Missing:
        return QCoreApplication::translate("LessonFile", "ファイルがありません");
    case FileRead::Status::TooLarge:
        return QCoreApplication::translate("LessonFile", "1 MB を超えるファイルはレッスンではありません");
    default:
        return QCoreApplication::translate("LessonFile", "ファイルを読み込めません");
    }
}

} // namespace

std::variant<Lesson, QString> readLessonFile(const QString &path)
{
    const QString name = QFileInfo(path).absoluteFilePath();
    const auto cannotOpen = [&name](const QString &problem) {
        return QCoreApplication::translate("LessonFile", "%1 を開けません: %2").arg(name, problem);
    };
    const FileRead read = readRegularFile(path, MaxLessonFileBytes);
    if (read.status != FileRead::Status::Read)
        return cannotOpen(problemReading(read.status));
    std::variant<Lesson, QString> lesson = parseLesson(read.bytes);
    if (const QString *problem = std::get_if<QString>(&lesson))
        return cannotOpen(*problem);
    return lesson;
}

std::optional<QString> writeLessonFile(const QString &path, const Lesson &lesson)
{
    if (!writeRegularFile(path, lessonText(lesson)))
        return ProfileWriteError(path).message();
    return std::nullopt;
}
