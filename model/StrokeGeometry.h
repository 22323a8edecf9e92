#pragma once
// The arithmetic of a flat-capped, bevel-joined stroke outline, as QPainter
// does it, shared by the drawer that scan-converts whole outlines and the one
// that stamps them vertex by vertex.
#include <QPointF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

struct Point26 {
    int x, y; // in 1/64 pixel
    friend bool operator==(Point26, Point26) = default;
};

// Rounded half away from zero.
inline Point26 toPoint26(QPointF p)
{
    const auto round = [](double v) {
        const double scaled = v * 64;
        return int(scaled + std::copysign(0.5, scaled));
    };
    return {round(p.x()), round(p.y())};
}

// A segment's normal of length halfWidth, as QLineF gives it.
QPointF scaledNormal(int dx, int dy, double halfWidth);

// A segment's ends moved out by the normal, rounded as the stroker rounds them.
inline std::pair<QPointF, QPointF> offsetSegment(QPointF from, QPointF to, QPointF normal)
{
    const double ox = (from.x() + normal.x()) - from.x();
    const double oy = (from.y() + normal.y()) - from.y();
    return {{from.x() + ox, from.y() + oy}, {to.x() + ox, to.y() + oy}};
}

// Whether the angle from the gap back1→next to the line back2→back1 exceeds
// 90 degrees, as QLineF::angleTo and a fuzzy comparison decide it.
bool turnsBack(QPointF back2, QPointF back1, QPointF next);
// Whether the segments a0–a1 and b0–b1 meet, as QLineF::intersects computes it.
bool segmentsMeet(QPointF a0, QPointF a1, QPointF b0, QPointF b1);

// What a bevel join adds after back1 for the segment nextA→nextB: nothing when
// that segment starts where the last one ended, else its start, taken through
// the vertex when the turn goes back or the two offset segments cross.
enum class BevelJoin { Nothing, Start, FocalAndStart };
inline BevelJoin bevelJoin(QPointF back2, QPointF back1, QPointF nextA, QPointF nextB)
{
    if (qFuzzyCompare(back1.x(), nextA.x()) && qFuzzyCompare(back1.y(), nextA.y()))
        return BevelJoin::Nothing;
    if (turnsBack(back2, back1, nextA) || segmentsMeet(back2, back1, nextA, nextB))
        return BevelJoin::FocalAndStart;
    return BevelJoin::Start;
}
// The same where no rounding could decide it otherwise at another position;
// nothing where it could.
std::optional<BevelJoin> clearBevelJoin(QPointF back2, QPointF back1, QPointF nextA, QPointF nextB);

// The pixel rows an edge crosses, top to bottom: those whose centres lie
// below its upper end, down to and including its lower end; at each, its
// column rounds half a pixel right of the exact one down. `x` is in 16.16 at row `top`, `slope` per row.
struct EdgeRows {
    int top, bottom;
    std::int64_t x, slope;
};
// For an edge with upper.y <= lower.y, from row firstRow on.
inline EdgeRows edgeRows(Point26 upper, Point26 lower, int firstRow)
{
    const int top = std::max(firstRow, (upper.y + 32) >> 6);
    const int bottom = (lower.y - 32) >> 6;
    const std::int64_t ax = (std::int64_t(1) << 15) + std::int64_t(upper.x) * (1 << 10);
    // A level edge crosses no row and has no slope; a vertical one needs none.
    if (top > bottom || lower.x == upper.x)
        return {top, bottom, ax, 0};
    const std::int64_t slope = std::int64_t(double(lower.x - upper.x) / double(lower.y - upper.y) * 65536.);
    const std::int64_t x
        = ax + ((slope * ((std::int64_t(top) << 16) + (1 << 15) - std::int64_t(upper.y) * (1 << 10))) >> 16);
    return {top, bottom, x, slope};
}
