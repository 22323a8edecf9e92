#include "model/ShortSegments.h"

#include <algorithm>

#if defined(__x86_64__) && defined(__GNUC__)
#include "model/CurveStepsAvx2.h"

namespace segmentpixels {
namespace {

using curvesteps::load8, curvesteps::SelectedLanes;

// Appends the lanes of `values` that `mask` selects at `out`; returns how many.
[[gnu::target("avx2")]] int appendSelected(int *out, __m256i values, int mask)
{
    const __m256i order
        = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(&SelectedLanes[std::size_t(mask)])));
    _mm256_storeu_si256(reinterpret_cast<__m256i *>(out), _mm256_permutevar8x32_epi32(values, order));
    return __builtin_popcount(unsigned(mask));
}

// Stores the colour at places[0..n), n made a multiple of 4 by repeating the
// last place: the stores run in a loop of their own, four at a time.
[[gnu::always_inline]] inline void storeAtPlaces(QRgb *bits, int *places, int n, QRgb color)
{
    for (int pad = n; pad % 4 != 0; ++pad)
        places[pad] = places[n - 1];
    for (int j = 0; j < n; j += 4) {
        bits[places[j]] = color;
        bits[places[j + 1]] = color;
        bits[places[j + 2]] = color;
        bits[places[j + 3]] = color;
    }
}

} // namespace

// Steps of up to 2: two registers hold their table whole. Gathered from the
// table of every step up to 4, eight segments cost more than one at a time;
// the overload below takes the steps a frame's columns make.
[[gnu::target("avx2")]] void drawSegmentsAvx2(const ShortSegments<2> &table, QRgb *bits, qsizetype stride, int x0,
                                              int y0, const int *columns, const int *rows, int count, QRgb color)
{
    using Segments = ShortSegments<2>;
    static_assert(Segments::Entries == 2 && Segments::PaddedKinds == 16);
    static_assert(Segments::kind(2, -2) == curvesteps::kind(2, -2) && Segments::kind(0, 2) == curvesteps::kind(0, 2));
    if (count < 1)
        return;
    // The first segment starts at (x0, y0), which the vector loop does not read.
    Segments::draw(bits + y0 * stride + x0, table.at(columns[0] - x0, rows[0] - y0), color);
    const int *middles = table.middles(1);
    const __m256i lowMiddles = _mm256_load_si256(reinterpret_cast<const __m256i *>(middles));
    const __m256i highMiddles = _mm256_load_si256(reinterpret_cast<const __m256i *>(middles + 8));
    const __m256i rowLength = _mm256_set1_epi32(int(stride));
    const __m256i lastLowKind = _mm256_set1_epi32(7);
    // Places are found a block at a time and stored in a loop of their own,
    // which keeps the stores free of the finding's instructions.
    constexpr int Block = 128;
    alignas(32) int places[2 * Block + 8];
    int i = 1;
    while (i + 8 <= count) {
        int n = 0;
        for (int b = 0; b < Block && i + 8 <= count; b += 8, i += 8) {
            const __m256i fromColumn = load8(columns + i - 1), fromRow = load8(rows + i - 1);
            const __m256i start = _mm256_add_epi32(_mm256_mullo_epi32(fromRow, rowLength), fromColumn);
            const __m256i kinds = curvesteps::kinds(fromColumn, fromRow, load8(columns + i), load8(rows + i));
            const __m256i middle = _mm256_blendv_epi8(_mm256_permutevar8x32_epi32(lowMiddles, kinds),
                                                      _mm256_permutevar8x32_epi32(highMiddles, kinds),
                                                      _mm256_cmpgt_epi32(kinds, lastLowKind));
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(places + n), start);
            n += 8;
            // A middle of 0 is the start again: a segment of one pixel.
            const int twoPixels
                = _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(middle, _mm256_setzero_si256()))) ^ 0xff;
            n += appendSelected(places + n, _mm256_add_epi32(start, middle), twoPixels);
        }
        storeAtPlaces(bits, places, n, color);
    }
    drawSegments(table, bits, stride, columns[i - 1], rows[i - 1], columns + i, rows + i, count - i, color);
}

