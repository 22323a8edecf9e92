#pragma once
#include "model/Lesson.h"

#include <QString>

#include <optional>
#include <variant>

// The lesson in the file, or the message to show, naming the file and what is
// wrong. Only a regular file of at most MaxLessonFileBytes is read.
std::variant<Lesson, QString> readLessonFile(const QString &path);

// Replaces the file as Visual.ini is replaced, atomically; the message to show
// when that failed, the file then as it was.
std::optional<QString> writeLessonFile(const QString &path, const Lesson &lesson);
