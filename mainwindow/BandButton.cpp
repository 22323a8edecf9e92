#include "mainwindow/BandButton.h"

#include <QActionEvent>

BandButton::BandButton(QAction *action, ToolPicture picture, const QString &hint, QWidget *parent)
    : QToolButton(parent)
    , picture_(picture)
    , icon_(makeToolIcon(picture, palette()))
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

void BandButton::changeEvent(QEvent *event)
{
    // A new application palette reaches the button as a palette change too.
    if (event->type() == QEvent::PaletteChange) {
        icon_ = makeToolIcon(picture_, palette());
        setIcon(icon_);
    }
    QToolButton::changeEvent(event);
}

void BandButton::showOwnLook()
{
    setIcon(icon_);
    setText(caption_);
    setStatusTip(hint_);
    setToolTip(QString());
}
