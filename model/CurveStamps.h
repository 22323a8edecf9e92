#pragma once
// Stamps of a wide pen for every pair of the short steps forward that a
// frame's curves are made of, looked up straight from the two steps: no list
// of places and no table of every possible pair in between.
#include "model/CurveSteps.h"

#include <QRgb>
#include <QtGlobal>

#include <array>
#include <cstdint>

namespace curvestamps {

using curvesteps::Kinds, curvesteps::None, curvesteps::NoStep, curvesteps::Pairs, curvesteps::Reach;
using curvesteps::Target, curvesteps::kind, curvesteps::pair;

// A stamp has at most this many pixels.
constexpr int MaxPixels = 8;
// The pair of no step in and none out, which has no pixels.
constexpr int Empty = None * Kinds + None;

struct Pixel {
    std::int8_t row, column;
};

// Each pair's pixels, relative to the vertex, and where they lie from it in
// an image of rows `stride` pixels apart, worked out again when that changes.
class Table {
public:
    // The last pixel is repeated to fill the entry: a pixel stored twice
    // holds the same colour.
    void set(int pair, const Pixel *pixels, int count);
    void setReach(int reach) { reach_ = reach; }
    void setStride(qsizetype stride);

    // How far the farthest pixel of any stamp lies from its vertex, in
    // columns or rows.
    int reach() const { return reach_; }
    int count(int pair) const { return counts_[std::size_t(pair)]; }
    const Pixel *pixels(int pair) const { return &pixels_[std::size_t(pair) * MaxPixels]; }
    // Entries of MaxPixels ints, 32-byte aligned, for the stride last set.
    const int *offsets(int pair) const { return &offsets_[std::size_t(pair) * MaxPixels]; }

private:
    std::array<Pixel, Pairs * MaxPixels> pixels_{};
    alignas(32) std::array<int, Pairs * MaxPixels> offsets_{};
    std::array<std::uint8_t, Pairs> counts_{};
    qsizetype stride_ = 0;
    int reach_ = 0;
};

// Stamps the curve from (0, startRow) through (columns[i], rows[i]), i < count:
// every step must fit, and the table's stride be the target's. Steps of
// nothing are passed over. False, having drawn nothing, where there is no step.
bool draw(const Table &table, const Target &target, int startRow, const int *columns, const int *rows, int count);

// The same pixels with AVX2, which the CPU must run: eight vertices' pairs and
// places are found at once.
bool drawAvx2(const Table &table, const Target &target, int startRow, const int *columns, const int *rows, int count);

// The scalar loop from the vertex (x, y), reached by a step of kind `in`, on
// through (columns[i], rows[i]) from i = from; for the vector loop's end.
bool drawFrom(const Table &table, const Target &target, int x, int y, int in, const int *columns, const int *rows,
              int from, int count);

// One vertex's stamp, pixels outside the image left out.
void stamp(const Table &table, const Target &target, int x, int y, int pair);

} // namespace curvestamps
