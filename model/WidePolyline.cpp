#include "model/WidePolyline.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Vec {
    double x, y;
};

bool fuzzyEqual(double a, double b)
{
    return std::abs(a - b) * 1e12 <= std::min(std::abs(a), std::abs(b));
}

bool isNullLine(Vec a, Vec b)
{
    return fuzzyEqual(a.x, b.x) && fuzzyEqual(a.y, b.y);
}

// A direction's angle in degrees, counter-clockwise with y up, in [0, 360).
double degrees(Vec from, Vec to)
{
    const double theta = std::atan2(-(to.y - from.y), to.x - from.x) * (180 / std::numbers::pi);
    const double turned = theta < 0 ? theta + 360 : theta;
    return fuzzyEqual(turned, 360) ? 0 : turned;
}

// The angle from line a to line b as QLineF::angleTo gives it, in degrees.
double angleTo(Vec a0, Vec a1, Vec b0, Vec b1)
{
    if (isNullLine(a0, a1) || isNullLine(b0, b1))
        return 0;
    const double delta = degrees(b0, b1) - degrees(a0, a1);
    if (fuzzyEqual(delta, 360))
        return 0;
    return delta < 0 ? delta + 360 : delta;
}

// Whether the angle from the gap back1→next to the line back2→back1 exceeds
// 90 degrees, as QLineF::angleTo and a fuzzy comparison decide it. Only near
// 0, 90 and 360 degrees do the arc tangents have to decide.
bool turnsBack(Vec back2, Vec back1, Vec next)
{
    const double ux = next.x - back1.x, uy = next.y - back1.y;
    const double vx = back1.x - back2.x, vy = back1.y - back2.y;
    // The sine and cosine of the angle, each compared with a margin far above
    // rounding error: in squares, to spare a root and two divisions.
    constexpr double Margin = 1e-6;
    const double bound = Margin * Margin * ((ux * ux + uy * uy) * (vx * vx + vy * vy));
    if (bound > 1e-30) {
        const double sine = uy * vx - ux * vy, cosine = ux * vx + uy * vy;
        const bool cosineClear = cosine * cosine > bound, sineClear = sine * sine > bound;
        if ((cosine < 0 && cosineClear) || (sine < 0 && sineClear))
            return true;
        if (cosine > 0 && cosineClear && sine > 0 && sineClear)
            return false;
    }
    const double angle = angleTo(back1, next, back2, back1);
    return angle > 90 && !fuzzyEqual(angle, 90);
}

// Whether the segments a0–a1 and b0–b1 meet, as QLineF::intersects computes it.
bool segmentsMeet(Vec a0, Vec a1, Vec b0, Vec b1)
{
    const Vec a{a1.x - a0.x, a1.y - a0.y}, b{b0.x - b1.x, b0.y - b1.y}, c{a0.x - b0.x, a0.y - b0.y};
    const double denominator = a.y * b.x - a.x * b.y;
    if (denominator == 0 || !std::isfinite(denominator))
        return false;
    const double reciprocal = 1 / denominator;
    const double na = (b.y * c.x - b.x * c.y) * reciprocal;
    if (na < 0 || na > 1)
        return false;
    const double nb = (a.x * c.y - a.y * c.x) * reciprocal;
    return !(nb < 0 || nb > 1);
}

int to26Dot6(double v)
{
    const double scaled = v * 64;
    return int(scaled + std::copysign(0.5, scaled));
}

} // namespace

// The outline of a flat-capped, bevel-joined stroke: one side forward, the
// end cap, the other side backward and the start cap, with the corners on the
// inside of a turn taken through the vertex.
class WidePolylineDrawer::Stroker {
public:
    Stroker(std::vector<Point26> &outline, double halfWidth)
        : outline_(outline)
        , halfWidth_(halfWidth)
    {
    }

    void stroke(const QPoint *points, int count)
    {
        Vec startA{}, startB{};
        const bool any = side(points, count, 1, false, startA, startB);
        Vec ignoredA, ignoredB;
        side(points + count - 1, count, -1, true, ignoredA, ignoredB);
        if (any)
            join(toVec(points[0]), startA, startB);
        if (any && !(fuzzyEqual(first_.x, back1_.x) && fuzzyEqual(first_.y, back1_.y)))
            addPoint(first_);
    }

private:
    static Vec toVec(QPoint p) { return {double(p.x()), double(p.y())}; }

