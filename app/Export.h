#pragma once
#include "model/Lesson.h"

#include <QImage>
#include <QSize>
#include <QString>

class Wave;
struct DisplaySettings;

// What --export-png and --export-amplitudes ask for; empty paths for none.
struct ExportRequest {
    QString png;
    QSize size;
    QString amplitudes;
    // The lesson to show; empty for the program's start state.
    QString lesson;
};

// The string as the lesson sets it up, its amplitudes computed.
void setUpWave(Wave &wave, const Lesson &lesson);
// The lesson's frame at that size, drawn as the main window draws it.
QImage renderLessonFrame(const Lesson &lesson, const DisplaySettings &look, QSize size);
// A "mode,amplitude" header, then one line per mode with the float in full.
QByteArray amplitudesCsv(const Wave &wave);

// Writes the files; problems go to stderr as one line each. The exit code:
// 0, or 1 when a file could not be read or written. The display settings come
// from visualIniPath() unless told.
int runExport(const ExportRequest &request, const QString &settingsPath = QString());
