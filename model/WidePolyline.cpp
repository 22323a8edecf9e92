#include "model/WidePolyline.h"

#include "model/PolylineRaster.h"
#include "model/StrokeGeometry.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

// Moves each element once into its place: swapping neighbours instead made the
// compiler load what it had just stored, half overlapped, at a stall each.
template <typename Iterator, typename Less> void insertionSort(Iterator first, Iterator last, Less less)
{
    for (Iterator i = first; i != last; ++i) {
        const auto value = *i;
        Iterator j = i;
        for (; j != first && less(value, *(j - 1)); --j)
            *j = *(j - 1);
        *j = value;
    }
}

// A row's new edges are mostly few, where std::sort's own set-up is the cost.
template <typename Iterator, typename Less> void sortRange(Iterator first, Iterator last, Less less)
{
    if (last - first > 16) {
        std::sort(first, last, less);
        return;
    }
    insertionSort(first, last, less);
}

} // namespace

// A segment's normal scaled to half the pen's width, as QLineF does it; the
// short steps a curve is made of are worked out once.
class WidePolylineDrawer::NormalCache {
public:
    void setHalfWidth(double halfWidth)
    {
        if (halfWidth == halfWidth_)
            return;
        halfWidth_ = halfWidth;
        known_.fill(false);
    }

    QPointF of(int dx, int dy)
    {
        if (std::abs(dx) > Reach || std::abs(dy) > Reach)
            return scaled(dx, dy);
        const std::size_t at = std::size_t((dy + Reach) * Side + dx + Reach);
        if (!known_[at]) {
            normals_[at] = scaled(dx, dy);
            known_[at] = true;
        }
        return normals_[at];
    }

private:
    static constexpr int Reach = 15, Side = 2 * Reach + 1;

    QPointF scaled(int dx, int dy) const { return scaledNormal(dx, dy, halfWidth_); }

    double halfWidth_ = 0;
    std::array<QPointF, Side * Side> normals_{};
    std::array<bool, Side * Side> known_{};
};

// The outline of a flat-capped, bevel-joined stroke: one side forward, the
// end cap, the other side backward and the start cap, with the corners on the
// inside of a turn taken through the vertex.
class WidePolylineDrawer::Stroker {
public:
    Stroker(std::vector<Point26> &outline, NormalCache &normals)
        : outline_(outline)
        , normals_(normals)
    {
    }

