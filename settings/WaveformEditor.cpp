#include "settings/WaveformEditor.h"

#include "platform/Color.h"
#include "settings/WaveformGeometry.h"

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

void WaveformEditor::setActive(bool active)
{
    active_ = active;
    render();
}

void WaveformEditor::setWaveform(const DrawnWaveform &waveform)
{
    waveform_ = waveform;
    render();
}

void WaveformEditor::clear()
{
    for (int i = 1; i <= DrawnWaveform::LastInner; ++i)
        waveform_.undefine(i);
    render();
    emit changed();
}

void WaveformEditor::render()
{
    if (image_.size() != size())
        image_ = QImage(size(), QImage::Format_RGB32);
    if (active_)
        drawWaveformWorking(image_, waveform_);
    else
        drawWaveformBlank(image_, toQColor(colors::BtnFace));
    update();
}

void WaveformEditor::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void WaveformEditor::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    render();
}

void WaveformEditor::mousePressEvent(QMouseEvent *event)
{
    selected_ = waveformHitPoint(pixel(event).x(), image_.width());
    if (event->button() == Qt::RightButton) {
        if (selected_ != 0) {
            waveform_.undefine(selected_);
            emit changed();
        }
        // A right drag moves nothing.
        selected_ = 0;
    }
    render();
}

void WaveformEditor::mouseMoveEvent(QMouseEvent *event)
{
    if (selected_ < 1 || selected_ > DrawnWaveform::LastInner)
        return;
    const int y = pixel(event).y();
    const int row = event->modifiers().testFlag(Qt::ShiftModifier) ? waveformSnapRow(y) : y;
    waveform_.setHeight(selected_, waveformValueAt(row, image_.height()));
    render();
    emit changed();
}

void WaveformEditor::mouseReleaseEvent(QMouseEvent *)
{
    selected_ = 0;
}
