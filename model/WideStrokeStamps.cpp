#include "model/WideStrokeStamps.h"

#include "model/StepPairs.h"
#include "model/StrokeGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

using steppairs::Refused;
using steppairs::StoreFull;

// Pixels of all stamps: as many as a stamp can point to.
constexpr std::size_t MaxPixels = (std::size_t(1) << 19) - 1;

// A point whose 1/64 rounding could go the other way at another position.
bool nearRoundingEdge(QPointF p)
{
    const auto near = [](double v) {
        const double scaled = v * 64;
        return std::abs(scaled - std::floor(scaled) - 0.5) < 1e-6;
    };
    return near(p.x()) || near(p.y());
}

struct Crossing {
    int row, column, winding;
    friend bool operator<(const Crossing &a, const Crossing &b)
    {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    }
};

} // namespace

WideStrokeStamps::WideStrokeStamps(int penWidth)
    : penWidth_(penWidth)
    , table_(true)
{
}

bool WideStrokeStamps::draw(QImage &image, const QPoint *points, int count, QRgb color)
{
    // Curves of ever new steps fill the store in time; it starts again empty
    // rather than leaving every new pair of steps to the scan converter.
    const auto make = [this](int stepIn, int stepOut) { return build(stepIn, stepOut); };
    if (!table_.place(points, count, make, [this] { pixels_.clear(); }))
        return false;
    stampPlaced(image, color);
    return true;
}

bool WideStrokeStamps::drawAround(QImage &image, const QPoint *points, int count, QRgb color,
                                  std::vector<int> &unplaced)
{
    const auto make = [this](int stepIn, int stepOut) { return build(stepIn, stepOut); };
    const auto emptyStore = [this] { pixels_.clear(); };
    // Where many vertices are left, one stroke of the whole costs less than
    // working out each one's join.
    if (!table_.place(points, count, make, emptyStore, &unplaced) || unplaced.size() * 4 > std::size_t(count))
        return false;
    for (const int i : unplaced)
        if (!joinWindsOneWay(points, count, i))
            return false;
    stampPlaced(image, color);
    return true;
}

void WideStrokeStamps::stampPlaced(QImage &image, QRgb color)
{
    const int w = image.width(), h = image.height();
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int *const offsets = pixels_.offsets(stride);
    for (const auto &[at, stamp] : table_) {
        const std::size_t first = stamp >> 13, pixels = (stamp >> 6) & 0x7F;
        const int reach = int(stamp & 0x3F);
        if (at.x() >= reach && at.x() + reach < w && at.y() >= reach && at.y() + reach < h) {
            uchar *const origin = bits + at.y() * stride + at.x() * qsizetype(sizeof(QRgb));
            for (std::size_t k = first; k < first + pixels; k += 4) {
                *reinterpret_cast<QRgb *>(origin + offsets[k]) = color;
                *reinterpret_cast<QRgb *>(origin + offsets[k + 1]) = color;
                *reinterpret_cast<QRgb *>(origin + offsets[k + 2]) = color;
                *reinterpret_cast<QRgb *>(origin + offsets[k + 3]) = color;
            }
            continue;
        }
        for (std::size_t k = first; k < first + pixels; ++k) {
            const int x = at.x() + pixels_[k].column, y = at.y() + pixels_[k].row;
            if (unsigned(x) < unsigned(w) && unsigned(y) < unsigned(h))
                reinterpret_cast<QRgb *>(bits + y * stride)[x] = color;
        }
    }
}

std::unique_ptr<curvestamps::Table> WideStrokeStamps::curveStampTable(int penWidth)
{
    namespace cs = curvestamps;
    // A maker of its own, whose store each pair's stamp empties again.
    WideStrokeStamps maker(penWidth);
    steppairs::RelativePixels &store = maker.pixels_;
    const auto stepIndex = [](int kind) {
        return kind == cs::None ? -1 : steppairs::indexOf({curvesteps::across(kind), curvesteps::upDown(kind)});
    };
    auto table = std::make_unique<cs::Table>();
    int reach = 0;
    for (int in = 0; in < cs::Kinds; ++in) {
        for (int out = 0; out < cs::Kinds; ++out) {
            if (in == cs::NoStep || out == cs::NoStep || (in == cs::None && out == cs::None))
                continue;
            store.clear();
            const std::size_t first = store.size();
            const Stamp stamp = maker.build(stepIndex(in), stepIndex(out));
            std::size_t count = (stamp >> 6) & 0x7F;
            if (stamp == Refused || stamp == StoreFull || count > cs::MaxPixels)
                return nullptr;
            // Without the repeats that pad a stamp to whole fours.
            while (count > 1 && store[first + count - 1] == store[first + count - 2])
                --count;
            cs::Pixel pixels[cs::MaxPixels];
            for (std::size_t k = 0; k < count; ++k)
                pixels[k] = {store[first + k].row, store[first + k].column};
            table->set(cs::pair(in, out), pixels, int(count));
            reach = std::max(reach, int(stamp & 0x3F));
        }
    }
    table->setReach(reach);
    return table;
}

