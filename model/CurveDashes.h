#pragma once
// The one-pixel segments of a frame's curve in a dashed pen, for every pair of
// the short steps forward that such curves are made of, looked up straight
// from the two steps, with the dash pattern running on along the curve.
#include "model/CurveSteps.h"

#include <array>
#include <cstdint>
#include <vector>

namespace curvedashes {

using curvesteps::Kinds, curvesteps::None, curvesteps::NoStep, curvesteps::Pairs, curvesteps::Reach;
using curvesteps::Target, curvesteps::kind, curvesteps::pair;

// A segment has at most this many pixels.
constexpr int MaxPixels = 4;

struct Pixel {
    std::int8_t row, column;
};

// Each pair's segment: its pixels from the vertex, in the order the pattern
// runs over them, how far it moves the pattern on and where its pixels lie in
// an image of rows `stride` pixels apart, worked out again when that changes.
class Table {
public:
    struct Entry {
        std::array<int, MaxPixels> offsets{};
        std::array<Pixel, MaxPixels> pixels{};
        // Pattern pixels it moves on: its pixels', but for a segment of one
        // pixel stepped nowhere, which moves it on by none.
        std::uint8_t count = 0, steps = 0;
        // Where its pixels in a dash are looked up, by place, in a pattern's
        // table of them; a segment stepped backwards runs the pattern from its
        // far end.
        std::uint16_t dashRow = 0;
    };

    void set(int pair, const Pixel *pixels, int count, int steps, bool backwards);
    void setStride(qsizetype stride);

    // How far the farthest pixel of any segment lies from its vertex.
    int reach() const { return reach_; }
    const Entry &entry(int pair) const { return entries_[std::size_t(pair)]; }

private:
    std::array<Entry, Pairs> entries_{};
    qsizetype stride_ = 0;
    int reach_ = 0;
};

// A segment's pixels in a dash, bit k for the kth, for every place in a
// pattern of whole pixels, by the way it is stepped, how far it moves the
// pattern on and how many pixels it has: a row of DashPlaces each.
constexpr int DashPlaces = 64;
inline int dashRow(bool backwards, int steps, int count)
{
    return ((backwards ? 32 : 0) + steps * 4 + count - 1) * DashPlaces;
}
// Made from a pattern's tables of which of the 64 pixels ahead of each place
// lie in a dash, going forwards and backwards, its length in pixels (up to
// 64) and v mod length at wrap[v + 128].
std::vector<std::uint8_t> dashTable(const std::uint64_t *forward, const std::uint64_t *reverse,
                                    const std::uint8_t *wrap, int length);

struct Pattern {
    const std::uint8_t *inDash; // dashTable()'s
    const std::uint8_t *wrap;
    int length;
};

// Where a curve's walk stands: at (x, y), reached by a step of kind `in`, at
// `place` in the pattern, in whole pixels.
struct Walk {
    int x, y, in, place;
};

// The pixels of a segment that lie in a dash, bit k for the kth; the walk's
// place moves on past the segment.
inline unsigned pixelsInDash(const Pattern &pattern, const Table::Entry &entry, int &place)
{
    const unsigned on = pattern.inDash[entry.dashRow + place];
    // The pattern wraps round every few segments, and unforeseeably: with a
    // mask, not a branch.
    const int moved = place + entry.steps, length = pattern.length;
    place = moved - (length & -int(moved >= length));
    if (place >= length) [[unlikely]]
        place = pattern.wrap[std::size_t(moved + 128)];
    return on;
}

// One segment's pixels in a dash, from (x, y); those outside the image left out.
void drawClipped(const Target &target, int x, int y, const Table::Entry &entry, unsigned on);

// Walks on through (columns[i], rows[i]) for i from `from` to `to` − 1,
// passing over steps of nothing: every step must fit and the table's stride
// be the target's.
void drawSegments(const Table &table, const Target &target, const Pattern &pattern, Walk &walk, const int *columns,
                  const int *rows, int from, int to);

// The curve from (0, startRow) through (columns[i], rows[i]), i < count.
void draw(const Table &table, const Target &target, const Pattern &pattern, int startRow, const int *columns,
          const int *rows, int count);

// The same pixels with AVX2, which the CPU must run: eight segments' pairs
// and places are found at once, and each segment's pixels in a dash picked
// out in a vector register, without a branch the pattern would make
// unforeseeable.
void drawAvx2(const Table &table, const Target &target, const Pattern &pattern, int startRow, const int *columns,
              const int *rows, int count);

} // namespace curvedashes
