#include "model/CurveDashes.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include "model/CurveStepsAvx2.h"

namespace curvedashes {

using curvesteps::kinds, curvesteps::load8, curvesteps::SelectedLanes, curvesteps::within;

[[gnu::target("avx2")]] void drawAvx2(const Table &table, const Target &target, const Pattern &pattern, int startRow,
                                      const int *columns, const int *rows, int count)
{
    static_assert(MaxPixels == 4);
    const int reach = table.reach();
    const int insideColumns = target.width - 2 * reach, insideRows = target.height - 2 * reach;
    Walk walk{0, startRow, None, 0};
    // The vector loop starts at the third segment, after two steps of something.
    if (count < 10 || insideColumns <= 0 || insideRows <= 0 || (columns[0] == 0 && rows[0] == startRow)
        || (columns[1] == columns[0] && rows[1] == rows[0])) {
        drawSegments(table, target, pattern, walk, columns, rows, 0, count);
        return;
    }
    drawSegments(table, target, pattern, walk, columns, rows, 0, 2);

    const __m256i rowLength = _mm256_set1_epi32(int(target.stride)), noStep = _mm256_set1_epi32(NoStep);
    // Kept apart from the image's memory, which the compiler cannot tell from it.
    const Pattern dashes = pattern;
    // A block's pairs and places are found first, eight at a time, then its
    // pixels in a dash segment by segment, and stored in a loop of their own.
    // Read back a block later, the vector stores have left for the cache: a
    // lane read straight after its register's store waits for it.
    constexpr int Block = 128;
    alignas(32) int pairs[Block], origins[Block], places[Block * MaxPixels + 4];
    std::uint8_t outside[Block / 8];
    // Segment j runs from (columns[j − 1], rows[j − 1]) to (columns[j],
    // rows[j]).
    int j = 2, place = walk.place;
    bool stepOfNothing = false;
    while (j + 8 <= count && !stepOfNothing) {
        int segments = 0;
        for (; segments < Block && j + segments + 8 <= count; segments += 8) {
            const int *const from = columns + j + segments, *const fromRow = rows + j + segments;
            const __m256i column = load8(from - 1), row = load8(fromRow - 1);
            const __m256i in = kinds(load8(from - 2), load8(fromRow - 2), column, row);
            const __m256i out = kinds(column, row, load8(from), load8(fromRow));
            // The scalar loop passes over it.
            stepOfNothing = !_mm256_testz_si256(_mm256_cmpeq_epi32(out, noStep), _mm256_set1_epi32(-1));
            if (stepOfNothing)
                break;
            outside[segments / 8]
                = std::uint8_t(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_and_si256(
                                   within(column, reach, insideColumns), within(row, reach, insideRows))))
                               ^ 0xff);
            _mm256_store_si256(reinterpret_cast<__m256i *>(pairs + segments),
                               _mm256_add_epi32(_mm256_slli_epi32(in, 4), out));
            _mm256_store_si256(reinterpret_cast<__m256i *>(origins + segments),
                               _mm256_add_epi32(_mm256_mullo_epi32(row, rowLength), column));
        }
        int n = 0;
        for (int eight = 0; eight < segments; eight += 8) {
            // Eight segments with one near a border are drawn pixel by pixel.
            if (outside[eight / 8] != 0) [[unlikely]] {
                const int at = j + eight;
                Walk from{columns[at - 1], rows[at - 1],
                          kind(columns[at - 1] - columns[at - 2], rows[at - 1] - rows[at - 2]), place};
                drawSegments(table, target, dashes, from, columns, rows, at, at + 8);
                place = from.place;
                continue;
            }
            for (int s = eight; s < eight + 8; ++s) {
                const Table::Entry &entry = table.entry(pairs[s]);
                const unsigned on = pixelsInDash(dashes, entry, place);
                const __m128i lanes = _mm_cvtepu8_epi32(_mm_cvtsi32_si128(int(std::uint32_t(SelectedLanes[on]))));
                const __m128i offsets = _mm_loadu_si128(reinterpret_cast<const __m128i *>(entry.offsets.data()));
                const __m128i picked = _mm_castps_si128(_mm_permutevar_ps(_mm_castsi128_ps(offsets), lanes));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(places + n),
                                 _mm_add_epi32(picked, _mm_set1_epi32(origins[s])));
                n += __builtin_popcount(on);
            }
        }
        j += segments;
        if (n == 0)
            continue;
        for (int pad = n; pad % 4 != 0; ++pad)
            places[pad] = places[n - 1];
        for (int k = 0; k < n; k += 4) {
            target.bits[places[k]] = target.color;
            target.bits[places[k + 1]] = target.color;
            target.bits[places[k + 2]] = target.color;
            target.bits[places[k + 3]] = target.color;
        }
    }
    // On from the start of segment j, and the step that reached it.
    walk = {columns[j - 1], rows[j - 1], kind(columns[j - 1] - columns[j - 2], rows[j - 1] - rows[j - 2]), place};
    drawSegments(table, target, pattern, walk, columns, rows, j, count);
}

} // namespace curvedashes

#else

namespace curvedashes {

void drawAvx2(const Table &table, const Target &target, const Pattern &pattern, int startRow, const int *columns,
              const int *rows, int count)
{
    draw(table, target, pattern, startRow, columns, rows, count);
}

} // namespace curvedashes

#endif
