#include "mainwindow/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

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
    const QRect frameRect(QPoint(0, 0), frame_.size());
    const QRect exposed = event->rect();
    if (!frame_.isNull())
        p.drawImage(exposed.intersected(frameRect), frame_, exposed.intersected(frameRect));
    // Outside the frame (before the first one, or after a resize) the main
    // window's background shows: the desktop's window colour, white by
    // default, not the grey of buttons and panels.
    for (const QRect &r : QRegion(exposed).subtracted(frameRect))
        p.fillRect(r, palette().color(QPalette::Base));
}

void PaintBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit mouseMoved(event->modifiers(), pos.x(), pos.y());
}
