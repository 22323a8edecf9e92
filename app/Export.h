#pragma once
#include "model/Lesson.h"
#include "model/PeriodFrames.h"

#include <QImage>
#include <QSize>
#include <QString>

class Wave;
struct DisplaySettings;

// What --export-png, --export-amplitudes and --export-gif ask for; empty
// paths for none. The size is the PNG's and the GIF's. Every member has an
// initializer, so that a request names only what it sets.
struct ExportRequest {
    QString png{};
    QSize size{};
    QString amplitudes{};
    // The lesson to show; empty for the program's start state.
    QString lesson{};
    QString gif{};
    int frames = DefaultPeriodFrames;
};

// The string as the lesson sets it up, its amplitudes computed.
void setUpWave(Wave &wave, const Lesson &lesson);
// The lesson's frame at that size, drawn as the main window draws it.
QImage renderLessonFrame(const Lesson &lesson, const DisplaySettings &look, QSize size);
// That frame as a PNG file's bytes; none when it cannot be drawn.
QByteArray lessonFramePng(const Lesson &lesson, const DisplaySettings &look, QSize size);
// One period of the lesson from its time as a looping GIF's bytes, `frames`
// frames at that size, each shown as long as the lesson's interval makes it;
// none when it cannot be drawn.
QByteArray lessonAnimationGif(const Lesson &lesson, const DisplaySettings &look, QSize size, int frames);
// A "mode,amplitude" header, then one line per mode with the float in full.
QByteArray amplitudesCsv(const Wave &wave);

// Writes the files; problems go to stderr as one line each. The exit code:
// 0, or 1 when a file could not be read or written. The display settings come
// from visualIniPath() unless told.
int runExport(const ExportRequest &request, const QString &settingsPath = QString());
