#pragma once
#include "model/VectorUnit.h"

#include <QImage>
#include <QList>
#include <QPoint>

#include <memory>

struct DashPattern;
namespace curvedashes {
class Table;
}

// Draws one-pixel dashed polylines, solid and opaque in colour, into a 32-bit
// image with exactly the pixels QPainter gives them without antialiasing: Qt's
// own stepping of each segment in 1/64 pixel, its pixel added or dropped where
// two segments meet, and the dash pattern running on along the polyline.
// QPainter spends most of a frame's time on a thousand such curves. A
// segment's pixels depend only on it and the segment before, so for the short
// steps of curves they are worked out once per pair of steps.
class DashedThinLineDrawer {
public:
    DashedThinLineDrawer();
    ~DashedThinLineDrawer();
    DashedThinLineDrawer(const DashedThinLineDrawer &) = delete;
    DashedThinLineDrawer &operator=(const DashedThinLineDrawer &) = delete;

    // Every vertex must lie in columns 0..W and rows 0..H−1; `dashPattern` is
    // the pen's, in pixels. Pictures with a side past 32767 are drawn by
    // QPainter.
    void draw(QImage &image, const QPoint *points, int count, const QList<qreal> &dashPattern, QRgb color);
    // A frame's curve, from (0, startRow) through (columns[i], rows[i]), when
    // every step is at most two columns forward and two rows up or down and,
    // as for draw(), every row lies in the picture; false, having drawn
    // nothing, where it is left to draw().
    bool drawCurve(QImage &image, int startRow, const int *columns, const int *rows, int count,
                   const QList<qreal> &dashPattern, QRgb color, InstructionSet set);

private:
    class Segments;

    std::unique_ptr<Segments> segments_;
    // Made on first use; none where short steps' segments cannot all be kept.
    std::unique_ptr<curvedashes::Table> curveSegments_;
    bool curveSegmentsMade_ = false;
    std::unique_ptr<DashPattern> pattern_;
};

// The same with a drawer of its own.
void drawDashedThinPolyline(QImage &image, const QPoint *points, int count, const QList<qreal> &dashPattern,
                            QRgb color);
