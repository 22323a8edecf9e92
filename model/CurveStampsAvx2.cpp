#include "model/CurveStamps.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include "model/CurveStepsAvx2.h"

namespace curvestamps {

using curvesteps::kinds, curvesteps::load8, curvesteps::within;

[[gnu::target("avx2")]] bool drawAvx2(const Table &table, const Target &target, int startRow, const int *columns,
                                      const int *rows, int count)
{
    const int reach = table.reach();
    const int insideColumns = target.width - 2 * reach, insideRows = target.height - 2 * reach;
    // The vector loop starts at the third vertex, after two steps of something.
    if (count < 10 || insideColumns <= 0 || insideRows <= 0 || (columns[0] == 0 && rows[0] == startRow)
        || (columns[1] == columns[0] && rows[1] == rows[0]))
        return draw(table, target, startRow, columns, rows, count);
    const int first = kind(columns[0], rows[0] - startRow), second = kind(columns[1] - columns[0], rows[1] - rows[0]);
    stamp(table, target, 0, startRow, pair(None, first));
    stamp(table, target, columns[0], rows[0], pair(first, second));

    const __m256i rowLength = _mm256_set1_epi32(int(target.stride)), noStep = _mm256_set1_epi32(NoStep);
    const __m256i empty = _mm256_set1_epi32(Empty);
    // Places are found a block at a time and stored in a loop of their own,
    // which keeps the stores free of the finding's instructions.
    constexpr int Block = 128;
    alignas(32) int places[Block * MaxPixels + 8];
    alignas(32) int pairs[8], origins[8];
    // Vertex m is (columns[m − 1], rows[m − 1]); a block stamps m to m + 7.
    int m = 2;
    bool stepOfNothing = false;
    while (m + 8 <= count && !stepOfNothing) {
        int n = 0;
        for (int b = 0; b < Block && m + 8 <= count; b += 8, m += 8) {
            const __m256i beforeColumn = load8(columns + m - 2), beforeRow = load8(rows + m - 2);
            const __m256i column = load8(columns + m - 1), row = load8(rows + m - 1);
            const __m256i afterColumn = load8(columns + m), afterRow = load8(rows + m);
            // Each step in is the lane before's step out, checked already.
            const __m256i in = kinds(beforeColumn, beforeRow, column, row);
            const __m256i out = kinds(column, row, afterColumn, afterRow);
            // The scalar loop passes over it.
            stepOfNothing = !_mm256_testz_si256(_mm256_cmpeq_epi32(out, noStep), _mm256_set1_epi32(-1));
            if (stepOfNothing)
                break;
            const __m256i inside
                = _mm256_and_si256(within(column, reach, insideColumns), within(row, reach, insideRows));
            const int outside = _mm256_movemask_ps(_mm256_castsi256_ps(inside)) ^ 0xff;
            // A stamp near a border is drawn pixel by pixel, its lane left empty.
            _mm256_store_si256(reinterpret_cast<__m256i *>(pairs),
                               _mm256_blendv_epi8(empty, _mm256_add_epi32(_mm256_slli_epi32(in, 4), out), inside));
            _mm256_store_si256(reinterpret_cast<__m256i *>(origins),
                               _mm256_add_epi32(_mm256_mullo_epi32(row, rowLength), column));
            for (int lane = 0; lane < 8; ++lane) {
                const __m256i stampPlaces
                    = _mm256_add_epi32(_mm256_load_si256(reinterpret_cast<const __m256i *>(table.offsets(pairs[lane]))),
                                       _mm256_set1_epi32(origins[lane]));
                _mm256_storeu_si256(reinterpret_cast<__m256i *>(places + n), stampPlaces);
                n += table.count(pairs[lane]);
            }
            if (outside != 0) {
                alignas(32) int laneIn[8], laneOut[8];
                _mm256_store_si256(reinterpret_cast<__m256i *>(laneIn), in);
                _mm256_store_si256(reinterpret_cast<__m256i *>(laneOut), out);
                for (int lanes = outside; lanes != 0; lanes &= lanes - 1) {
                    const int lane = __builtin_ctz(unsigned(lanes));
                    stamp(table, target, columns[m - 1 + lane], rows[m - 1 + lane], pair(laneIn[lane], laneOut[lane]));
                }
            }
        }
        if (n == 0)
            continue;
        for (int pad = n; pad % 4 != 0; ++pad)
            places[pad] = places[n - 1];
        for (int j = 0; j < n; j += 4) {
            target.bits[places[j]] = target.color;
            target.bits[places[j + 1]] = target.color;
            target.bits[places[j + 2]] = target.color;
            target.bits[places[j + 3]] = target.color;
        }
    }
    // On from the vertex before m, stamped again, and the step that reached it.
    const int x = columns[m - 2], y = rows[m - 2];
    const int in = m == 2 ? first : kind(x - columns[m - 3], y - rows[m - 3]);
    return drawFrom(table, target, x, y, in, columns, rows, m - 1, count);
}

} // namespace curvestamps

#else

namespace curvestamps {

bool drawAvx2(const Table &table, const Target &target, int startRow, const int *columns, const int *rows, int count)
{
    return draw(table, target, startRow, columns, rows, count);
}

} // namespace curvestamps

#endif