    bool side(const QPoint *start, int count, int step, bool capFirst, Vec &tangentA, Vec &tangentB)
    {
        Vec prev = toVec(*start);
        bool first = true;
        for (int i = 1; i < count; ++i) {
            const Vec e = toVec(start[i * step]);
            if (e.x == prev.x && e.y == prev.y)
                continue;
            // The segment's normal scaled to half the width, as QLineF does it.
            const double nx = e.y - prev.y, ny = -(e.x - prev.x);
            const double length = std::hypot(nx, ny);
            const double ox = (prev.x + halfWidth_ * (nx / length)) - prev.x;
            const double oy = (prev.y + halfWidth_ * (ny / length)) - prev.y;
            const Vec a{prev.x + ox, prev.y + oy}, b{e.x + ox, e.y + oy};
            if (first) {
                if (capFirst) {
                    join(prev, a, b);
                } else {
                    first_ = a;
                    addPoint(a);
                }
                tangentA = a;
                tangentB = b;
                first = false;
            } else {
                join(prev, a, b);
            }
            addPoint(b);
            prev = e;
        }
        return !first;
    }

    void join(Vec focal, Vec nextA, Vec nextB)
    {
        if (fuzzyEqual(back1_.x, nextA.x) && fuzzyEqual(back1_.y, nextA.y))
            return;
        if (segmentsMeet(back2_, back1_, nextA, nextB) || turnsBack(back2_, back1_, nextA))
            addPoint(focal);
        addPoint(nextA);
    }

    void addPoint(Vec p)
    {
        back2_ = back1_;
        back1_ = p;
        outline_.push_back({to26Dot6(p.x), to26Dot6(p.y)});
    }

    std::vector<Point26> &outline_;
    const double halfWidth_;
    Vec first_{}, back1_{}, back2_{};
};

void WidePolylineDrawer::draw(QImage &image, const QPoint *points, int count, int penWidth, QRgb color)
{
    width_ = image.width();
    height_ = image.height();
    if (count < 2 || width_ <= 0 || height_ <= 0)
        return;
    if (points[0] == points[count - 1]) {
        // QPainter strokes a polyline that ends where it starts as a closed one.
        QPen pen(QColor::fromRgb(color), penWidth);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::BevelJoin);
        QPainter painter(&image);
        painter.setPen(pen);
        painter.drawPolyline(points, count);
        return;
    }
    outline_.clear();
    Stroker(outline_, penWidth / 2.0).stroke(points, count);
    if (outline_.size() < 3)
        return;

    const auto [lowest, highest]
        = std::minmax_element(outline_.cbegin(), outline_.cend(), [](Point26 a, Point26 b) { return a.y < b.y; });
    topRow_ = std::max(0, (lowest->y + 32) >> 6);
    bottomRow_ = std::min(height_ - 1, (highest->y - 32) >> 6);
    if (topRow_ > bottomRow_)
        return;
    edges_.clear();
    for (std::size_t i = 1; i < outline_.size(); ++i)
        addEdge(outline_[i - 1], outline_[i]);
    fill(image, color);
}

// An edge crosses the rows whose centres lie between its ends, both included;
// its column at a row rounds half a pixel right of the exact one down.
void WidePolylineDrawer::addEdge(Point26 a, Point26 b)
{
    int winding = 1;
    if (a.y > b.y) {
        std::swap(a, b);
        winding = -1;
    }
    const int top = std::max(topRow_, (a.y + 32) >> 6);
    const int bottom = std::min(bottomRow_, (b.y - 32) >> 6);
    if (top > bottom)
        return;
    const std::int64_t ax = (std::int64_t(1) << 15) + std::int64_t(a.x) * (1 << 10);
    if (b.x == a.x) {
        edges_.push_back({std::clamp<std::int64_t>(ax, 0, std::int64_t(width_) << 16), 0, top, bottom, winding});
        return;
    }
    const std::int64_t slope = std::int64_t(double(b.x - a.x) / double(b.y - a.y) * 65536.);
    const std::int64_t x
        = ax + ((slope * ((std::int64_t(top) << 16) + (1 << 15) - std::int64_t(a.y) * (1 << 10))) >> 16);
    addClippedEdge(x, slope, top, bottom, winding);
}

