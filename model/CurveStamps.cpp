#include "model/CurveStamps.h"

#include <algorithm>

namespace curvestamps {

void Table::set(int pair, const Pixel *pixels, int count)
{
    Pixel *entry = &pixels_[std::size_t(pair) * MaxPixels];
    std::copy_n(pixels, count, entry);
    std::fill(entry + count, entry + MaxPixels, count > 0 ? pixels[count - 1] : Pixel{});
    counts_[std::size_t(pair)] = std::uint8_t(count);
    stride_ = 0;
}

void Table::setStride(qsizetype stride)
{
    if (stride == stride_)
        return;
    stride_ = stride;
    for (std::size_t i = 0; i < pixels_.size(); ++i)
        offsets_[i] = int(pixels_[i].row * stride + pixels_[i].column);
}

void stamp(const Table &table, const Target &target, int x, int y, int pair)
{
    const int reach = table.reach(), count = table.count(pair);
    if (x >= reach && x + reach < target.width && y >= reach && y + reach < target.height) {
        QRgb *const origin = target.bits + y * target.stride + x;
        const int *const offsets = table.offsets(pair);
        // Whole fours, the entry's last pixel repeated, without a count's loop.
        if (count > 0) {
            origin[offsets[0]] = target.color;
            origin[offsets[1]] = target.color;
            origin[offsets[2]] = target.color;
            origin[offsets[3]] = target.color;
        }
        if (count > 4) {
            origin[offsets[4]] = target.color;
            origin[offsets[5]] = target.color;
            origin[offsets[6]] = target.color;
            origin[offsets[7]] = target.color;
        }
        return;
    }
    const Pixel *const pixels = table.pixels(pair);
    for (int k = 0; k < count; ++k) {
        const int px = x + pixels[k].column, py = y + pixels[k].row;
        if (unsigned(px) < unsigned(target.width) && unsigned(py) < unsigned(target.height))
            target.bits[py * target.stride + px] = target.color;
    }
}

bool drawFrom(const Table &table, const Target &target, int x, int y, int in, const int *columns, const int *rows,
              int from, int count)
{
    for (int i = from; i < count; ++i) {
        const int dx = columns[i] - x, dy = rows[i] - y;
        if (dx == 0 && dy == 0)
            continue;
        const int out = kind(dx, dy);
        stamp(table, target, x, y, pair(in, out));
        x = columns[i];
        y = rows[i];
        in = out;
    }
    if (in == None)
        return false;
    stamp(table, target, x, y, pair(in, None));
    return true;
}

bool draw(const Table &table, const Target &target, int startRow, const int *columns, const int *rows, int count)
{
    return drawFrom(table, target, 0, startRow, None, columns, rows, 0, count);
}

} // namespace curvestamps