// The loops at a vertex at the origin: its join, or a cap where a step is
// missing, and the rectangle of the step out. The join's loop goes round the
// stroke's two sides there and crosses it through the vertex; each rectangle
// crosses through the vertices at its ends, so every crossing cancels.
WideStrokeStamps::Stamp WideStrokeStamps::build(int stepIn, int stepOut)
{
    const double halfWidth = penWidth_ / 2.0;
    const QPointF origin(0, 0);
    const QPoint in = stepIn >= 0 ? steppairs::stepAt(stepIn) : QPoint();
    const QPoint out = stepOut >= 0 ? steppairs::stepAt(stepOut) : QPoint();
    // The sides, as the stroker gives them: the one forward (a, b) and the one
    // backward (c, d), for the step in (P) and the step out (N).
    const auto [aP, bP] = offsetSegment(-in, origin, scaledNormal(in.x(), in.y(), halfWidth));
    const auto [cP, dP] = offsetSegment(origin, -in, scaledNormal(-in.x(), -in.y(), halfWidth));
    const auto [aN, bN] = offsetSegment(origin, out, scaledNormal(out.x(), out.y(), halfWidth));
    const auto [cN, dN] = offsetSegment(out, origin, scaledNormal(-out.x(), -out.y(), halfWidth));
    for (const QPointF p : {aP, bP, cP, dP, aN, bN, cN, dN})
        if (nearRoundingEdge(p))
            return Refused;

    const Point26 vertex{0, 0};
    // The join's loop, in every form a join too near a threshold could take
    // elsewhere: with the vertex on that side and without it.
    std::vector<std::vector<Point26>> forms(1);
    const auto joinTo = [&](QPointF back2, QPointF back1, QPointF nextA, QPointF nextB) {
        const auto join = clearBevelJoin(back2, back1, nextA, nextB);
        std::vector<std::vector<Point26>> grown;
        for (const auto &form : forms) {
            for (const bool focal : {false, true}) {
                if (join && focal != (*join == BevelJoin::FocalAndStart))
                    continue;
                auto &loop = grown.emplace_back(form);
                loop.push_back(toPoint26(back1));
                if (focal)
                    loop.push_back(vertex);
                loop.push_back(toPoint26(nextA));
                loop.push_back(vertex);
            }
        }
        forms = std::move(grown);
    };
    if (stepIn >= 0 && stepOut >= 0) {
        joinTo(aP, bP, aN, bN);
        joinTo(cN, dN, cP, dP);
    } else if (stepOut >= 0) {
        joinTo(cN, dN, aN, bN);
    } else {
        joinTo(aP, bP, cP, dP);
    }
    // Each form must cover the same pixels the same number of times.
    std::vector<Span> windings = windingSpans(forms.front());
    for (std::size_t i = 1; i < forms.size(); ++i)
        if (windingSpans(forms[i]) != windings)
            return Refused;
    if (stepOut >= 0) {
        const Point26 end{out.x() * 64, out.y() * 64};
        const std::vector<Span> step
            = windingSpans({toPoint26(aN), toPoint26(bN), end, toPoint26(cN), toPoint26(dN), vertex});
        windings.insert(windings.end(), step.begin(), step.end());
    }
    return keep(windings);
}

