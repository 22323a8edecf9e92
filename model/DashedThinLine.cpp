#include "model/DashedThinLine.h"

#include "model/CurveDashes.h"
#include "model/PolylineRaster.h"
#include "model/StepPairs.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

enum Direction { NoDirection = 0, TopToBottom = 1, BottomToTop = 2, LeftToRight = 4, RightToLeft = 8 };
constexpr int VerticalMask = 3, HorizontalMask = 12;
enum Caps { NoCaps = 0, CapBegin = 1, CapEnd = 2 };

int fixedDivide(int x, int y)
{
    if (std::abs(x) > 0x7fff)
        return int((static_cast<long long>(x) << 16) / y);
    return (x << 16) / y;
}

// Half a pixel more at an end that turns back on the segment before.
void capAdjust(int caps, int &a1, int &a2, int &b, int binc)
{
    if (caps & CapBegin) {
        a1 -= 32;
        b -= binc >> 1;
    }
    if (caps & CapEnd)
        a2 += 32;
}

struct Pixel {
    int x, y;
};

// Steps each segment as Qt does and hands its pixels, in the order the dash
// pattern runs over them, to a sink: begin(swapped, start, stop), in 1/64
// pixel along the major axis, then pixel(p) for each.
class SegmentStepper {
public:
    template <typename Sink> void line(int x1, int y1, int x2, int y2, Sink &sink)
    {
        const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
        if (dx < dy)
            along(y1 * 64, x1 * 64, y2 * 64, x2 * 64, TopToBottom, BottomToTop, VerticalMask, sink,
                  [](int major, int minor) {
                      return Pixel{minor, major};
                  });
        else if (dx != 0)
            along(x1 * 64, y1 * 64, x2 * 64, y2 * 64, LeftToRight, RightToLeft, HorizontalMask, sink,
                  [](int major, int minor) {
                      return Pixel{major, minor};
                  });
    }

private:
    template <typename Sink, typename ToPixel>
    void along(int a1, int b1, int a2, int b2, int forward, int backward, int mask, Sink &sink, ToPixel toPixel);

    Pixel lastPixel_{INT_MIN, INT_MIN};
    int lastDir_ = NoDirection;
    bool lastAxisAligned_ = false;
};

// The segment from (a1, b1) to (a2, b2) in 1/64 pixel, a the major axis;
// `toPixel` turns a (major, minor) pair back into a pixel.
template <typename Sink, typename ToPixel>
void SegmentStepper::along(int a1, int b1, int a2, int b2, int forward, int backward, int mask, Sink &sink,
                           ToPixel toPixel)
{
    Pixel last = lastPixel_;
    int caps = NoCaps;
    int dir = forward;
    bool swapped = false;
    if (a1 > a2) {
        swapped = true;
        std::swap(a1, a2);
        std::swap(b1, b2);
        dir = backward;
    }
    const int binc = fixedDivide(b2 - b1, a2 - a1);
    int b = b1 * (1 << 10);
    if ((lastDir_ ^ mask) == dir)
        caps |= swapped ? CapEnd : CapBegin;
    capAdjust(caps, a1, a2, b, binc);
    int a = (a1 + 32) >> 6;
    int as = (a2 + 32) >> 6;
    const int round = binc > 0 ? 32 : 0;
    if (a != as) {
        b += ((((a * 64) + round - a1)) * binc) >> 6;
        Pixel first = toPixel(a, b >> 16);
        last = toPixel(as - 1, (b + (as - a - 1) * binc) >> 16);
        if (swapped)
            std::swap(first, last);
        const bool axisAligned = std::abs(binc) < (1 << 14);
        if (lastPixel_.x > INT_MIN) {
            if (first.x == lastPixel_.x && first.y == lastPixel_.y) {
                // The pixel the segment before ended on.
                if (swapped) {
                    --as;
                } else {
                    ++a;
                    b += binc;
                }
            } else if (lastDir_ != dir
                       && (((axisAligned && lastAxisAligned_) && lastPixel_.x != first.x && lastPixel_.y != first.y)
                           || (std::abs(lastPixel_.x - first.x) > 1 || std::abs(lastPixel_.y - first.y) > 1))) {
                // A gap at the turn: one more pixel.
                if (swapped) {
                    ++as;
                } else {
                    --a;
                    b -= binc;
                }
            }
        }
        lastDir_ = dir;
        lastAxisAligned_ = axisAligned;
        sink.begin(swapped, a * 64, as * 64);
        do {
            sink.pixel(toPixel(a, b >> 16));
            b += binc;
        } while (++a < as);
    }
    lastPixel_ = last;
}

