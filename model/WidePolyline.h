#pragma once
#include "model/StrokeGeometry.h"
#include "model/VectorUnit.h"
#include "model/WideStrokeStamps.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// Draws solid, opaque polylines wider than a pixel into a 32-bit image with
// exactly the pixels QPainter gives them with a flat-capped, bevel-joined pen
// and no antialiasing: the same outline, rounded to 1/64 pixel, filled by the
// nonzero rule at pixel centres. QPainter goes through a general path and a
// general scan converter that sorts every edge, which costs most of a frame
// when a thousand modes are shown in a wide pen. Curves of short steps are
// stamped vertex by vertex; the rest go through a scan converter of our own.
class WidePolylineDrawer {
public:
    // The widest pen held against QPainter's pixels in the tests; wider ones
    // are left to QPainter.
    static constexpr int WidestPen = 64;
    // The largest picture side held against QPainter in the tests.
    static constexpr int LargestSide = 32767;
    // Wider pens are drawn by stamps too large to pay.
    static constexpr int StampedPen = 16;

    WidePolylineDrawer();
    ~WidePolylineDrawer();
    WidePolylineDrawer(const WidePolylineDrawer &) = delete;
    WidePolylineDrawer &operator=(const WidePolylineDrawer &) = delete;

    // Vertices must lie in columns 0..W of the image and in rows within
    // DrawableRowMargin of it, and the pen must be 2..WidestPen wide; larger
    // pictures are drawn by QPainter.
    void draw(QImage &image, const QPoint *points, int count, int penWidth, QRgb color);
    // A frame's curve, from (0, startRow) through (columns[i], rows[i]), when
    // every step is at most two columns forward and two rows up or down, in
    // the given set's loops; false, having drawn nothing, where it is left to
    // draw().
    bool drawCurve(QImage &image, int startRow, const int *columns, const int *rows, int count, int penWidth,
                   QRgb color, InstructionSet set);

private:
    class NormalCache;
    class Stroker;
    struct Edge {
        std::int64_t x, slope; // 16.16 at the row's centre, and per row
        int top, bottom, winding;
    };

    WideStrokeStamps &stampsFor(int penWidth);
    void strokeAndFill(QImage &image, const QPoint *points, int count, int penWidth, QRgb color);
    void addEdge(Point26 a, Point26 b);
    void addClippedEdge(std::int64_t x, std::int64_t slope, int top, int bottom, int winding);
    void fill(QImage &image, QRgb color);

    std::unique_ptr<NormalCache> normals_;
    // For the few pen widths of a frame, the main curve's and the modes'.
    std::vector<std::unique_ptr<WideStrokeStamps>> stamps_;
    // Each stamped pen width's stamps of short steps, none where they cannot
    // all be kept. Small, they are kept for every width, so that a frame's
    // many pen widths do not make them again and again.
    std::array<std::unique_ptr<curvestamps::Table>, StampedPen + 1> curveStamps_;
    std::array<bool, StampedPen + 1> curveStampsMade_{};
    std::vector<QPoint> distinct_;
    std::vector<int> unplaced_;
    std::vector<Point26> outline_;
    std::vector<Edge> edges_;
    std::vector<int> firstEdgeOfRow_, nextEdge_, active_, merged_, columnWinding_;
    int width_ = 0, height_ = 0;
    int topRow_ = 0, bottomRow_ = -1;
};
