#pragma once
// The short steps forward that a frame's curves are made of, numbered for
// tables of every pair of them small enough to stay in the fastest cache.

#include <QRgb>
#include <QtGlobal>

namespace curvesteps {

// Steps of up to two columns forward and two rows up or down, numbered
// 5·columns + rows + 2 (2, no step, is never looked up), and one more kind for
// none, before the first vertex and after the last.
constexpr int Reach = 2, None = 15, Kinds = 16, Pairs = Kinds * Kinds;
constexpr int NoStep = Reach;

inline bool fits(int dx, int dy)
{
    return unsigned(dx) <= unsigned(Reach) && unsigned(dy + Reach) <= 2u * Reach;
}
inline int kind(int dx, int dy)
{
    return dx * (2 * Reach + 1) + dy + Reach;
}
inline int across(int kind)
{
    return kind / (2 * Reach + 1);
}
inline int upDown(int kind)
{
    return kind % (2 * Reach + 1) - Reach;
}
inline int pair(int in, int out)
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

} // namespace curvesteps
