#include "settings/WaveformEditor.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// The pixel holding the pointer, also for fractional positions.
QPoint pixel(const QMouseEvent *event)
{
    const QPointF p = event->position();
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

} // namespace

WaveformEditor::WaveformEditor(QWidget *parent)
    : QWidget(parent)
{
    // Every pixel comes from the image.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WaveformEditor::copyFrame(const QImage &frame)
{
    frame_ = frame;
    // A copy made while painting is shown by that same paint.
    if (!painting_)
        update();
}

void WaveformEditor::paintEvent(QPaintEvent *)
{
    painting_ = true;
    emit paint();
    painting_ = false;
    QPainter p(this);
    p.drawImage(0, 0, frame_);
}

void WaveformEditor::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = pixel(event);
    emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void WaveformEditor::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = pixel(event);
    emit mouseMove(event->modifiers(), at.x(), at.y());
}

void WaveformEditor::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = pixel(event);
    emit mouseUp(event->button(), event->modifiers(), at.x(), at.y());
}
