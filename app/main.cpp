#include "app/DisplayGuard.h"
#include "app/QtTranslation.h"
#include "app/Windows.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ToolIcons.h"
#include "platform/Fonts.h"

#include <QApplication>

#include <memory>

int main(int argc, char **argv)
{
    auto guard = std::make_unique<DisplayGuard>();
    QApplication app(argc, argv);
    guard.reset();
    installQtJapanese(app);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
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