    void stroke(const QPoint *points, int count)
    {
        QPointF startA{}, startB{};
        const bool any = side(points, count, 1, false, startA, startB);
        QPointF ignoredA, ignoredB;
        side(points + count - 1, count, -1, true, ignoredA, ignoredB);
        if (any)
            join(QPointF(points[0]), startA, startB);
        if (any && !(qFuzzyCompare(first_.x(), back1_.x()) && qFuzzyCompare(first_.y(), back1_.y())))
            addPoint(first_);
    }

private:
    bool side(const QPoint *start, int count, int step, bool capFirst, QPointF &tangentA, QPointF &tangentB)
    {
        QPointF prev = QPointF(*start);
        bool first = true;
        for (int i = 1; i < count; ++i) {
            const QPointF e = QPointF(start[i * step]);
            if (e.x() == prev.x() && e.y() == prev.y())
                continue;
            const auto [a, b] = offsetSegment(prev, e, normals_.of(int(e.x() - prev.x()), int(e.y() - prev.y())));
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

    [[gnu::always_inline]] void join(QPointF focal, QPointF nextA, QPointF nextB)
    {
        const BevelJoin points = bevelJoin(back2_, back1_, nextA, nextB);
        if (points == BevelJoin::Nothing)
            return;
        if (points == BevelJoin::FocalAndStart)
            addPoint(focal);
        addPoint(nextA);
    }

    void addPoint(QPointF p)
    {
        back2_ = back1_;
        back1_ = p;
        outline_.push_back(toPoint26(p));
    }

    std::vector<Point26> &outline_;
    NormalCache &normals_;
    QPointF first_{}, back1_{}, back2_{};
};

WidePolylineDrawer::WidePolylineDrawer()
    : normals_(std::make_unique<NormalCache>())
{
}

WidePolylineDrawer::~WidePolylineDrawer() = default;

void WidePolylineDrawer::draw(QImage &image, const QPoint *points, int count, int penWidth, QRgb color)
{
    width_ = image.width();
    height_ = image.height();
    if (count < 2 || width_ <= 0 || height_ <= 0)
        return;
    // QPainter strokes a polyline that ends where it starts as a closed one;
    // pictures wider or higher than any window are left to it as well.
    if (points[0] == points[count - 1] || width_ > LargestSide || height_ > LargestSide) {
        QPen pen(QColor::fromRgb(color), penWidth);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::BevelJoin);
        drawWithQPainter(image, pen, points, count);
        return;
    }
    if (penWidth > StampedPen) {
        strokeAndFill(image, points, count, penWidth, color);
        return;
    }
    // Stamps for the short steps, and strokes of their own for the few
    // vertices round any long ones, as a frame's sum has where it leaves the
    // picture.
    // Their joins are worked out in 1/64 pixel, which vertices only as far out
    // as the drawer takes them keep within an int.
    constexpr int Range = DrawableRowMargin;
    const auto inRange = [this](QPoint p) {
        return p.x() >= -Range && p.x() <= width_ + Range && p.y() >= -Range && p.y() <= height_ + Range;
    };
    distinct_.clear();
    bool allInRange = true;
    for (int i = 0; i < count; ++i) {
        allInRange = allInRange && inRange(points[i]);
        if (distinct_.empty() || points[i] != distinct_.back())
            distinct_.push_back(points[i]);
    }
    const int vertices = int(distinct_.size());
    if (!allInRange || !stampsFor(penWidth).drawAround(image, distinct_.data(), vertices, color, unplaced_)) {
        strokeAndFill(image, points, count, penWidth, color);
        return;
    }
    for (std::size_t r = 0; r < unplaced_.size();) {
        std::size_t last = r;
        while (last + 1 < unplaced_.size() && unplaced_[last + 1] == unplaced_[last] + 1)
            ++last;
        const int from = std::max(unplaced_[r] - 1, 0), to = std::min(unplaced_[last] + 1, vertices - 1);
        strokeAndFill(image, distinct_.data() + from, to - from + 1, penWidth, color);
        r = last + 1;
    }
}

void WidePolylineDrawer::strokeAndFill(QImage &image, const QPoint *points, int count, int penWidth, QRgb color)
{
    outline_.clear();
    normals_->setHalfWidth(penWidth / 2.0);
    Stroker(outline_, *normals_).stroke(points, count);
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
    // A zig-zag of a million segments took 80 MB here; that much is not held
    // for the next, ordinary, curve.
    constexpr std::size_t KeptEdges = std::size_t(1) << 16;
    if (edges_.capacity() > KeptEdges) {
        edges_ = {};
        outline_ = {};
        nextEdge_ = {};
    }
}

bool WidePolylineDrawer::drawCurve(QImage &image, int startRow, const int *columns, const int *rows, int count,
                                   int penWidth, QRgb color, InstructionSet set)
{
    if (penWidth < 2 || penWidth > StampedPen)
        return false;
    const std::optional<curvestamps::Target> target
        = curvesteps::curveTarget(image, startRow, columns, rows, count, color);
    if (!target)
        return false;
    const std::size_t pen = std::size_t(penWidth);
    if (!curveStampsMade_[pen]) {
        curveStamps_[pen] = WideStrokeStamps::curveStampTable(penWidth);
        curveStampsMade_[pen] = true;
    }
    curvestamps::Table *const table = curveStamps_[pen].get();
    if (!table)
        return false;
    table->setStride(target->stride);
    if (runsAvx2Loops(set))
        return curvestamps::drawAvx2(*table, *target, startRow, columns, rows, count);
    return curvestamps::draw(*table, *target, startRow, columns, rows, count);
}

WideStrokeStamps &WidePolylineDrawer::stampsFor(int penWidth)
{
    const auto found
        = std::find_if(stamps_.begin(), stamps_.end(), [&](const auto &s) { return s->penWidth() == penWidth; });
    if (found != stamps_.end())
        return **found;
    constexpr std::size_t KeptWidths = 3;
    if (stamps_.size() == KeptWidths)
        stamps_.erase(stamps_.begin());
    return *stamps_.emplace_back(std::make_unique<WideStrokeStamps>(penWidth));
}

// An edge crosses the rows of edgeRows, cut to the picture's.
void WidePolylineDrawer::addEdge(Point26 a, Point26 b)
{
    int winding = 1;
    if (a.y > b.y) {
        std::swap(a, b);
        winding = -1;
    }
    const EdgeRows rows = edgeRows(a, b, topRow_);
    const int bottom = std::min(bottomRow_, rows.bottom);
    if (rows.top > bottom)
        return;
    if (b.x == a.x) {
        edges_.push_back(
            {std::clamp<std::int64_t>(rows.x, 0, std::int64_t(width_) << 16), 0, rows.top, bottom, winding});
        return;
    }
    addClippedEdge(rows.x, rows.slope, rows.top, bottom, winding);
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
    // Stays all zero between rows.
    if (columnWinding_.size() < std::size_t(width_) + 1)
        columnWinding_.resize(std::size_t(width_) + 1, 0);
    const auto byColumn = [this](int a, int b) { return edges_[std::size_t(a)].x < edges_[std::size_t(b)].x; };
    active_.clear();
    for (int y = topRow_; y <= bottomRow_; ++y) {
        const std::size_t carried = active_.size();
        for (int e = firstEdgeOfRow_[std::size_t(y - topRow_)]; e >= 0; e = nextEdge_[std::size_t(e)])
            active_.push_back(e);
        if (active_.empty())
            continue;
        QRgb *const row = reinterpret_cast<QRgb *>(bits + y * stride);
        // A pixel is inked where the windings of the crossings at or left of
        // it add up to other than zero. With few crossings, sorting them is
        // cheapest; with many, as a steep mode's thousands of short edges
        // give, adding them up column by column.
        const bool dense = active_.size() > 16 && active_.size() * 8 > std::size_t(width_);
        if (!dense) {
            // The carried edges are nearly in order from the row before; the
            // new ones come in the outline's order.
            const auto newEdges = active_.begin() + std::ptrdiff_t(carried);
            insertionSort(active_.begin(), newEdges, byColumn);
            if (newEdges != active_.end()) {
                sortRange(newEdges, active_.end(), byColumn);
                merged_.resize(active_.size());
                std::merge(active_.begin(), newEdges, newEdges, active_.end(), merged_.begin(), byColumn);
                active_.swap(merged_);
            }
        }
        int winding = 0, from = 0, leftmost = width_, rightmost = 0;
        std::size_t kept = 0;
        for (const int e : active_) {
            Edge &edge = edges_[std::size_t(e)];
            const int x = int(edge.x >> 16);
            if (dense) {
                columnWinding_[std::size_t(x)] += edge.winding;
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            } else {
                if (winding != 0 && x > from)
                    std::fill(row + from, row + x, color);
                from = x;
                winding += edge.winding;
            }
            if (edge.bottom != y) {
                edge.x += edge.slope;
                active_[kept++] = e;
            }
        }
        active_.resize(kept);
        if (dense) {
            // The windings of a row add up to zero, so the last column is blank.
            for (int x = leftmost; x < rightmost; ++x) {
                winding += std::exchange(columnWinding_[std::size_t(x)], 0);
                if (winding != 0)
                    row[x] = color;
            }
            columnWinding_[std::size_t(rightmost)] = 0;
        }
    }
}
