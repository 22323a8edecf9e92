#include "model/FrameKernels.h"

#include "model/WaveMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VELMORA_X86 1
#endif

namespace {

// The bodies below are inlined into one function per instruction set, so that
// the compiler vectorises them for that set; the arithmetic is the same scalar
// sequence either way.
[[gnu::always_inline]] inline void exactTermsBody(const double *s, int count, double ac, float *out, float *sum)
{
    if (out && sum) {
        for (int i = 0; i < count; ++i) {
            const float term = wavemath::modeValue(ac, s[i]);
            out[i] = term;
            sum[i] = sum[i] + term;
        }
    } else if (out) {
        for (int i = 0; i < count; ++i)
            out[i] = wavemath::modeValue(ac, s[i]);
    } else if (sum) {
        for (int i = 0; i < count; ++i)
            sum[i] = sum[i] + wavemath::modeValue(ac, s[i]);
    }
}

// The largest step between pixel rows, the first from `half`.
[[gnu::always_inline]] inline int steepestStep(const int *pixelRows, int count, int half)
{
    int steepest = count > 0 ? std::abs(pixelRows[0] - half) : 0;
    for (int i = 1; i < count; ++i)
        steepest = std::max(steepest, std::abs(pixelRows[i] - pixelRows[i - 1]));
    return steepest;
}

// The pixel rows and the largest step between them, once every row is known
// to lie in the picture.
[[gnu::always_inline]] inline int pixelRowsOf(const double *rows, int count, int half, int *pixelRows)
{
    for (int i = 0; i < count; ++i)
        pixelRows[i] = int(rows[i]);
    return steepestStep(pixelRows, count, half);
}

[[gnu::always_inline]] inline CurveRowsFound curveRowsBody(const float *values, int count, int half, int height,
                                                           float zoom, double *rows, int *pixelRows)
{
    for (int i = 0; i < count; ++i)
        rows[i] = wavemath::curveRow(half, values[i], zoom);
    // Loops of their own, as they vectorise where a fused one does not.
    long long offAxis = 0, outside = 0;
    for (int i = 0; i < count; ++i) {
        offAxis |= rows[i] != double(half) ? 1LL : 0LL;
        outside |= rows[i] >= 0.0 && rows[i] < double(height) ? 0LL : 1LL;
    }
    if (outside != 0)
        return {offAxis == 0, false};
    return {offAxis == 0, true, pixelRowsOf(rows, count, half, pixelRows)};
}

#ifdef VELMORA_X86
// The pixel rows of a curve that lies in the picture, eight at a time in single
// precision: a float row is taken where it lies further from a half than the
// float arithmetic can lie from the double's, and so rounds as the double
// row does; any other comes from the formula. False, with nothing found,
// where a row leaves the picture.
[[gnu::target("avx2")]] bool floatPixelRows(const float *values, int count, int half, int height, float zoom,
                                            int *pixelRows, CurveRowsFound &found)
{
    // v = h·(1 − d·zoom) in floats lies within 2^-24·(2|v| + h·|d·zoom|) of
    // the exact value, and the double's within 2^-51·(|v| + h). A row that
    // rounds into the picture has |v| ≤ height and |d·zoom| ≤ 1 + height/h,
    // so both lie within 2^-22·(height + h + 1) of each other; twice that is
    // kept clear of the halves, which also covers the rounding of the limit.
    const float limit = float(0.5 - 0x1p-21 * (double(height) + double(half) + 1.0));
    if (!(limit > 0.0f))
        return false;
    const __m256 h = _mm256_set1_ps(float(half)), z = _mm256_set1_ps(zoom), one = _mm256_set1_ps(1.0f);
    const __m256 magnitude = _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff));
    const __m256 clear = _mm256_set1_ps(limit);
    __m256 lowest = h, highest = h;
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256 v = _mm256_mul_ps(h, _mm256_sub_ps(one, _mm256_mul_ps(_mm256_loadu_ps(values + i), z)));
        __m256 r = _mm256_round_ps(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        // NaN or infinite rows are never certain; a certain one outside the
        // picture sends the curve to the double loop below.
        const __m256 certain = _mm256_cmp_ps(_mm256_and_ps(_mm256_sub_ps(v, r), magnitude), clear, _CMP_LT_OQ);
        if (_mm256_movemask_ps(certain) != 0xFF) [[unlikely]] {
            alignas(32) float fixed[8];
            _mm256_store_ps(fixed, r);
            const unsigned lanes = ~unsigned(_mm256_movemask_ps(certain)) & 0xFFu;
            for (unsigned left = lanes; left != 0; left &= left - 1) {
                const int j = __builtin_ctz(left);
                // A row past the float range is infinite, and outside.
                fixed[j] = float(wavemath::curveRow(half, values[i + j], zoom));
            }
            r = _mm256_load_ps(fixed);
        }
        lowest = _mm256_min_ps(lowest, r);
        highest = _mm256_max_ps(highest, r);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(pixelRows + i), _mm256_cvtps_epi32(r));
    }
    alignas(32) float low[8], high[8];
    _mm256_store_ps(low, lowest);
    _mm256_store_ps(high, highest);
    double least = *std::min_element(low, low + 8), most = *std::max_element(high, high + 8);
    for (; i < count; ++i) {
        const double row = wavemath::curveRow(half, values[i], zoom);
        least = std::min(least, row);
        most = std::max(most, row);
        if (row >= 0.0 && row < double(height))
            pixelRows[i] = int(row);
    }
    if (!(least >= 0.0 && most < double(height)))
        return false;
    found = {least == double(half) && most == double(half), true, steepestStep(pixelRows, count, half)};
    return true;
}

