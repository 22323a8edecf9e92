#pragma once
// The pixels of one-pixel segments, and tables of them for the short steps of
// a frame's curves.
#include <QRgb>
#include <QtGlobal>

#include <algorithm>
#include <cstdlib>

namespace segmentpixels {

// Bresenham's line from (x0, y0) to (x1, y1), the last pixel only if asked;
// plot(dx, dy) receives each pixel's offset from the first.
template <typename Plot> void bresenham(int x0, int y0, int x1, int y1, bool lastPixel, Plot plot)
{
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int px = 0, py = 0;
    int err = dx + dy;
    int n = std::max(dx, -dy) + (lastPixel ? 1 : 0);
    while (n-- > 0) {
        plot(px, py);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
}

// The pixels of every segment of up to Reach columns across and Reach rows
// up or down, as offsets from its first pixel. A curve of a thousand segments
// across a picture has steps of a few pixels (four across a 4K picture);
// looking their pixels up spares the loop and its unpredictable branches.
template <int Reach> class ShortSegments {
public:
    // Per segment: the offset of its end, then its pixels after the first and
    // before the end, the last of them repeated to fill the entries (the
    // first, offset 0, where there are none): a pixel stored twice holds the
    // same colour. The first pixel is the segment's start and needs no entry.
    static constexpr int Entries = Reach;
    // Segments of each step, numbered by kind(); the vector loops' tables are
    // padded to whole registers.
    static constexpr int Kinds = (Reach + 1) * (2 * Reach + 1);
    static constexpr int PaddedKinds = (Kinds + 7) / 8 * 8;

    explicit ShortSegments(qsizetype stride)
    {
        for (int dx = 0; dx <= Reach; ++dx)
            for (int dy = -Reach; dy <= Reach; ++dy) {
                qsizetype pixels[Reach] = {0};
                int count = 0;
                bresenham(0, 0, dx, dy, false, [&](int px, int py) { pixels[count++] = py * stride + px; });
                qsizetype *out = offsets_[dx][dy + Reach];
                out[0] = dy * stride + dx;
                for (int j = 1; j < Entries; ++j) {
                    out[j] = pixels[std::min(j, std::max(count - 1, 0))];
                    middles_[j - 1][kind(dx, dy)] = int(out[j]);
                }
            }
    }

    static bool fits(int dx, int dy) { return unsigned(dx) <= unsigned(Reach) && unsigned(dy + Reach) <= 2u * Reach; }
    static constexpr int kind(int dx, int dy) { return dx * (2 * Reach + 1) + dy + Reach; }
    const qsizetype *at(int dx, int dy) const { return offsets_[dx][dy + Reach]; }
    // Entry j (from 1) of every kind, as an int: offsets within 2^31 only.
    const int *middles(int j) const { return middles_[j - 1]; }

    // Draws the segment starting at p and returns where it ends.
    static QRgb *draw(QRgb *p, const qsizetype *entries, QRgb color)
    {
        p[0] = color;
        for (int j = 1; j < Entries; ++j)
            p[entries[j]] = color;
        return p + entries[0];
    }

private:
    qsizetype offsets_[Reach + 1][2 * Reach + 1][Entries];
    alignas(32) int middles_[Entries - 1][PaddedKinds] = {};
};

// The segments from (x0, y0) through (columns[i], rows[i]), i < count, each
// without its last pixel: every step must fit the table and every pixel lie
// in the image.
template <int Reach>
void drawSegments(const ShortSegments<Reach> &table, QRgb *bits, qsizetype stride, int x0, int y0, const int *columns,
                  const int *rows, int count, QRgb color)
{
    QRgb *p = bits + y0 * stride + x0;
    for (int i = 0; i < count; ++i) {
        p = ShortSegments<Reach>::draw(p, table.at(columns[i] - x0, rows[i] - y0), color);
        x0 = columns[i];
        y0 = rows[i];
    }
}

// The same pixels for steps of up to 2 with AVX2, which the CPU must run, in an
// image of fewer than 2^31 pixels including the rows' padding: the places of
// eight segments' pixels are found at once, each place once, and then stored.
void drawSegmentsAvx2(const ShortSegments<2> &table, QRgb *bits, qsizetype stride, int x0, int y0, const int *columns,
                      const int *rows, int count, QRgb color);
// The same for steps of up to 4, fast where every step is `widest` or one
// less across, as a frame curve's are.
void drawSegmentsAvx2(const ShortSegments<4> &table, QRgb *bits, qsizetype stride, int x0, int y0, const int *columns,
                      const int *rows, int count, QRgb color, int widest);

} // namespace segmentpixels