struct NoSink {
    void begin(bool, int, int) { }
    void pixel(Pixel) { }
};

} // namespace

// The pattern's running ends in 1/64 pixel, forwards and backwards, and where
// the polyline stands in it.
struct DashPattern {
    QList<qreal> dashes;
    std::vector<int> forward, reverse;
    int length = 0;
    int offset = 0;
    // For a pattern of whole pixels, at most 64 of them: its length in pixels
    // (0 for any other), and from each pixel's place in it, which of the next
    // 64 pixels lie in a dash, bit k for the kth, going forwards and
    // backwards. Other patterns are stepped end by end as Qt does: with a dash
    // or gap under a pixel, one pixel's step can pass two ends.
    int pixels = 0;
    std::vector<std::uint64_t> aheadForward, aheadReverse;
    // The same for the segments of frame curves.
    std::vector<std::uint8_t> curveDashes;
    // v mod pixels, at v + 128, for v in −128..127.
    std::array<std::uint8_t, 256> wrap{};

    void set(const QList<qreal> &pattern)
    {
        offset = 0;
        if (pattern == dashes)
            return;
        dashes = pattern;
        forward.clear();
        reverse.clear();
        bool wholePixels = true;
        length = 0;
        for (qsizetype i = 0; i < dashes.size(); ++i) {
            const int dash = int(std::max(1.0, dashes[i] * 64.0));
            wholePixels = wholePixels && dash % 64 == 0;
            length += dash;
            forward.push_back(length);
        }
        length = 0;
        for (qsizetype i = dashes.size() - 1; i >= 0; --i) {
            length += int(std::max(1.0, dashes[i] * 64.0));
            reverse.push_back(length);
        }
        constexpr int LongestTabled = 64;
        pixels = wholePixels && length <= LongestTabled * 64 ? length / 64 : 0;
        aheadForward.assign(std::size_t(pixels), 0);
        aheadReverse.assign(std::size_t(pixels), 0);
        // Every pixel's step starts half a pixel into its place.
        const auto inDash = [](const std::vector<int> &ends, int place, int on) {
            const int at = place * 64 + 32;
            const int index = int(std::upper_bound(ends.begin(), ends.end(), at) - ends.begin());
            return ((index + on) & 1) != 0;
        };
        for (int place = 0; place < pixels; ++place) {
            for (int k = 0; k < 64; ++k) {
                const int ahead = (place + k) % pixels;
                aheadForward[std::size_t(place)] |= std::uint64_t(inDash(forward, ahead, 1)) << k;
                aheadReverse[std::size_t(place)] |= std::uint64_t(inDash(reverse, ahead, 0)) << k;
            }
        }
        for (int v = -128; v < 128 && pixels > 0; ++v)
            wrap[std::size_t(v + 128)] = std::uint8_t(((v % pixels) + pixels) % pixels);
        curveDashes = curvedashes::dashTable(aheadForward.data(), aheadReverse.data(), wrap.data(), pixels);
    }

    bool tabled() const { return pixels > 0; }

    // Where a segment from `start` running `delta` on begins in the pattern,
    // the polyline moving on past it.
    int begin(bool backwards, int start, int delta)
    {
        const int at
            = wrapped(backwards ? length - offset - delta - ((start & 63) - 32) : offset - ((start & 63) - 32));
        offset = wrapped(offset + delta);
        return at;
    }

    // v mod length in [0, length); a division only when v lies far out.
    int wrapped(int v) const
    {
        if (v >= length)
            v = v - length < length ? v - length : v % length;
        if (v < 0)
            v = v + length >= 0 ? v + length : v % length + length;
        return v == length ? 0 : v;
    }
};

namespace {

// Dashes each segment's pixels as they come and draws those in a dash.
class Plotter {
public:
    Plotter(QImage &image, DashPattern &pattern, QRgb color)
        : bits_(reinterpret_cast<QRgb *>(image.bits()))
        , stride_(image.bytesPerLine() / qsizetype(sizeof(QRgb)))
        , w_(image.width())
        , h_(image.height())
        , color_(color)
        , pattern_(pattern)
    {
    }

    void begin(bool swapped, int start, int stop)
    {
        ends_ = swapped ? &pattern_.reverse : &pattern_.forward;
        dashOn_ = swapped ? 0 : 1;
        offset_ = pattern_.begin(swapped, start, stop - start);
        index_ = 0;
        while (offset_ >= (*ends_)[std::size_t(index_)])
            ++index_;
    }

