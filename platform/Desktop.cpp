#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

void centreOnDesktop(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->frameGeometry().center() + window->pos());
}

void layOutNow(QWidget *window)
{
    if (QLayout *root = window->layout())
        root->activate();
    for (QLayout *inner : window->findChildren<QLayout *>())
        inner->activate();
}
