#include "model/PolylineRaster.h"

#include "model/ShortSegments.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>

using segmentpixels::bresenham;
using segmentpixels::ShortSegments;

namespace {

// Cuts the segment (a0, b0)–(a1, b1) to a0, a1 within [lo, hi]; false if
// nothing is left. An end is moved onto the bound exactly and its other
// coordinate by the slope, so an end ~1e80 away costs no precision where the
// segment meets the bound (interpolating from that end would).
bool clipCoordinate(double &a0, double &b0, double &a1, double &b1, double lo, double hi)
{
    if ((a0 < lo && a1 < lo) || (a0 > hi && a1 > hi))
        return false;
    if (a0 == a1)
        return true;
    const double slope = (b1 - b0) / (a1 - a0);
    auto moveOnto = [slope](double &a, double &b, double bound) {
        b += (bound - a) * slope;
        a = bound;
    };
    if (a0 < lo)
        moveOnto(a0, b0, lo);
    else if (a0 > hi)
        moveOnto(a0, b0, hi);
    if (a1 < lo)
        moveOnto(a1, b1, lo);
    else if (a1 > hi)
        moveOnto(a1, b1, hi);
    return true;
}

// Clips the segment to [0, w−1] × [0, h−1]: rows first, which brings every
// coordinate near the picture, then columns.
bool clipSegment(double &x0, double &y0, double &x1, double &y1, int w, int h)
{
    return clipCoordinate(y0, x0, y1, x1, 0.0, h - 1.0) && clipCoordinate(x0, y0, x1, y1, 0.0, w - 1.0);
}

int roundInto(double v, int lo, int hi)
{
    return std::clamp(int(std::lround(std::clamp(v, double(lo), double(hi)))), lo, hi);
}

void segment(QRgb *bits, qsizetype stride, int w, int h, QPointF a, QPointF b, QRgb color, bool lastPixel)
{
    int x0, y0, x1, y1;
    if (a.x() >= 0 && a.x() < w && a.y() >= 0 && a.y() < h && b.x() >= 0 && b.x() < w && b.y() >= 0 && b.y() < h) {
        x0 = int(a.x());
        y0 = int(a.y());
        x1 = int(b.x());
        y1 = int(b.y());
    } else {
        double fx0 = a.x(), fy0 = a.y(), fx1 = b.x(), fy1 = b.y();
        if (!clipSegment(fx0, fy0, fx1, fy1, w, h))
            return;
        x0 = roundInto(fx0, 0, w - 1);
        y0 = roundInto(fy0, 0, h - 1);
        x1 = roundInto(fx1, 0, w - 1);
        y1 = roundInto(fy1, 0, h - 1);
        lastPixel = true;
    }
    QRgb *p = bits + y0 * stride + x0;
    bresenham(x0, y0, x1, y1, lastPixel, [p, stride, color](int dx, int dy) { p[dy * stride + dx] = color; });
}

} // namespace

// The image's pixels and the segment tables for its row length.
struct ThinLineCanvas::Tables {
    explicit Tables(qsizetype stride)
        : near(stride)
        , short4(stride)
    {
    }
    ShortSegments<2> near;
    ShortSegments<4> short4;
};

ThinLineCanvas::ThinLineCanvas(QImage &image, InstructionSet set)
    : w_(image.width())
    , h_(image.height())
    , bits_(reinterpret_cast<QRgb *>(image.bits()))
    , stride_(image.bytesPerLine() / qsizetype(sizeof(QRgb)))
    , vectorLoops_(runsAvx2Loops(set) && qsizetype(h_) * stride_ < (qsizetype(1) << 31))
    , tables_(std::make_unique<Tables>(stride_))
{
}

template <int Reach>
void ThinLineCanvas::drawShortSegments(const ShortSegments<Reach> &table, int x0, int y0, const int *columns,
                                       const int *rows, int count, QRgb color, int across)
{
    if (vectorLoops_) {
        if constexpr (Reach == 2)
            segmentpixels::drawSegmentsAvx2(table, bits_, stride_, x0, y0, columns, rows, count, color);
        else
            segmentpixels::drawSegmentsAvx2(table, bits_, stride_, x0, y0, columns, rows, count, color, across);
        return;
    }
    segmentpixels::drawSegments(table, bits_, stride_, x0, y0, columns, rows, count, color);
}

ThinLineCanvas::~ThinLineCanvas() = default;

bool ThinLineCanvas::contains(QPointF p) const
{
    return p.x() >= 0 && p.x() < w_ && p.y() >= 0 && p.y() < h_;
}

void ThinLineCanvas::insideSegment(int x0, int y0, int x1, int y1, QRgb color)
{
    QRgb *p = bits_ + y0 * stride_ + x0;
    if (ShortSegments<4>::fits(x1 - x0, y1 - y0)) {
        ShortSegments<4>::draw(p, tables_->short4.at(x1 - x0, y1 - y0), color);
        return;
    }
    const qsizetype stride = stride_;
    bresenham(x0, y0, x1, y1, false, [p, stride, color](int dx, int dy) { p[dy * stride + dx] = color; });
}

void ThinLineCanvas::anySegment(QPointF a, QPointF b, QRgb color, bool lastPixel)
{
    segment(bits_, stride_, w_, h_, a, b, color, lastPixel);
}

namespace {

// The largest step across and up or down of the curve's first `count` segments.
std::pair<int, int> largestSteps(int startRow, const int *columns, const int *rows, int count)
{
    int across = 0, upDown = 0;
    int x0 = 0, y0 = startRow;
    for (int i = 0; i < count; ++i) {
        across = std::max(across, columns[i] - x0);
        upDown = std::max(upDown, std::abs(rows[i] - y0));
        x0 = columns[i];
        y0 = rows[i];
    }
    return {across, upDown};
}

} // namespace

