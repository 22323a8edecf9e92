#pragma once
// The short steps forward that a frame's curves are made of, numbered for
// tables of every pair of them small enough to stay in the fastest cache.

#include <QImage>
#include <QRgb>
#include <QtGlobal>

#include <optional>

namespace curvesteps {

// Steps of up to two columns forward and two rows up or down, numbered
// 5·columns + rows + 2 (2, no step, is never looked up), and one more kind for
// none, before the first vertex and after the last.
constexpr int Reach = 2, None = 15, Kinds = 16, Pairs = Kinds * Kinds;
constexpr int NoStep = Reach;

constexpr int kind(int dx, int dy)
{
    return dx * (2 * Reach + 1) + dy + Reach;
}
constexpr int across(int kind)
{
    return kind / (2 * Reach + 1);
}
constexpr int upDown(int kind)
{
    return kind % (2 * Reach + 1) - Reach;
}
constexpr int pair(int in, int out)
{
    return in * Kinds + out;
}

// Where to draw: an opaque 32-bit image of fewer than 2^31 pixels, row
// padding included.
struct Target {
    QRgb *bits;
    qsizetype stride; // in pixels
    int width, height;
    QRgb color;
};

// Where a frame's curve from (0, startRow) through (columns[i], rows[i]),
// i < count, is drawn by these loops; none where it is left to the general
// drawers: no vertex after the start, a picture too large for the loops'
// offsets or with a side past QPainter's 32767, or a curve ending where it
// starts, which QPainter strokes closed.
std::optional<Target> curveTarget(QImage &image, int startRow, const int *columns, const int *rows, int count,
                                  QRgb color);

} // namespace curvesteps
