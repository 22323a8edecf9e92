#include "app/Windows.h"
#include "mainwindow/Frmwaveu.h"
#include "platform/Fonts.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    InstallFontSubstitutions();

    CreateWindows();
    frmWave->show();
    const int result = QApplication::exec();
    DestroyWindows();
    return result;
}
