#pragma once
#include <QImage>
#include <QPoint>

#include <cstdint>
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

    // Draws nothing and returns false when a step reaches beyond the stamps,
    // a join is too near a rounding threshold to be the same everywhere, or
    // its loops do not add up to a union.
    bool draw(QImage &image, const QPoint *points, int count, QRgb color);

private:
    struct Span {
        std::int16_t row, from, to; // from the vertex; columns [from, to)
        std::int16_t winding;
        friend bool operator==(Span, Span) = default;
    };
    struct Pixel {
        std::int8_t row, column; // from the vertex
        friend bool operator==(Pixel, Pixel) = default;
    };
    // first pixel << 13 | pixel count << 6 | farthest pixel's reach; 0 unknown
    using Stamp = std::uint32_t;

    Stamp build(int stepIn, int stepOut);
    static std::vector<Span> windingSpans(const std::vector<Point26> &loop);
    Stamp keep(const std::vector<Span> &spans);

    int penWidth_;
    std::vector<Pixel> pixels_;
    // Where each pixel lies from its vertex in an image of offsetsStride_.
    std::vector<int> offsets_;
    qsizetype offsetsStride_ = 0;
    std::vector<Stamp> joins_, starts_, ends_;
    // Scratch, kept between calls.
    struct Placed {
        QPoint at;
        Stamp stamp;
    };
    std::vector<Placed> placed_;
};
