#include "app/CommandLine.h"
#include "app/DisplayGuard.h"
#include "app/Export.h"
#include "app/QtTranslation.h"
#include "app/Windows.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ToolIcons.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    // Lets Wayland desktops match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.velmora.Velmora"));
    UiLanguage language = UiLanguage::Japanese;
    QString lesson;
    std::optional<ExportRequest> exports;
    {
        // Reading the command line needs no window system.
        QCoreApplication probe(argc, argv);
        CommandLine command = parseCommandLine(QCoreApplication::arguments());
        language = command.language.value_or(languageFor(QLocale::system().uiLanguages()));
        lesson = command.lesson;
        if (command.action == CommandLine::Action::Export) {
            exports = command.exports;
        } else if (command.action != CommandLine::Action::Run) {
            // Read once more with the interface's texts and Qt's, so that help
            // and errors speak its language ("Usage:" and "Options:" are Qt's).
            const bool ours = installProgramTranslation(probe, language);
            const bool qts = installQtTranslation(probe, language);
            if (ours || qts)
                command = parseCommandLine(QCoreApplication::arguments());
            const bool failed = command.action == CommandLine::Action::Fail;
            std::fputs(command.text.toLocal8Bit().constData(), failed ? stderr : stdout);
            return exitCodeOf(command);
        }
    }

    if (exports) {
        // Drawn into an image only: no display is needed, and no window opens.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        installProgramTranslation(app, language);
        installQtTranslation(app, language);
        return runExport(*exports);
    }

    auto guard = std::make_unique<DisplayGuard>();
    QApplication app(argc, argv);
    guard.reset();
    // Before any window, whose texts are translated as it is made.
    installProgramTranslation(app, language);
    installQtTranslation(app, language);
    installFontSubstitutions();
    QApplication::setWindowIcon(QIcon(makeProgramPicture(64)));

    Windows windows;
    windows.loadDisplaySettings();
    MainWindow &main = windows.mainWindow();
    main.show();
    // Desktops activate a new window themselves; a bare display does not, and
    // the animation runs only while the main window (or the monitor) is active.
    main.activateWindow();
    // From the running loop, so that an error box stands over the main window.
    if (!lesson.isEmpty())
        QTimer::singleShot(0, &windows, [&windows, &lesson] { windows.openLesson(lesson); });
    const int result = QApplication::exec();
    // Saved while every window still stands, so an error box has a program to show in.
    windows.saveDisplaySettings();
    return result;
}
