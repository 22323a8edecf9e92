#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnDesktop(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->frameGeometry().center() + window->pos());
}