void ThinLineCanvas::drawPolyline(const QPointF *points, int count, QRgb color)
{
    if (count < 2 || isEmpty())
        return;
    bool previousInside = contains(points[0]);
    for (int i = 1; i < count; ++i) {
        const QPointF a = points[i - 1], b = points[i];
        const bool bInside = contains(b);
        if (previousInside && bInside && i < count - 1)
            insideSegment(int(a.x()), int(a.y()), int(b.x()), int(b.y()), color);
        else
            anySegment(a, b, color, i == count - 1);
        previousInside = bInside;
    }
}

void ThinLineCanvas::drawCurve(int startRow, const int *columns, const int *rows, int count, QRgb color)
{
    const auto [across, upDown] = largestSteps(startRow, columns, rows, count);
    drawCurve(startRow, columns, rows, count, color, across, upDown);
}

void ThinLineCanvas::drawCurve(int startRow, const int *columns, const int *rows, int count, QRgb color, int across,
                               int upDown)
{
    if (count < 1 || isEmpty())
        return;
    // Segments that end inside the picture and before the last vertex.
    const int inside = int(std::lower_bound(columns, columns + count - 1, w_) - columns);
    int x0 = 0, y0 = startRow, i = 0;
    if (across <= 2 && upDown <= 2) {
        drawShortSegments(tables_->near, x0, y0, columns, rows, inside, color, across);
        i = inside;
    } else if (across <= 4 && upDown <= 4) {
        drawShortSegments(tables_->short4, x0, y0, columns, rows, inside, color, across);
        i = inside;
    }
    if (i > 0) {
        x0 = columns[i - 1];
        y0 = rows[i - 1];
    }
    for (; i < count; ++i) {
        if (i < inside)
            insideSegment(x0, y0, columns[i], rows[i], color);
        else
            anySegment(QPointF(x0, y0), QPointF(columns[i], rows[i]), color, i == count - 1);
        x0 = columns[i];
        y0 = rows[i];
    }
}

void drawThinPolyline(QImage &image, const QPointF *points, int count, QRgb color)
{
    ThinLineCanvas(image).drawPolyline(points, count, color);
}

void drawThinCurve(QImage &image, int startRow, const int *columns, const int *rows, int count, QRgb color)
{
    ThinLineCanvas(image).drawCurve(startRow, columns, rows, count, color);
}

void forEachDrawablePiece(const QPointF *points, int count, int height,
                          const std::function<void(const QPolygon &piece, double lengthBefore)> &draw)
{
    if (count < 2)
        return;
    const double top = -double(DrawableRowMargin), bottom = double(height) + DrawableRowMargin;
    const bool allWithin
        = std::all_of(points, points + count, [&](QPointF p) { return p.y() >= top && p.y() <= bottom; });
    if (allWithin) {
        QPolygon poly(count);
        for (int i = 0; i < count; ++i)
            poly[i] = QPoint(int(points[i].x()), int(points[i].y()));
        draw(poly, 0.0);
        return;
    }

    QPolygon piece;
    double pieceStart = 0.0;
    auto flush = [&] {
        if (piece.size() >= 2)
            draw(piece, pieceStart);
        piece.clear();
    };
    double length = 0.0;
    for (int i = 1; i < count; ++i) {
        const QPointF a = points[i - 1], b = points[i];
        const double segment = std::hypot(b.x() - a.x(), b.y() - a.y());
        double x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
        if (clipCoordinate(y0, x0, y1, x1, top, bottom)) {
            const bool cutAtStart = y0 != a.y(), cutAtEnd = y1 != b.y();
            if (piece.isEmpty() || cutAtStart) {
                flush();
                piece << QPoint(int(std::lround(x0)), int(std::lround(y0)));
                pieceStart = length + std::hypot(x0 - a.x(), y0 - a.y());
            }
            piece << QPoint(int(std::lround(x1)), int(std::lround(y1)));
            if (cutAtEnd)
                flush();
        } else {
            flush();
        }
        length += segment;
    }
    flush();
}

void drawClippedPolyline(QPainter &painter, const QPen &pen, const QPointF *points, int count, int height)
{
    // A dash pattern is measured in pen widths; a piece starts where the
    // pattern stands after the length of curve before it.
    const QList<qreal> dashes = pen.style() == Qt::SolidLine ? QList<qreal>() : pen.dashPattern();
    const double period = std::accumulate(dashes.cbegin(), dashes.cend(), 0.0);
    const double unit = std::max(pen.widthF(), 1.0);
    forEachDrawablePiece(points, count, height, [&](const QPolygon &piece, double lengthBefore) {
        QPen p = pen;
        if (period > 0.0)
            p.setDashOffset(std::fmod(lengthBefore / unit, period));
        painter.setPen(p);
        painter.drawPolyline(piece);
    });
}

void drawWithQPainter(QImage &image, const QPen &pen, const QPoint *points, int count)
{
    if (image.paintingActive()) {
        QPainter *open = image.paintEngine()->painter();
        open->save();
        open->setRenderHint(QPainter::Antialiasing, false);
        open->setPen(pen);
        open->drawPolyline(points, count);
        open->restore();
        return;
    }
    QPainter painter(&image);
    painter.setPen(pen);
    painter.drawPolyline(points, count);
}

bool isThinSolidPen(const QPen &pen)
{
    return pen.style() == Qt::SolidLine && pen.width() <= 1 && pen.color().alpha() == 255;
}