// The same rows four at a time: rounding half to even is one instruction here,
// and gives the bits of wavemath::roundHalfEven for every double.
[[gnu::target("avx2")]] CurveRowsFound curveRowsAvx2(const float *values, int count, int half, int height, float zoom,
                                                     double *rows, int *pixelRows)
{
    CurveRowsFound found{};
    if (floatPixelRows(values, count, half, height, zoom, pixelRows, found))
        return found;
    const __m256d h = _mm256_set1_pd(double(half)), z = _mm256_set1_pd(double(zoom)), one = _mm256_set1_pd(1.0);
    // No row is NaN, so the lowest and highest tell whether all lie on the
    // axis and whether all lie in the picture.
    __m256d lowest = h, highest = h;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256d d = _mm256_cvtps_pd(_mm_loadu_ps(values + i));
        const __m256d v = _mm256_mul_pd(h, _mm256_sub_pd(one, _mm256_mul_pd(d, z)));
        const __m256d rounded = _mm256_round_pd(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        const __m256d r = _mm256_blendv_pd(rounded, h, _mm256_cmp_pd(v, v, _CMP_UNORD_Q));
        _mm256_storeu_pd(rows + i, r);
        lowest = _mm256_min_pd(lowest, r);
        highest = _mm256_max_pd(highest, r);
    }
    alignas(32) double low[4], high[4];
    _mm256_store_pd(low, lowest);
    _mm256_store_pd(high, highest);
    const double least = std::min({low[0], low[1], low[2], low[3]});
    const double most = std::max({high[0], high[1], high[2], high[3]});
    bool onAxis = least == double(half) && most == double(half);
    bool inPicture = least >= 0.0 && most < double(height);
    for (; i < count; ++i) {
        rows[i] = wavemath::curveRow(half, values[i], zoom);
        onAxis = onAxis && rows[i] == double(half);
        inPicture = inPicture && rows[i] >= 0.0 && rows[i] < double(height);
    }
    if (!inPicture)
        return {onAxis, false};
    return {onAxis, true, pixelRowsOf(rows, count, half, pixelRows)};
}
#endif

#define VELMORA_KERNELS(suffix, attribute)                                                                             \
    attribute void exactTerms##suffix(const double *s, int count, double ac, float *out, float *sum)                   \
    {                                                                                                                  \
        exactTermsBody(s, count, ac, out, sum);                                                                        \
    }                                                                                                                  \
    constexpr FrameKernels kernels##suffix{recurrence::startSines##suffix, recurrence::rotateTerms##suffix,            \
                                           recurrence::accumulateTerms##suffix, exactTerms##suffix,                    \
                                           curveRows##suffix};

CurveRowsFound curveRowsBaseline(const float *values, int count, int half, int height, float zoom, double *rows,
                                 int *pixelRows)
{
    return curveRowsBody(values, count, half, height, zoom, rows, pixelRows);
}

VELMORA_KERNELS(Baseline, )
#ifdef VELMORA_X86
VELMORA_KERNELS(Avx2, [[gnu::target("avx2")]])
// Only the recurrence's sums, the work of the first frame after a change,
// have loops of their own for AVX-512F; the rest are the AVX2 ones.
constexpr FrameKernels kernelsAvx512{recurrence::startSinesAvx2, recurrence::rotateTermsAvx2,
                                     recurrence::accumulateTermsAvx512, exactTermsAvx2, curveRowsAvx2};
#endif

} // namespace

const FrameKernels &frameKernels(InstructionSet set)
{
#ifdef VELMORA_X86
    if (set == InstructionSet::Avx512 && cpuRuns(set))
        return kernelsAvx512;
    if (runsAvx2Loops(set))
        return kernelsAvx2;
#endif
    (void)set;
    return kernelsBaseline;
}
