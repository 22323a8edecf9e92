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

// Twice the sine's error also covers the rounding of ac · s and of the ends.
double termMargin(double ac, double error)
{
    return 2.0 * error * std::fabs(ac);
}

// Rounding to float is monotonic: when both ends of the interval round to the
// same float, so does everything between them. NaN or infinite ends never do.
int certainTermsFrom(int i, const double *s, int count, double ac, double margin, float *out, float *sum,
                     int *uncertain, int found)
{
    for (; i < count; ++i) {
        const double p = ac * s[i];
        const float lo = float(p - margin), hi = float(p + margin);
        const bool same = lo == hi;
        const float term = same ? lo : 0.0f;
        if (out)
            out[i] = term;
        if (sum)
            sum[i] = sum[i] + term;
        if (!same)
            uncertain[found++] = i;
    }
    return found;
}

#ifdef VELMORA_X86
// Four terms at a time; `same` holds a lane of ones where the term is certain.
[[gnu::always_inline]] inline void storeTerms(__m128 lo, __m128 same, int i, float *out, float *sum, int *uncertain,
                                              int &found)
{
    const __m128 term = _mm_and_ps(same, lo);
    if (out)
        _mm_storeu_ps(out + i, term);
    if (sum)
        _mm_storeu_ps(sum + i, _mm_add_ps(_mm_loadu_ps(sum + i), term));
    for (unsigned u = ~unsigned(_mm_movemask_ps(same)) & 0xFu; u != 0; u &= u - 1)
        uncertain[found++] = i + __builtin_ctz(u);
}

int certainTermsBaseline(const double *s, int count, double ac, double error, float *out, float *sum, int *uncertain)
{
    const double margin = termMargin(ac, error);
    const __m128d a = _mm_set1_pd(ac), m = _mm_set1_pd(margin);
    int found = 0, i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128d p0 = _mm_mul_pd(a, _mm_loadu_pd(s + i)), p1 = _mm_mul_pd(a, _mm_loadu_pd(s + i + 2));
        const __m128 lo = _mm_movelh_ps(_mm_cvtpd_ps(_mm_sub_pd(p0, m)), _mm_cvtpd_ps(_mm_sub_pd(p1, m)));
        const __m128 hi = _mm_movelh_ps(_mm_cvtpd_ps(_mm_add_pd(p0, m)), _mm_cvtpd_ps(_mm_add_pd(p1, m)));
        storeTerms(lo, _mm_cmpeq_ps(lo, hi), i, out, sum, uncertain, found);
    }
    return certainTermsFrom(i, s, count, ac, margin, out, sum, uncertain, found);
}

[[gnu::target("avx2")]] int certainTermsAvx2(const double *s, int count, double ac, double error, float *out,
                                             float *sum, int *uncertain)
{
    const double margin = termMargin(ac, error);
    const __m256d a = _mm256_set1_pd(ac), m = _mm256_set1_pd(margin);
    int found = 0, i = 0;
    // Eight at a time, so that the float half of the work fills a register.
    for (; i + 8 <= count; i += 8) {
        const __m256d p0 = _mm256_mul_pd(a, _mm256_loadu_pd(s + i)), p1 = _mm256_mul_pd(a, _mm256_loadu_pd(s + i + 4));
        const __m256 lo = _mm256_set_m128(_mm256_cvtpd_ps(_mm256_sub_pd(p1, m)), _mm256_cvtpd_ps(_mm256_sub_pd(p0, m)));
        const __m256 hi = _mm256_set_m128(_mm256_cvtpd_ps(_mm256_add_pd(p1, m)), _mm256_cvtpd_ps(_mm256_add_pd(p0, m)));
        const __m256 same = _mm256_cmp_ps(lo, hi, _CMP_EQ_OQ);
        const __m256 term = _mm256_and_ps(same, lo);
        if (out)
            _mm256_storeu_ps(out + i, term);
        if (sum)
            _mm256_storeu_ps(sum + i, _mm256_add_ps(_mm256_loadu_ps(sum + i), term));
        for (unsigned u = ~unsigned(_mm256_movemask_ps(same)) & 0xFFu; u != 0; u &= u - 1)
            uncertain[found++] = i + __builtin_ctz(u);
    }
    for (; i + 4 <= count; i += 4) {
        const __m256d p = _mm256_mul_pd(a, _mm256_loadu_pd(s + i));
        const __m128 lo = _mm256_cvtpd_ps(_mm256_sub_pd(p, m)), hi = _mm256_cvtpd_ps(_mm256_add_pd(p, m));
        storeTerms(lo, _mm_cmpeq_ps(lo, hi), i, out, sum, uncertain, found);
    }
    return certainTermsFrom(i, s, count, ac, margin, out, sum, uncertain, found);
}
#else
int certainTermsBaseline(const double *s, int count, double ac, double error, float *out, float *sum, int *uncertain)
{
    return certainTermsFrom(0, s, count, ac, termMargin(ac, error), out, sum, uncertain, 0);
}
#endif