// Where an edge leaves the picture sideways it runs on along the picture's
// border, so the span it bounds is still cut there.
void WidePolylineDrawer::addClippedEdge(std::int64_t x, std::int64_t slope, int top, int bottom, int winding)
{
    const std::int64_t rightBorder = std::int64_t(width_) << 16;
    auto alongBorder = [&](std::int64_t border, int from, int to) {
        if (from <= to)
            edges_.push_back({border, 0, from, to, winding});
    };
    // True when nothing of the edge is left inside.
    auto clip = [&](std::int64_t border) {
        const bool right = border == rightBorder;
        if (x == border) {
            if ((slope > 0) != right)
                return false;
            alongBorder(border, top, bottom);
            return true;
        }
        const std::int64_t last = x + slope * (bottom - top);
        if (last == border) {
            if ((slope < 0) != right)
                return false;
            alongBorder(border, top, bottom);
            return true;
        }
        if ((last < border) != (x < border)) {
            const auto rows = std::int64_t(double(border - x) / (double(slope) * (1. / 65536.)));
            if ((x < border) != right) {
                const int height = int((rows + 1) >> 16);
                const int middle = top + height;
                alongBorder(border, top, middle);
                if (middle == bottom)
                    return true;
                x += slope * (height + 1);
                top = middle + 1;
            } else {
                const int middle = top + int(rows >> 16);
                if (middle != bottom) {
                    alongBorder(border, middle + 1, bottom);
                    bottom = middle;
                }
            }
            return false;
        }
        if ((x < border) != right) {
            alongBorder(border, top, bottom);
            return true;
        }
        return false;
    };
    if (clip(0) || clip(rightBorder))
        return;
    if (top <= bottom)
        edges_.push_back({x, slope, top, bottom, winding});
}

// Fills, row by row, the pixels between crossings where the edges to their
// left wind round a nonzero number of times.
void WidePolylineDrawer::fill(QImage &image, QRgb color)
{
    const int rows = bottomRow_ - topRow_ + 1;
    firstEdgeOfRow_.assign(std::size_t(rows), -1);
    nextEdge_.resize(edges_.size());
    for (int e = int(edges_.size()) - 1; e >= 0; --e) {
        int &first = firstEdgeOfRow_[std::size_t(edges_[std::size_t(e)].top - topRow_)];
        nextEdge_[std::size_t(e)] = first;
        first = e;
    }
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    active_.clear();
    for (int y = topRow_; y <= bottomRow_; ++y) {
        // The edges carried over are nearly in order from the row before, so
        // an insertion sort; the new ones come in the outline's order.
        const auto byColumn = [this](int a, int b) { return edges_[std::size_t(a)].x < edges_[std::size_t(b)].x; };
        for (std::size_t i = 1; i < active_.size(); ++i) {
            const int e = active_[i];
            std::size_t j = i;
            for (; j > 0 && byColumn(e, active_[j - 1]); --j)
                active_[j] = active_[j - 1];
            active_[j] = e;
        }
        const std::size_t carried = active_.size();
        for (int e = firstEdgeOfRow_[std::size_t(y - topRow_)]; e >= 0; e = nextEdge_[std::size_t(e)])
            active_.push_back(e);
        if (active_.empty())
            continue;
        if (active_.size() > carried) {
            std::sort(active_.begin() + std::ptrdiff_t(carried), active_.end(), byColumn);
            merged_.resize(active_.size());
            std::merge(active_.begin(), active_.begin() + std::ptrdiff_t(carried),
                       active_.begin() + std::ptrdiff_t(carried), active_.end(), merged_.begin(), byColumn);
            active_.swap(merged_);
        }
        QRgb *const row = reinterpret_cast<QRgb *>(bits + y * stride);
        int winding = 0, from = 0;
        std::size_t kept = 0;
        for (const int e : active_) {
            Edge &edge = edges_[std::size_t(e)];
            const int x = int(edge.x >> 16);
            if (winding != 0 && x > from)
                std::fill(row + from, row + x, color);
            from = x;
            winding += edge.winding;
            if (edge.bottom != y) {
                edge.x += edge.slope;
                active_[kept++] = e;
            }
        }
        active_.resize(kept);
    }
}
