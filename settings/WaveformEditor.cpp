#include "settings/WaveformEditor.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// The pixel holding the pointer, also for fractional positions.
QPoint Pixel(const QMouseEvent *event)
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

void WaveformEditor::CopyFrame(const QImage &frame)
{
    frame_ = frame;
    // A copy made while painting is shown by that same paint.
    if (!painting_)
        update();
}

void WaveformEditor::paintEvent(QPaintEvent *)
{
    painting_ = true;
    emit Paint();
    painting_ = false;
    QPainter p(this);
    p.drawImage(0, 0, frame_);
}

void WaveformEditor::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = Pixel(event);
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void WaveformEditor::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = Pixel(event);
    emit MouseMove(event->modifiers(), at.x(), at.y());
}

void WaveformEditor::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = Pixel(event);
    emit MouseUp(event->button(), event->modifiers(), at.x(), at.y());
}
