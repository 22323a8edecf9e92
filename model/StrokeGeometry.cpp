#include "model/StrokeGeometry.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

namespace {

// Margins far above rounding error in the comparisons below: outside them the
// answer is the same wherever the outline lies.
constexpr double AngleMargin = 1e-6;
constexpr double QuotientMargin = 1e-9;

// Whether the angle from the gap back1→next to the line back2→back1 exceeds
// 90 degrees, where the sine and cosine alone settle it; compared in squares,
// to spare a root and two divisions.
std::optional<bool> clearlyTurnsBack(QPointF back2, QPointF back1, QPointF next)
{
    const double ux = next.x() - back1.x(), uy = next.y() - back1.y();
    const double vx = back1.x() - back2.x(), vy = back1.y() - back2.y();
    const double bound = AngleMargin * AngleMargin * ((ux * ux + uy * uy) * (vx * vx + vy * vy));
    if (bound > 1e-30) {
        const double sine = uy * vx - ux * vy, cosine = ux * vx + uy * vy;
        const bool cosineClear = cosine * cosine > bound, sineClear = sine * sine > bound;
        if ((cosine < 0 && cosineClear) || (sine < 0 && sineClear))
            return true;
        if (cosine > 0 && cosineClear && sine > 0 && sineClear)
            return false;
    }
    return std::nullopt;
}

// Whether n / d, computed as n times the reciprocal of d, lies in [0, 1], where
// its sign and size alone settle it.
std::optional<bool> clearlyInUnitRange(double n, double d)
{
    const double absN = std::abs(n), absD = std::abs(d);
    // At 0, or near it, another position's rounding may give either sign.
    if (absN <= absD * QuotientMargin)
        return std::nullopt;
    if ((n < 0) != (d < 0))
        return false;
    if (absN <= absD * (1 - QuotientMargin))
        return true;
    if (absN >= absD * (1 + QuotientMargin))
        return false;
    return std::nullopt;
}

bool inUnitRange(double n, double d)
{
    if (n != 0 && (n < 0) != (d < 0))
        return false;
    if (const auto clear = clearlyInUnitRange(n, d))
        return *clear;
    return !(n * (1 / d) > 1);
}

struct Crossing {
    double denominator, na, nb;
};

Crossing crossing(QPointF a0, QPointF a1, QPointF b0, QPointF b1)
{
    const QPointF a = a1 - a0, b = b0 - b1, c = a0 - b0;
    return {a.y() * b.x() - a.x() * b.y(), b.y() * c.x() - b.x() * c.y(), a.x() * c.y() - a.y() * c.x()};
}

std::optional<bool> clearlyMeet(QPointF a0, QPointF a1, QPointF b0, QPointF b1)
{
    const Crossing c = crossing(a0, a1, b0, b1);
    // Parallel segments, which elsewhere could round to a tiny denominator.
    if (c.denominator == 0 || !std::isfinite(c.denominator))
        return std::nullopt;
    const auto a = clearlyInUnitRange(c.na, c.denominator), b = clearlyInUnitRange(c.nb, c.denominator);
    if ((a && !*a) || (b && !*b))
        return false;
    if (a && b)
        return true;
    return std::nullopt;
}

} // namespace

// Near 0, 90 and 360 degrees, QLineF::angleTo and a fuzzy comparison decide.
bool turnsBack(QPointF back2, QPointF back1, QPointF next)
{
    if (const auto clear = clearlyTurnsBack(back2, back1, next))
        return *clear;
    const double angle = QLineF(back1, next).angleTo(QLineF(back2, back1));
    return angle > 90 && !qFuzzyCompare(angle, 90);
}

bool segmentsMeet(QPointF a0, QPointF a1, QPointF b0, QPointF b1)
{
    const Crossing c = crossing(a0, a1, b0, b1);
    if (c.denominator == 0 || !std::isfinite(c.denominator))
        return false;
    return inUnitRange(c.na, c.denominator) && inUnitRange(c.nb, c.denominator);
}

QPointF scaledNormal(int dx, int dy, double halfWidth)
{
    QLineF normal = QLineF(0, 0, dx, dy).normalVector();
    normal.setLength(halfWidth);
    return {normal.dx(), normal.dy()};
}

std::optional<BevelJoin> clearBevelJoin(QPointF back2, QPointF back1, QPointF nextA, QPointF nextB)
{
    // Where the next segment starts on the same 1/64 pixel, what the join adds
    // (nothing, that point, or a spike to the vertex and back) covers nothing.
    if (toPoint26(back1) == toPoint26(nextA))
        return BevelJoin::Nothing;
    // Points this near could compare equal, fuzzily, far from the origin.
    if (std::abs(back1.x() - nextA.x()) < 1e-3 && std::abs(back1.y() - nextA.y()) < 1e-3)
        return std::nullopt;
    const auto back = clearlyTurnsBack(back2, back1, nextA);
    if (back && *back)
        return BevelJoin::FocalAndStart;
    const auto meet = clearlyMeet(back2, back1, nextA, nextB);
    if (!back || !meet)
        return std::nullopt;
    return *meet ? BevelJoin::FocalAndStart : BevelJoin::Start;
}
