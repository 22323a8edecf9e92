#pragma once
// What the AVX2 loops over a frame curve's short steps share: eight columns
// or rows at a time, the steps' kinds, and picking lanes out of a register.
// For files that hold such loops only, on x86-64.
#include "model/CurveSteps.h"

#include <immintrin.h>

#include <array>
#include <cstdint>

namespace curvesteps {

[[gnu::target("avx2")]] inline __m256i load8(const int *p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
}

// The kinds of the steps from `from` to `to`, eight at a time.
[[gnu::target("avx2")]] inline __m256i kinds(__m256i fromColumn, __m256i fromRow, __m256i toColumn, __m256i toRow)
{
    const __m256i across = _mm256_sub_epi32(toColumn, fromColumn), upDown = _mm256_sub_epi32(toRow, fromRow);
    return _mm256_add_epi32(_mm256_add_epi32(_mm256_slli_epi32(across, 2), across),
                            _mm256_add_epi32(upDown, _mm256_set1_epi32(Reach)));
}

// Lanes where 0 ≤ value − low < span, for span > 0.
[[gnu::target("avx2")]] inline __m256i within(__m256i value, int low, int span)
{
    const __m256i shifted = _mm256_sub_epi32(value, _mm256_set1_epi32(low));
    return _mm256_cmpeq_epi32(_mm256_min_epu32(shifted, _mm256_set1_epi32(span - 1)), shifted);
}

// For each 8-bit mask, the lanes it selects in order, a byte each; a mask of
// the low four lanes has them in the low four bytes.
inline constexpr std::array<std::uint64_t, 256> SelectedLanes = [] {
    std::array<std::uint64_t, 256> lanes{};
    for (int mask = 0; mask < 256; ++mask) {
        int n = 0;
        for (int lane = 0; lane < 8; ++lane)
            if (mask & (1 << lane))
                lanes[std::size_t(mask)] |= std::uint64_t(lane) << (8 * n++);
    }
    return lanes;
}();

} // namespace curvesteps