// The bodies below are inlined into one function per instruction set, so that
// the compiler vectorises them for that set; the arithmetic is the same scalar
// sequence either way.
[[gnu::always_inline]] inline void rotateBody(const double *s, double *c, double *next, const double *s1,
                                              const double *c1, int count)
{
    for (int i = 0; i < count; ++i) {
        const double sk = s[i], ck = c[i];
        next[i] = sk * c1[i] + ck * s1[i];
        c[i] = ck * c1[i] - sk * s1[i];
    }
}

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

// The pixel rows and the largest step between them, once every row is known
// to lie in the picture.
[[gnu::always_inline]] inline int pixelRowsOf(const double *rows, int count, int half, int *pixelRows)
{
    for (int i = 0; i < count; ++i)
        pixelRows[i] = int(rows[i]);
    int steepest = count > 0 ? std::abs(pixelRows[0] - half) : 0;
    for (int i = 1; i < count; ++i)
        steepest = std::max(steepest, std::abs(pixelRows[i] - pixelRows[i - 1]));
    return steepest;
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
// The same rows four at a time: rounding half to even is one instruction here,
// and gives the bits of wavemath::roundHalfEven for every double.
[[gnu::target("avx2")]] CurveRowsFound curveRowsAvx2(const float *values, int count, int half, int height, float zoom,
                                                     double *rows, int *pixelRows)
{
    const __m256d h = _mm256_set1_pd(double(half)), z = _mm256_set1_pd(double(zoom)), one = _mm256_set1_pd(1.0);
    const __m256d bottom = _mm256_set1_pd(double(height)), zero = _mm256_setzero_pd();
    __m256d offAxis = zero, inside = _mm256_cmp_pd(zero, zero, _CMP_EQ_OQ);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256d d = _mm256_cvtps_pd(_mm_loadu_ps(values + i));
        const __m256d v = _mm256_mul_pd(h, _mm256_sub_pd(one, _mm256_mul_pd(d, z)));
        const __m256d rounded = _mm256_round_pd(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
        const __m256d r = _mm256_blendv_pd(rounded, h, _mm256_cmp_pd(v, v, _CMP_UNORD_Q));
        _mm256_storeu_pd(rows + i, r);
        offAxis = _mm256_or_pd(offAxis, _mm256_cmp_pd(r, h, _CMP_NEQ_UQ));
        inside = _mm256_and_pd(inside, _mm256_cmp_pd(r, zero, _CMP_GE_OQ));
        inside = _mm256_and_pd(inside, _mm256_cmp_pd(r, bottom, _CMP_LT_OQ));
    }
    bool onAxis = _mm256_movemask_pd(offAxis) == 0, inPicture = _mm256_movemask_pd(inside) == 0xF;
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
    attribute void rotate##suffix(const double *s, double *c, double *next, const double *s1, const double *c1,        \
                                  int count)                                                                           \
    {                                                                                                                  \
        rotateBody(s, c, next, s1, c1, count);                                                                         \
    }                                                                                                                  \
    attribute void exactTerms##suffix(const double *s, int count, double ac, float *out, float *sum)                   \
    {                                                                                                                  \
        exactTermsBody(s, count, ac, out, sum);                                                                        \
    }                                                                                                                  \
    constexpr FrameKernels kernels##suffix{certainTerms##suffix, exactTerms##suffix, rotate##suffix, curveRows##suffix};

CurveRowsFound curveRowsBaseline(const float *values, int count, int half, int height, float zoom, double *rows,
                                 int *pixelRows)
{
    return curveRowsBody(values, count, half, height, zoom, rows, pixelRows);
}

VELMORA_KERNELS(Baseline, )
#ifdef VELMORA_X86
VELMORA_KERNELS(Avx2, [[gnu::target("avx2")]])
#endif

} // namespace

const FrameKernels &frameKernels(InstructionSet set)
{
#ifdef VELMORA_X86
    if (set == InstructionSet::Avx2 && cpuRuns(set))
        return kernelsAvx2;
#endif
    (void)set;
    return kernelsBaseline;
}
