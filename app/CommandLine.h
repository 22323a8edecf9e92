#pragma once
#include "app/Export.h"
#include "app/QtTranslation.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for, decided before any window system is needed.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Export, Fail };
    Action action = Action::Run;
    // The help or version text for stdout, or the error and usage for stderr.
    QString text;
    // The interface language --lang asks for; none when it is not given
    // (or the command line could not be read as far).
    std::optional<UiLanguage> language;
    // The lesson file to open at start; empty for none.
    QString lesson;
    // The files to write without any window, for Action::Export.
    ExportRequest exports;
};

// Qt's own options (-platform, -style, ...) are accepted and left to Qt. One
// argument besides the options is a lesson to open if it ends in .velmora or
// names an existing file; anything else is an error. With --export-png,
// --export-gif or --export-amplitudes one argument is the lesson to export.
CommandLine parseCommandLine(const QStringList &arguments);

// The exit code for a command line that does not run the program.
int exitCodeOf(const CommandLine &command);
