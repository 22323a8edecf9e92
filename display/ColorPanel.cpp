#include "display/ColorPanel.h"

#include <QMouseEvent>

ColorPanel::ColorPanel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setColor(colors::Black);
}

void ColorPanel::setColor(Color color)
{
    color_ = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(color));
    // White whatever the background, even white.
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
}

void ColorPanel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ColorPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}