    void pixel(Pixel p)
    {
        if (((index_ + dashOn_) & 1) != 0 && p.x >= 0 && p.x < w_ && p.y >= 0 && p.y < h_)
            bits_[p.y * stride_ + p.x] = color_;
        // A pixel further on; the pattern's wrap-arounds divide only when
        // they happen, not at every pixel.
        offset_ += 64;
        if (offset_ >= (*ends_)[std::size_t(index_)] && ++index_ == int(ends_->size()))
            index_ = 0;
        if (offset_ >= pattern_.length)
            offset_ %= pattern_.length;
    }

private:
    QRgb *bits_;
    qsizetype stride_;
    int w_, h_;
    QRgb color_;
    DashPattern &pattern_;
    const std::vector<int> *ends_ = nullptr;
    int offset_ = 0, index_ = 0, dashOn_ = 0;
};

} // namespace

namespace {

struct Recorder {
    bool swapped = false;
    int delta = 0;
    std::vector<Pixel> pixels;

    void begin(bool backwards, int start, int stop)
    {
        swapped = backwards;
        delta = stop - start;
    }
    void pixel(Pixel p) { pixels.push_back(p); }
};

using steppairs::Refused;
using steppairs::StoreFull;

// Pixels of all segments: as many as a segment can point to.
constexpr std::size_t MaxPixels = (std::size_t(1) << 18) - 1;

} // namespace

// Each segment's pixels from its start, by its step and the step before.
class DashedThinLineDrawer::Segments {
public:
    Segments()
        : table_(false)
    {
    }

    // Draws nothing and returns false where a step is beyond reach, or the
    // curve alone needs more pixels than the store holds.
    bool draw(QImage &image, const QPoint *points, int count, DashPattern &pattern, QRgb color)
    {
        // Curves of ever new steps fill the store in time; it starts again
        // empty rather than leaving every new pair of steps to be stepped one
        // by one.
        const auto make = [this](int stepIn, int stepOut) { return build(stepIn, stepOut); };
        if (!table_.place(points, count, make, [this] { pixels_.clear(); }))
            return false;

        const int w = image.width(), h = image.height(), length = pattern.pixels;
        uchar *const bits = image.bits();
        const qsizetype stride = image.bytesPerLine();
        const int *const offsets = pixels_.offsets(stride);
        // Where the polyline stands in the pattern, in whole pixels.
        int place = 0;
        for (const auto &[at, segment] : table_) {
            const std::size_t first = segment >> 13;
            const int steps = int((segment >> 7) & 0x3F), reach = int(segment & 0x3F);
            // A segment stepped backwards starts where its far end lies.
            const std::uint64_t ahead = (segment >> 6) & 1
                ? pattern.aheadReverse[pattern.wrap[std::size_t(length - place - steps + 128)]]
                : pattern.aheadForward[std::size_t(place)];
            // Each place hangs on the one before: a load there would hold up
            // every segment, so the table is read only for steps longer than
            // the pattern.
            const int moved = place + steps;
            place = moved >= length ? moved - length : moved;
            if (place >= length) [[unlikely]]
                place = pattern.wrap[std::size_t(moved + 128)];
            std::uint64_t on = ahead & ((std::uint64_t(1) << std::max(steps, 1)) - 1);
            if (at.x() >= reach && at.x() + reach < w && at.y() >= reach && at.y() + reach < h) {
                uchar *const origin = bits + at.y() * stride + at.x() * qsizetype(sizeof(QRgb));
                for (; on != 0; on &= on - 1)
                    *reinterpret_cast<QRgb *>(origin + offsets[first + std::size_t(std::countr_zero(on))]) = color;
                continue;
            }
            for (; on != 0; on &= on - 1) {
                const std::size_t k = first + std::size_t(std::countr_zero(on));
                const int x = at.x() + pixels_[k].column, y = at.y() + pixels_[k].row;
                if (unsigned(x) < unsigned(w) && unsigned(y) < unsigned(h))
                    reinterpret_cast<QRgb *>(bits + y * stride)[x] = color;
            }
        }
        return true;
    }

private:
    // first pixel << 13 | pixels the pattern moves on << 7 | backwards << 6
    // | farthest pixel's reach; 0 unknown
    using Segment = std::uint32_t;

    Segment build(int stepIn, int stepOut)
    {
        SegmentStepper stepper;
        if (stepIn >= 0) {
            const QPoint in = steppairs::stepAt(stepIn);
            NoSink none;
            stepper.line(-in.x(), -in.y(), 0, 0, none);
        }
        const QPoint out = steppairs::stepAt(stepOut);
        Recorder recorder;
        stepper.line(0, 0, out.x(), out.y(), recorder);
        const int steps = recorder.delta / 64;
        const std::size_t first = pixels_.size();
        int reach = 0;
        for (const Pixel p : recorder.pixels) {
            pixels_.add({std::int8_t(p.y), std::int8_t(p.x)});
            reach = std::max({reach, std::abs(p.x), std::abs(p.y)});
        }
        const bool full = pixels_.size() > MaxPixels;
        if (steps < 0 || steps > 0x3F || reach > 0x3F || full) {
            pixels_.resize(first);
            return full ? StoreFull : Refused;
        }
        return Segment(first << 13 | std::size_t(steps) << 7 | std::size_t(recorder.swapped) << 6 | std::size_t(reach));
    }

