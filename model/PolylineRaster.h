#pragma once
#include "model/VectorUnit.h"

#include <QImage>
#include <QPointF>

#include <functional>
#include <memory>

class QPainter;
class QPen;
class QPolygon;
namespace segmentpixels {
template <int Reach> class ShortSegments;
}

// Curves are polylines whose vertices lie on whole columns and whole rows; a
// row may lie any distance outside the picture (a deep zoom). Both functions
// cut each segment where it leaves the drawable range, in double, so that what
// shows in the picture follows the exact line between the vertices.

// A 32-bit image opened for one-pixel, solid, opaque lines drawn straight into
// its pixels; made once for the many curves of a frame. Its loops use at most
// the given instruction set, and the same pixels come out of every one.
class ThinLineCanvas {
public:
    explicit ThinLineCanvas(QImage &image, InstructionSet set = InstructionSet::Baseline);
    ~ThinLineCanvas();
    ThinLineCanvas(const ThinLineCanvas &) = delete;
    ThinLineCanvas &operator=(const ThinLineCanvas &) = delete;

    // As drawThinPolyline and drawThinCurve below.
    void drawPolyline(const QPointF *points, int count, QRgb color);
    void drawCurve(int startRow, const int *columns, const int *rows, int count, QRgb color);
    // The same, given bounds on its steps: `across` on every column step (the
    // first from column 0), `upDown` on every row step (the first from startRow).
    void drawCurve(int startRow, const int *columns, const int *rows, int count, QRgb color, int across, int upDown);

private:
    struct Tables;

    bool isEmpty() const { return w_ <= 0 || h_ <= 0; }
    bool contains(QPointF p) const;
    template <int Reach>
    void drawShortSegments(const segmentpixels::ShortSegments<Reach> &table, int x0, int y0, const int *columns,
                           const int *rows, int count, QRgb color, int across);
    // A segment with both ends in the picture, without its last pixel.
    void insideSegment(int x0, int y0, int x1, int y1, QRgb color);
    // Any segment, cut to the picture.
    void anySegment(QPointF a, QPointF b, QRgb color, bool lastPixel);

    int w_, h_;
    QRgb *bits_;
    qsizetype stride_;
    bool vectorLoops_;
    std::unique_ptr<Tables> tables_;
};

// Draws a one-pixel, solid, opaque polyline straight into a 32-bit image. A frame
// with every mode shown draws a thousand curves of a thousand segments; going
// through QPainter's general stroker costs most of that frame's time.
void drawThinPolyline(QImage &image, const QPointF *points, int count, QRgb color);

// The same for the curve from (0, startRow) through (columns[i], rows[i]), whose
// columns do not decrease and whose rows all lie in the picture, as a frame's
// curves mostly do: no vertex needs a test or a conversion.
void drawThinCurve(QImage &image, int startRow, const int *columns, const int *rows, int count, QRgb color);

// Rows Qt's rasteriser and the wide drawer are given lie within this distance
// of the picture; a margin this wide also hides the cut ends of the widest pen
// Qt draws.
inline constexpr int DrawableRowMargin = 1 << 20;

// Qt's rasteriser takes coordinates only within a fixed range, so a curve
// that leaves it is cut into pieces that keep within it, each with the length
// of curve before it; a curve that keeps within it is one piece, from 0.
void forEachDrawablePiece(const QPointF *points, int count, int height,
                          const std::function<void(const QPolygon &piece, double lengthBefore)> &draw);

// Draws the polyline with any pen through the painter, whose device is
// `height` rows high, piece by piece, each dash pattern continuing where the
// curve comes back.
void drawClippedPolyline(QPainter &painter, const QPen &pen, const QPointF *points, int count, int height);

// Draws the polyline through QPainter, for the cases our own drawers leave to
// it. A frame's painter may already be open on the image, and a second one
// cannot begin there, so that one is used, its state kept.
void drawWithQPainter(QImage &image, const QPen &pen, const QPoint *points, int count);

// Whether a pen can be drawn by DrawThinPolyline.
bool isThinSolidPen(const QPen &pen);
