#include "model/PolylineRaster.h"

#include <QPen>

#include <cmath>
#include <cstdlib>

namespace {

// Liang–Barsky: clips the segment to [0, w−1] × [0, h−1]; false if nothing is left.
bool ClipSegment(double &x0, double &y0, double &x1, double &y1, int w, int h)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0, (w - 1) - x0, y0, (h - 1) - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            if (r > t1)
                return false;
            if (r > t0)
                t0 = r;
        } else {
            if (r < t0)
                return false;
            if (r < t1)
                t1 = r;
        }
    }
    const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = nx0;
    y0 = ny0;
    return true;
}

void Segment(QRgb *bits, qsizetype stride, int w, int h, QPoint a, QPoint b, QRgb color, bool lastPixel)
{
    const bool inside = a.x() >= 0 && a.x() < w && a.y() >= 0 && a.y() < h && b.x() >= 0 && b.x() < w
                        && b.y() >= 0 && b.y() < h;
    int x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    if (!inside) {
        double fx0 = x0, fy0 = y0, fx1 = x1, fy1 = y1;
        if (!ClipSegment(fx0, fy0, fx1, fy1, w, h))
            return;
        x0 = int(std::lround(fx0));
        y0 = int(std::lround(fy0));
        x1 = int(std::lround(fx1));
        y1 = int(std::lround(fy1));
        lastPixel = true;
    }
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const qsizetype step = sy * stride;
    QRgb *p = bits + y0 * stride + x0;
    int err = dx + dy;
    int n = std::max(dx, -dy) + (lastPixel ? 1 : 0);
    while (n-- > 0) {
        *p = color;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p += step;
        }
    }
}

} // namespace

void DrawThinPolyline(QImage &image, const QPoint *points, int count, QRgb color)
{
    const int w = image.width(), h = image.height();
    if (count < 2 || w <= 0 || h <= 0)
        return;
    QRgb *bits = reinterpret_cast<QRgb *>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    for (int i = 1; i < count; ++i)
        Segment(bits, stride, w, h, points[i - 1], points[i], color, i == count - 1);
}

bool IsThinSolidPen(const QPen &pen)
{
    return pen.style() == Qt::SolidLine && pen.width() <= 1 && pen.color().alpha() == 255;
}