    steppairs::PairTable table_;
    steppairs::RelativePixels pixels_;
};

namespace {

// Every pair of short steps' segment, made at once for curves that look them
// up straight from the steps; nothing where one has more pixels than a table
// entry holds or moves the pattern on otherwise than by one a pixel.
std::unique_ptr<curvedashes::Table> curveSegmentTable()
{
    namespace cd = curvedashes;
    auto table = std::make_unique<cd::Table>();
    for (int in = 0; in < cd::Kinds; ++in) {
        for (int out = 0; out < cd::None; ++out) {
            if (in == cd::NoStep || out == cd::NoStep)
                continue;
            SegmentStepper stepper;
            if (in != cd::None) {
                NoSink none;
                stepper.line(-curvesteps::across(in), -curvesteps::upDown(in), 0, 0, none);
            }
            Recorder recorder;
            stepper.line(0, 0, curvesteps::across(out), curvesteps::upDown(out), recorder);
            const int count = int(recorder.pixels.size()), steps = recorder.delta / 64;
            if (count > cd::MaxPixels || count != std::max(steps, 1))
                return nullptr;
            cd::Pixel pixels[cd::MaxPixels];
            for (int k = 0; k < count; ++k)
                pixels[k]
                    = {std::int8_t(recorder.pixels[std::size_t(k)].y), std::int8_t(recorder.pixels[std::size_t(k)].x)};
            table->set(cd::pair(in, out), pixels, count, steps, recorder.swapped);
        }
    }
    return table;
}

} // namespace

DashedThinLineDrawer::DashedThinLineDrawer()
    : pattern_(std::make_unique<DashPattern>())
{
}

DashedThinLineDrawer::~DashedThinLineDrawer() = default;

void DashedThinLineDrawer::draw(QImage &image, const QPoint *points, int count, const QList<qreal> &dashPattern,
                                QRgb color)
{
    if (count < 2 || dashPattern.isEmpty() || image.isNull())
        return;
    // QPainter starts a closed polyline from where it ends. Its steps hold a
    // column or row in 16.16 in an int, which ours would overflow past 32767.
    constexpr int LargestSide = 32767;
    if (points[0] == points[count - 1] || image.width() > LargestSide || image.height() > LargestSide) {
        QPen pen(QColor::fromRgb(color), 1);
        pen.setDashPattern(dashPattern);
        pen.setCapStyle(Qt::FlatCap);
        drawWithQPainter(image, pen, points, count);
        return;
    }
    pattern_->set(dashPattern);
    if (pattern_->tabled()) {
        if (!segments_)
            segments_ = std::make_unique<Segments>();
        if (segments_->draw(image, points, count, *pattern_, color))
            return;
    }
    SegmentStepper stepper;
    Plotter plotter(image, *pattern_, color);
    for (int i = 1; i < count; ++i)
        stepper.line(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), plotter);
}

bool DashedThinLineDrawer::drawCurve(QImage &image, int startRow, const int *columns, const int *rows, int count,
                                     const QList<qreal> &dashPattern, QRgb color, InstructionSet set)
{
    if (dashPattern.isEmpty())
        return false;
    const std::optional<curvesteps::Target> target
        = curvesteps::curveTarget(image, startRow, columns, rows, count, color);
    if (!target)
        return false;
    pattern_->set(dashPattern);
    if (!pattern_->tabled())
        return false;
    if (!curveSegmentsMade_) {
        curveSegments_ = curveSegmentTable();
        curveSegmentsMade_ = true;
    }
    if (!curveSegments_)
        return false;
    curveSegments_->setStride(target->stride);
    const curvedashes::Pattern pattern{pattern_->curveDashes.data(), pattern_->wrap.data(), pattern_->pixels};
    if (runsAvx2Loops(set))
        curvedashes::drawAvx2(*curveSegments_, *target, pattern, startRow, columns, rows, count);
    else
        curvedashes::draw(*curveSegments_, *target, pattern, startRow, columns, rows, count);
    return true;
}

void drawDashedThinPolyline(QImage &image, const QPoint *points, int count, const QList<qreal> &dashPattern, QRgb color)
{
    DashedThinLineDrawer().draw(image, points, count, dashPattern, color);
}
