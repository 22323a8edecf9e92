#include "settings/WaveformGeometry.h"

#include "model/DrawnWaveform.h"
#include "platform/Rounding.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cstdint>

namespace {

// Far enough outside any editor that a line cut off here leaves the visible
// pixels where the true line would put them, and small enough for the painter.
constexpr int RowLimit = 1 << 20;

constexpr int Divisions = DrawnWaveform::PointCount - 1;

QColor rgb(unsigned rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

// A one-pixel, unsmoothed pen: a line at integer coordinates covers exactly
// the pixels it passes through.
QPen thinPen(const QColor &color)
{
    QPen pen(color);
    pen.setWidth(0);
    return pen;
}

// The image's area with a one-pixel frame on its outermost pixels.
void framedArea(QPainter &p, int width, int height, const QColor &fill)
{
    p.fillRect(0, 0, width, height, fill);
    p.setPen(thinPen(Qt::black));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width - 1, height - 1);
}

} // namespace

int waveformColumn(int i, int width)
{
    return int(std::int64_t(i) * width / Divisions);
}

int waveformRow(double value, int height, double offset)
{
    const int half = height / 2;
    return roundToInt(half * (1.0 - value) + offset, -RowLimit, RowLimit, half);
}

int waveformHitPoint(double x, int width)
{
    int hit = 0;
    for (int i = 1; i <= DrawnWaveform::LastInner; ++i)
        if ((width * (i - 0.5)) / Divisions <= x && x <= (width * (i + 0.5)) / Divisions)
            hit = i;
    return hit;
}

int waveformSnapRow(int y)
{
    const std::int64_t snapped = (std::int64_t(y) + 5) / 10 * 10;
    return snapped > INT32_MAX ? int(snapped - 10) : int(snapped);
}

float waveformValueAt(int y, int height)
{
    const int half = height / 2;
    if (half == 0)
        return 0.0f;
    return float(1.0L - static_cast<long double>(y) / half);
}

void drawWaveformWorking(QImage &image, const DrawnWaveform &waveform)
{
    const int w = image.width();
    const int h = image.height();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    framedArea(p, w, h, Qt::white);

    p.setPen(thinPen(rgb(0x808080)));
    for (int i = 1; i <= Divisions; ++i)
        p.drawLine(waveformColumn(i, w), 0, waveformColumn(i, w), h);

    QPolygon curve;
    curve << QPoint(0, h / 2);
    for (int i = 1; i <= Divisions; ++i)
        if (waveform.isDefined(i))
            curve << QPoint(waveformColumn(i, w), waveformRow(waveform.height(i), h));
    p.setPen(thinPen(Qt::black));
    p.drawPolyline(curve);

    for (int i = 1; i <= DrawnWaveform::LastInner; ++i) {
        if (!waveform.isDefined(i))
            continue;
        const int x = waveformColumn(i, w);
        // The marker's rows round from its own centre, which need not be the
        // curve's rounded row; both edges shift alike, so it stays 4 high.
        const int top = waveformRow(waveform.height(i), h, -2.0);
        const int bottom = waveformRow(waveform.height(i), h, 2.0);
        p.fillRect(x - 2, top, 4, bottom - top, Qt::black);
    }
}

void drawWaveformBlank(QImage &image, const QColor &face)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    framedArea(p, image.width(), image.height(), face);
}
