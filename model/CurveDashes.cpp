#include "model/CurveDashes.h"

#include <algorithm>
#include <cstdlib>

namespace curvedashes {

void Table::set(int pair, const Pixel *pixels, int count, int steps, bool backwards)
{
    Entry &entry = entries_[std::size_t(pair)];
    std::copy_n(pixels, count, entry.pixels.begin());
    entry.count = std::uint8_t(count);
    entry.steps = std::uint8_t(steps);
    entry.dashRow = std::uint16_t(dashRow(backwards, steps, count));
    for (int k = 0; k < count; ++k)
        reach_ = std::max({reach_, std::abs(int(pixels[k].row)), std::abs(int(pixels[k].column))});
    stride_ = 0;
}

void Table::setStride(qsizetype stride)
{
    if (stride == stride_)
        return;
    stride_ = stride;
    for (Entry &entry : entries_)
        for (std::size_t k = 0; k < MaxPixels; ++k)
            entry.offsets[k] = int(entry.pixels[k].row * stride + entry.pixels[k].column);
}

std::vector<std::uint8_t> dashTable(const std::uint64_t *forward, const std::uint64_t *reverse,
                                    const std::uint8_t *wrap, int length)
{
    std::vector<std::uint8_t> table(std::size_t(dashRow(true, MaxPixels, MaxPixels) + DashPlaces));
    for (int backwards = 0; backwards < 2; ++backwards)
        for (int steps = 0; steps <= MaxPixels; ++steps)
            for (int count = 1; count <= MaxPixels; ++count)
                for (int place = 0; place < length; ++place) {
                    // A segment stepped backwards starts where its far end lies.
                    const std::uint64_t ahead
                        = backwards ? reverse[wrap[std::size_t(length - place - steps + 128)]] : forward[place];
                    table[std::size_t(dashRow(backwards, steps, count) + place)]
                        = std::uint8_t(ahead & ((1u << count) - 1));
                }
    return table;
}

void drawClipped(const Target &target, int x, int y, const Table::Entry &entry, unsigned on)
{
    for (int k = 0; k < entry.count; ++k) {
        const int px = x + entry.pixels[std::size_t(k)].column, py = y + entry.pixels[std::size_t(k)].row;
        if (((on >> k) & 1) != 0 && unsigned(px) < unsigned(target.width) && unsigned(py) < unsigned(target.height))
            target.bits[py * target.stride + px] = target.color;
    }
}

void drawSegments(const Table &table, const Target &target, const Pattern &pattern, Walk &walk, const int *columns,
                  const int *rows, int from, int to)
{
    const int reach = table.reach();
    const unsigned insideColumns = unsigned(std::max(target.width - 2 * reach, 0));
    const unsigned insideRows = unsigned(std::max(target.height - 2 * reach, 0));
    const Pattern dashes = pattern;
    for (int i = from; i < to; ++i) {
        const int dx = columns[i] - walk.x, dy = rows[i] - walk.y;
        if (dx == 0 && dy == 0)
            continue;
        const int out = kind(dx, dy);
        const Table::Entry &entry = table.entry(pair(walk.in, out));
        unsigned on = pixelsInDash(dashes, entry, walk.place);
        if (unsigned(walk.x - reach) < insideColumns && unsigned(walk.y - reach) < insideRows) {
            QRgb *const origin = target.bits + walk.y * target.stride + walk.x;
            for (; on != 0; on &= on - 1)
                origin[entry.offsets[std::size_t(__builtin_ctz(on))]] = target.color;
        } else {
            drawClipped(target, walk.x, walk.y, entry, on);
        }
        walk = {columns[i], rows[i], out, walk.place};
    }
}

void draw(const Table &table, const Target &target, const Pattern &pattern, int startRow, const int *columns,
          const int *rows, int count)
{
    Walk walk{0, startRow, None, 0};
    drawSegments(table, target, pattern, walk, columns, rows, 0, count);
}

} // namespace curvedashes
