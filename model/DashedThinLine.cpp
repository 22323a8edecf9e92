#include "model/DashedThinLine.h"

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

int swapCaps(int caps)
{
    return ((caps & CapBegin) << 1) | ((caps & CapEnd) >> 1);
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
void Stroker::line(int px1, int py1, int px2, int py2)
{
    int x1 = px1 * 64, y1 = py1 * 64, x2 = px2 * 64, y2 = py2 * 64;
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    Pixel last = lastPixel_;
    int caps = NoCaps;
    if (dx < dy) {
        int dir = TopToBottom;
        bool swapped = false;
        if (y1 > y2) {
            swapped = true;
            std::swap(y1, y2);
            std::swap(x1, x2);
            caps = swapCaps(caps);
            dir = BottomToTop;
        }
        const int xinc = fixedDivide(x2 - x1, y2 - y1);
        int x = x1 * (1 << 10);
        if ((lastDir_ ^ VerticalMask) == dir)
            caps |= swapped ? CapEnd : CapBegin;
        capAdjust(caps, y1, y2, x, xinc);
        int y = (y1 + 32) >> 6;
        int ys = (y2 + 32) >> 6;
        const int round = xinc > 0 ? 32 : 0;
        if (y != ys) {
            x += ((((y * 64) + round - y1)) * xinc) >> 6;
            Pixel first{x >> 16, y};
            last = {(x + (ys - y - 1) * xinc) >> 16, ys - 1};
            if (swapped)
                std::swap(first, last);
            const bool axisAligned = std::abs(xinc) < (1 << 14);
            if (lastPixel_.x > INT_MIN) {
                if (first.x == lastPixel_.x && first.y == lastPixel_.y) {
                    if (swapped) {
                        --ys;
                    } else {
                        ++y;
                        x += xinc;
                    }
                } else if (lastDir_ != dir
                           && (((axisAligned && lastAxisAligned_) && lastPixel_.x != first.x && lastPixel_.y != first.y)
                               || (std::abs(lastPixel_.x - first.x) > 1 || std::abs(lastPixel_.y - first.y) > 1))) {
                    if (swapped) {
                        ++ys;
                    } else {
                        --y;
                        x -= xinc;
                    }
                }
            }
            lastDir_ = dir;
            lastAxisAligned_ = axisAligned;
            Dasher dasher(pattern_, swapped, y * 64, ys * 64);
            do {
                if (dasher.on())
                    plot(x >> 16, y);
                dasher.step();
                x += xinc;
            } while (++y < ys);
        }
    } else {
        if (!dx)
            return;
        int dir = LeftToRight;
        bool swapped = false;
        if (x1 > x2) {
            swapped = true;
            std::swap(x1, x2);
            std::swap(y1, y2);
            caps = swapCaps(caps);
            dir = RightToLeft;
        }
        const int yinc = fixedDivide(y2 - y1, x2 - x1);
        int y = y1 * (1 << 10);
        if ((lastDir_ ^ HorizontalMask) == dir)
            caps |= swapped ? CapEnd : CapBegin;
        capAdjust(caps, x1, x2, y, yinc);
        int x = (x1 + 32) >> 6;
        int xs = (x2 + 32) >> 6;
        const int round = yinc > 0 ? 32 : 0;
        if (x != xs) {
            y += ((((x * 64) + round - x1)) * yinc) >> 6;
            Pixel first{x, y >> 16};
            last = {xs - 1, (y + (xs - x - 1) * yinc) >> 16};
            if (swapped)
                std::swap(first, last);
            const bool axisAligned = std::abs(yinc) < (1 << 14);
            if (lastPixel_.x > INT_MIN) {
                if (first.x == lastPixel_.x && first.y == lastPixel_.y) {
                    if (swapped) {
                        --xs;
                    } else {
                        ++x;
                        y += yinc;
                    }
                } else if (lastDir_ != dir
                           && (((axisAligned && lastAxisAligned_) && lastPixel_.x != first.x && lastPixel_.y != first.y)
                               || (std::abs(lastPixel_.x - first.x) > 1 || std::abs(lastPixel_.y - first.y) > 1))) {
                    if (swapped) {
                        ++xs;
                    } else {
                        --x;
                        y -= yinc;
                    }
                }
            }
            lastDir_ = dir;
            lastAxisAligned_ = axisAligned;
            Dasher dasher(pattern_, swapped, x * 64, xs * 64);
            do {
                if (dasher.on())
                    plot(x, y >> 16);
                dasher.step();
                y += yinc;
            } while (++x < xs);
        }
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
        QPainter painter(&image);
        painter.setPen(pen);
        painter.drawPolyline(points, count);
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
