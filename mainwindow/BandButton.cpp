#include "mainwindow/BandButton.h"

#include <QActionEvent>

BandButton::BandButton(QAction *action, const QIcon &icon, const QString &hint, QWidget *parent)
    : QToolButton(parent)
    , icon_(icon)
    , hint_(hint)
{
    setDefaultAction(action);
    showOwnLook();
}

void BandButton::setCaption(const QString &caption)
{
    caption_ = caption;
    showOwnLook();
}

void BandButton::actionEvent(QActionEvent *event)
{
    // The action's every change is copied onto the button, its look included.
    QToolButton::actionEvent(event);
    if (event->type() == QEvent::ActionChanged)
        showOwnLook();
}

void BandButton::showOwnLook()
{
    setIcon(icon_);
    setText(caption_);
    setStatusTip(hint_);
    setToolTip(QString());
}
