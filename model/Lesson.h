#pragma once
#include "model/DrawnWaveform.h"
#include "model/WaveParams.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <variant>

// Everything needed to show the same string again: the wave settings with the
// drawn waveform, and how it is viewed.
struct Lesson {
    WaveParams wave;
    DrawnWaveform waveform;
    FrameParams view;
    std::int32_t interval = 100;
    bool paused = false;

    friend bool operator==(const Lesson &, const Lesson &) = default;
};

// The format version this program writes; a file of a later one is refused.
inline constexpr int LessonVersion = 1;
// Far more than a lesson holds, so a stray huge file is never read.
inline constexpr qint64 MaxLessonFileBytes = 1024 * 1024;

// A lesson file's text: one [lesson] section of key=value lines, UTF-8.
QByteArray lessonText(const Lesson &lesson);

// The lesson a text holds, or what is wrong with it (a translated sentence
// without a full stop). Every key must be there; numbers that do not fit their
// type are refused, numbers out of a control's range are brought into it.
std::variant<Lesson, QString> parseLesson(const QByteArray &text);