// The join (or cap) at points[i] of a polyline that repeats no vertex, worked
// out where it lies, as the stroker does, and moved to the origin by whole
// pixels, which moves its pixels alike.
bool WideStrokeStamps::joinWindsOneWay(const QPoint *points, int count, int i) const
{
    const double halfWidth = penWidth_ / 2.0;
    const QPointF vertex(points[i]);
    const bool hasIn = i > 0, hasOut = i + 1 < count;
    const QPointF before = hasIn ? QPointF(points[i - 1]) : vertex;
    const QPointF after = hasOut ? QPointF(points[i + 1]) : vertex;
    const QPoint in = points[i] - (hasIn ? points[i - 1] : points[i]);
    const QPoint out = (hasOut ? points[i + 1] : points[i]) - points[i];
    const auto [aP, bP] = offsetSegment(before, vertex, scaledNormal(in.x(), in.y(), halfWidth));
    const auto [cP, dP] = offsetSegment(vertex, before, scaledNormal(-in.x(), -in.y(), halfWidth));
    const auto [aN, bN] = offsetSegment(vertex, after, scaledNormal(out.x(), out.y(), halfWidth));
    const auto [cN, dN] = offsetSegment(after, vertex, scaledNormal(-out.x(), -out.y(), halfWidth));
    const Point26 shift{points[i].x() * 64, points[i].y() * 64};
    const auto local = [shift](QPointF p) {
        const Point26 at = toPoint26(p);
        return Point26{at.x - shift.x, at.y - shift.y};
    };
    const Point26 origin{0, 0};
    std::vector<Point26> loop;
    const auto joinTo = [&](QPointF back2, QPointF back1, QPointF nextA, QPointF nextB) {
        loop.push_back(local(back1));
        if (bevelJoin(back2, back1, nextA, nextB) == BevelJoin::FocalAndStart)
            loop.push_back(origin);
        loop.push_back(local(nextA));
        loop.push_back(origin);
    };
    if (hasIn && hasOut) {
        joinTo(aP, bP, aN, bN);
        joinTo(cN, dN, cP, dP);
    } else if (hasOut) {
        joinTo(cN, dN, aN, bN);
    } else if (hasIn) {
        joinTo(aP, bP, cP, dP);
    }
    const std::vector<Span> spans = windingSpans(loop);
    return std::none_of(spans.begin(), spans.end(), [](Span s) { return s.winding > 0; });
}

// The runs of pixels a closed loop winds round, by the scan converter's rule,
// with how often it winds round each.
std::vector<WideStrokeStamps::Span> WideStrokeStamps::windingSpans(const std::vector<Point26> &loop)
{
    std::vector<Crossing> crossings;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        Point26 a = loop[i], b = loop[(i + 1) % loop.size()];
        int winding = 1;
        if (a.y > b.y) {
            std::swap(a, b);
            winding = -1;
        }
        const EdgeRows rows = edgeRows(a, b, INT_MIN);
        for (int row = rows.top; row <= rows.bottom; ++row)
            crossings.push_back({row, int((rows.x + (row - rows.top) * rows.slope) >> 16), winding});
    }
    std::sort(crossings.begin(), crossings.end());
    std::vector<Span> spans;
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += crossings[i].winding;
        const Crossing &next = crossings[i + 1];
        if (winding == 0 || next.row != crossings[i].row || next.column == crossings[i].column)
            continue;
        if (!spans.empty() && spans.back().row == next.row && spans.back().to == crossings[i].column
            && spans.back().winding == winding)
            spans.back().to = std::int16_t(next.column);
        else
            spans.push_back({std::int16_t(next.row), std::int16_t(crossings[i].column), std::int16_t(next.column),
                             std::int16_t(winding)});
    }
    return spans;
}

// Kept as one stamp where every loop winds round its pixels the same way, so
// that their union is what the windings add up to.
WideStrokeStamps::Stamp WideStrokeStamps::keep(const std::vector<Span> &spans)
{
    // The stroker's loops wind counterclockwise, rows going down.
    if (std::any_of(spans.begin(), spans.end(), [](Span s) { return s.winding > 0; }))
        return Refused;
    const std::size_t first = pixels_.size();
    int reach = 0;
    for (const Span span : spans) {
        for (int x = span.from; x < span.to; ++x) {
            const steppairs::RelativePixels::Pixel pixel{std::int8_t(span.row), std::int8_t(x)};
            const auto &kept = pixels_.all();
            if (std::find(kept.begin() + std::ptrdiff_t(first), kept.end(), pixel) == kept.end())
                pixels_.add(pixel);
            reach = std::max({reach, std::abs(x), std::abs(int(span.row))});
        }
    }
    // Whole fours, the last pixel again, stamp without a count's branch.
    while ((pixels_.size() - first) % 4 != 0)
        pixels_.add(pixels_[pixels_.size() - 1]);
    const std::size_t count = pixels_.size() - first;
    if (count == 0)
        return Stamp(first << 13);
    const bool full = pixels_.size() >= MaxPixels;
    if (count > 0x7F || reach > 0x3F || full) {
        pixels_.resize(first);
        return full ? StoreFull : Refused;
    }
    return Stamp(first << 13 | count << 6 | std::size_t(reach));
}