// Steps of up to 4 whose widths are two neighbours, `widest` and one less, as
// a frame's columns are: their 18 kinds fit three registers for each middle
// pixel. Each segment stores its four pixels, a pixel stored twice holding the
// same colour; eight segments with any other step are drawn one at a time.
[[gnu::target("avx2")]] void drawSegmentsAvx2(const ShortSegments<4> &table, QRgb *bits, qsizetype stride, int x0,
                                              int y0, const int *columns, const int *rows, int count, QRgb color,
                                              int widest)
{
    using Segments = ShortSegments<4>;
    static_assert(Segments::Entries == 4);
    constexpr int Rows = 9, Kinds = 2 * Rows;
    if (count < 1)
        return;
    Segments::draw(bits + y0 * stride + x0, table.at(columns[0] - x0, rows[0] - y0), color);
    const int narrow = std::clamp(widest - 1, 0, 3);
    alignas(32) int middles[Segments::Entries - 1][24] = {};
    for (int j = 1; j < Segments::Entries; ++j)
        for (int k = 0; k < Kinds; ++k)
            middles[j - 1][k] = table.middles(j)[Segments::kind(narrow + k / Rows, k % Rows - 4)];
    __m256i lookup[Segments::Entries - 1][3];
    for (int j = 0; j < Segments::Entries - 1; ++j)
        for (int r = 0; r < 3; ++r)
            lookup[j][r] = _mm256_load_si256(reinterpret_cast<const __m256i *>(middles[j] + 8 * r));
    const __m256i rowLength = _mm256_set1_epi32(int(stride));
    const __m256i seven = _mm256_set1_epi32(7), fifteen = _mm256_set1_epi32(15);
    constexpr int Block = 128;
    alignas(32) int places[Segments::Entries * Block];
    int i = 1;
    while (i + 8 <= count) {
        int n = 0;
        for (int b = 0; b < Block && i + 8 <= count; b += 8, i += 8) {
            const __m256i fromColumn = load8(columns + i - 1), fromRow = load8(rows + i - 1);
            const __m256i across = _mm256_sub_epi32(load8(columns + i), fromColumn);
            const __m256i upDown = _mm256_sub_epi32(load8(rows + i), fromRow);
            const __m256i fits
                = _mm256_and_si256(curvesteps::within(across, narrow, 2), curvesteps::within(upDown, -4, Rows));
            if (_mm256_movemask_ps(_mm256_castsi256_ps(fits)) != 0xff) {
                drawSegments(table, bits, stride, columns[i - 1], rows[i - 1], columns + i, rows + i, 8, color);
                continue;
            }
            const __m256i wide = _mm256_sub_epi32(across, _mm256_set1_epi32(narrow));
            // wide · Rows + upDown + 4, the order `middles` was filled in.
            static_assert(Rows == 9);
            const __m256i kinds = _mm256_add_epi32(_mm256_add_epi32(_mm256_slli_epi32(wide, 3), wide),
                                                   _mm256_add_epi32(upDown, _mm256_set1_epi32(4)));
            const __m256i second = _mm256_cmpgt_epi32(kinds, seven), third = _mm256_cmpgt_epi32(kinds, fifteen);
            const __m256i start = _mm256_add_epi32(_mm256_mullo_epi32(fromRow, rowLength), fromColumn);
            _mm256_store_si256(reinterpret_cast<__m256i *>(places + n), start);
            n += 8;
            for (int j = 0; j < Segments::Entries - 1; ++j, n += 8) {
                const __m256i low = _mm256_permutevar8x32_epi32(lookup[j][0], kinds);
                const __m256i mid = _mm256_permutevar8x32_epi32(lookup[j][1], kinds);
                const __m256i high = _mm256_permutevar8x32_epi32(lookup[j][2], kinds);
                const __m256i middle = _mm256_blendv_epi8(_mm256_blendv_epi8(low, mid, second), high, third);
                _mm256_store_si256(reinterpret_cast<__m256i *>(places + n), _mm256_add_epi32(start, middle));
            }
        }
        storeAtPlaces(bits, places, n, color);
    }
    drawSegments(table, bits, stride, columns[i - 1], rows[i - 1], columns + i, rows + i, count - i, color);
}

} // namespace segmentpixels

#else

namespace segmentpixels {

void drawSegmentsAvx2(const ShortSegments<2> &table, QRgb *bits, qsizetype stride, int x0, int y0, const int *columns,
                      const int *rows, int count, QRgb color)
{
    drawSegments(table, bits, stride, x0, y0, columns, rows, count, color);
}

void drawSegmentsAvx2(const ShortSegments<4> &table, QRgb *bits, qsizetype stride, int x0, int y0, const int *columns,
                      const int *rows, int count, QRgb color, int)
{
    drawSegments(table, bits, stride, x0, y0, columns, rows, count, color);
}

} // namespace segmentpixels

#endif
