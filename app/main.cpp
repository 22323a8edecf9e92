#include "app/CommandLine.h"
#include "app/DisplayGuard.h"
#include "app/QtTranslation.h"
#include "app/Windows.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ToolIcons.h"
#include "platform/Fonts.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    {
        // Reading the command line needs no window system.
        const QCoreApplication probe(argc, argv);
        const CommandLine command = parseCommandLine(QCoreApplication::arguments());
        if (command.action != CommandLine::Action::Run) {
            const bool failed = command.action == CommandLine::Action::Fail;
            std::fputs(command.text.toLocal8Bit().constData(), failed ? stderr : stdout);
            return exitCodeOf(command);
        }
    }

    auto guard = std::make_unique<DisplayGuard>();
    QApplication app(argc, argv);
    guard.reset();
    installQtJapanese(app);
    installFontSubstitutions();
    QApplication::setWindowIcon(QIcon(makeProgramPicture(64)));

    Windows windows;
    windows.loadDisplaySettings();
    MainWindow &main = windows.mainWindow();
    main.show();
    // Desktops activate a new window themselves; a bare display does not, and
    // the animation runs only while the main window (or the monitor) is active.
    main.activateWindow();
    const int result = QApplication::exec();
    // Saved while every window still stands, so an error box has a program to show in.
    windows.saveDisplaySettings();
    return result;
}
