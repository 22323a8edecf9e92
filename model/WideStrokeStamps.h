#pragma once
#include "model/CurveStamps.h"
#include "model/StepPairs.h"

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <memory>
#include <vector>

struct Point26;

// QPainter's outline of a flat-capped, bevel-joined stroke is, edge for edge,
// a sum of small closed loops: each step's rectangle, each vertex's join and
// the two caps, each the same at any whole-pixel position. Where no loop winds
// the other way round over any pixel, the stroke's pixels are the union of the
// loops' pixels, so each vertex stamps pixels worked out once for its steps.
class WideStrokeStamps {
public:
    explicit WideStrokeStamps(int penWidth);

    int penWidth() const { return penWidth_; }

    // Draws nothing and returns false when the polyline has no step, a step
    // reaches beyond the stamps, a stamp would cover more than 124 pixels or
    // reach more than 63 from its vertex, a join is too near a rounding
    // threshold to be the same everywhere, or its loops do not add up to a
    // union.
    bool draw(QImage &image, const QPoint *points, int count, QRgb color);
    // For a polyline that repeats no vertex: stamps each vertex that draw()
    // would, and lists the others in `unplaced`, by index, in order, for the
    // caller to stroke with a vertex more on either side, whose caps add no
    // pixel. Draws nothing and returns false where those strokes and the
    // stamps would not add up to the whole (a listed vertex's join winds the
    // other way), where no vertex has a step, or where more than a quarter of
    // the vertices would be listed.
    bool drawAround(QImage &image, const QPoint *points, int count, QRgb color, std::vector<int> &unplaced);

    // A pen's stamps of every pair of the short steps a frame's curves are
    // made of, made at once, for curves drawn with no way back should a pair
    // prove to have none; nothing where one is refused or has more than a
    // table entry holds.
    static std::unique_ptr<curvestamps::Table> curveStampTable(int penWidth);

private:
    struct Span {
        std::int16_t row, from, to; // from the vertex; columns [from, to)
        std::int16_t winding;
        friend bool operator==(Span, Span) = default;
    };
    // first pixel << 13 | pixel count << 6 | farthest pixel's reach; 0 unknown
    using Stamp = std::uint32_t;

    void stampPlaced(QImage &image, QRgb color);
    Stamp build(int stepIn, int stepOut);
    bool joinWindsOneWay(const QPoint *points, int count, int i) const;
    static std::vector<Span> windingSpans(const std::vector<Point26> &loop);
    Stamp keep(const std::vector<Span> &spans);

    int penWidth_;
    steppairs::RelativePixels pixels_;
    steppairs::PairTable table_;
};
