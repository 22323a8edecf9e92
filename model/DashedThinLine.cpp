#include "model/DashedThinLine.h"

#include "model/PolylineRaster.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <climits>
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

// The pattern's running ends in 1/64 pixel, forwards and backwards.
struct Pattern {
    std::vector<int> forward, reverse;
    int length = 0;
    int offset = 0; // where the polyline stands in it
};

class Dasher {
public:
    Dasher(Pattern &p, bool reverse, int start, int stop)
        : p_(p)
    {
        const int delta = stop - start;
        if (reverse) {
            ends_ = &p.reverse;
            offset_ = p.length - p.offset - delta - ((start & 63) - 32);
            dashOn_ = 0;
        } else {
            ends_ = &p.forward;
            offset_ = p.offset - ((start & 63) - 32);
            dashOn_ = 1;
        }
        offset_ %= p.length;
        if (offset_ < 0)
            offset_ += p.length;
        while (offset_ >= (*ends_)[std::size_t(index_)])
            ++index_;
        p.offset = (p.offset + delta) % p.length;
    }

    bool on() const { return ((index_ + dashOn_) & 1) != 0; }

    // A pixel further on; the pattern's wrap-arounds divide only when they
    // happen, not at every pixel.
    void step()
    {
        offset_ += 64;
        if (offset_ >= (*ends_)[std::size_t(index_)] && ++index_ == int(ends_->size()))
            index_ = 0;
        if (offset_ >= p_.length)
            offset_ %= p_.length;
    }

private:
    Pattern &p_;
    const std::vector<int> *ends_;
    int offset_ = 0, index_ = 0, dashOn_ = 0;
};

class Stroker {
public:
    Stroker(QImage &image, Pattern &pattern, QRgb color)
        : bits_(reinterpret_cast<QRgb *>(image.bits()))
        , stride_(image.bytesPerLine() / qsizetype(sizeof(QRgb)))
        , w_(image.width())
        , h_(image.height())
        , pattern_(pattern)
        , color_(color)
    {
    }

    void line(int x1, int y1, int x2, int y2);

private:
    template <typename ToPixel>
    void along(int a1, int b1, int a2, int b2, int forward, int backward, int mask, ToPixel toPixel);
    void plot(int x, int y)
    {
        if (x >= 0 && x < w_ && y >= 0 && y < h_)
            bits_[y * stride_ + x] = color_;
    }

    QRgb *bits_;
    qsizetype stride_;
    int w_, h_;
    Pattern &pattern_;
    QRgb color_;
    Pixel lastPixel_{INT_MIN, INT_MIN};
    int lastDir_ = NoDirection;
    bool lastAxisAligned_ = false;
};

// One segment between whole-pixel vertices, stepped along its major axis.
void Stroker::line(int x1, int y1, int x2, int y2)
{
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    if (dx < dy)
        along(y1 * 64, x1 * 64, y2 * 64, x2 * 64, TopToBottom, BottomToTop, VerticalMask, [](int major, int minor) {
            return Pixel{minor, major};
        });
    else if (dx != 0)
        along(x1 * 64, y1 * 64, x2 * 64, y2 * 64, LeftToRight, RightToLeft, HorizontalMask, [](int major, int minor) {
            return Pixel{major, minor};
        });
}

// The segment from (a1, b1) to (a2, b2) in 1/64 pixel, a the major axis;
// `toPixel` turns a (major, minor) pair back into a pixel.
template <typename ToPixel>
void Stroker::along(int a1, int b1, int a2, int b2, int forward, int backward, int mask, ToPixel toPixel)
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
        Dasher dasher(pattern_, swapped, a * 64, as * 64);
        do {
            if (dasher.on()) {
                const Pixel p = toPixel(a, b >> 16);
                plot(p.x, p.y);
            }
            dasher.step();
            b += binc;
        } while (++a < as);
    }
    lastPixel_ = last;
}

} // namespace

void drawDashedThinPolyline(QImage &image, const QPoint *points, int count, const QList<qreal> &dashPattern, QRgb color)
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
    Pattern pattern;
    for (qsizetype i = 0; i < dashPattern.size(); ++i) {
        pattern.length += int(std::max(1.0, dashPattern[i] * 64.0));
        pattern.forward.push_back(pattern.length);
    }
    pattern.length = 0;
    for (qsizetype i = dashPattern.size() - 1; i >= 0; --i) {
        pattern.length += int(std::max(1.0, dashPattern[i] * 64.0));
        pattern.reverse.push_back(pattern.length);
    }
    Stroker stroker(image, pattern, color);
    for (int i = 1; i < count; ++i)
        stroker.line(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y());
}
