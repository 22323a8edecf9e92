#include "mainwindow/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::copyFrame(const QImage &frame)
{
    frame_ = frame;
    ++framesCopied_;
    update();
}

void PaintBox::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    // Outside the frame (before the first one, or after a resize) the main
    // window's background shows: the desktop's window colour, white by
    // default, not the grey of buttons and panels.
    p.fillRect(event->rect(), palette().color(QPalette::Base));
    if (!frame_.isNull())
        p.drawImage(0, 0, frame_);
}

void PaintBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit mouseMoved(event->modifiers(), pos.x(), pos.y());
}
