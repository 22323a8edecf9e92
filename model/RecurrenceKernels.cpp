#include "model/RecurrenceKernels.h"

#include "model/WaveMath.h"

#include <cmath>

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

float libraryTerm(const ModeRecurrence &r, int k, int i, double ac)
{
    return wavemath::modeValue(ac, wavemath::modeSine(k, r.width, r.x[i]));
}

// sum + t for a term t known only to lie in [lo, hi]. Float addition is
// monotonic: when both ends leave the sum as it is, so does every t between.
float addUncertain(const ModeRecurrence &r, int k, int i, double ac, float sum, float lo, float hi)
{
    if (sum + lo == sum && sum + hi == sum)
        return sum;
    return sum + libraryTerm(r, k, i, ac);
}

// The uncertain lanes (bits) of the columns from i. Their sums hold no term of
// this mode yet: one that went in as 0 left a sum's bits as they were, as no
// sum is ever −0.
void settle(const ModeRecurrence &r, int k, int i, double ac, unsigned lanes, const float *lo, const float *hi,
            float *out, float *sum)
{
    for (; lanes != 0; lanes &= lanes - 1) {
        const int j = __builtin_ctz(lanes);
        if (out) {
            out[j] = libraryTerm(r, k, i + j, ac);
            if (sum)
                sum[j] = sum[j] + out[j];
        } else if (sum) {
            sum[j] = addUncertain(r, k, i + j, ac, sum[j], lo[j], hi[j]);
        }
    }
}

// Column i turned on to mode k with plain arithmetic, and its term given.
// Rounding to float is monotonic: when both ends of the interval round to the
// same float, so does everything between them. NaN or infinite ends never do.
void columnTerm(const ModeRecurrence &r, int k, int i, double ac, double margin, float *out, float *sum)
{
    const double sk = r.sin[i], ck = r.cos[i];
    const double s = sk * r.cos1[i] + ck * r.sin1[i];
    r.cos[i] = ck * r.cos1[i] - sk * r.sin1[i];
    r.sin[i] = s;
    const double p = ac * s;
    const float lo = float(p - margin), hi = float(p + margin);
    // A zero's sign is left to the library, as in sameFloats below.
    if (lo == hi && lo != 0.0f) {
        if (out)
            out[i] = lo;
        if (sum)
            sum[i] = sum[i] + lo;
        return;
    }
    settle(r, k, i, ac, 1u, &lo, &hi, out ? out + i : nullptr, sum ? sum + i : nullptr);
}

#ifdef VELMORA_X86
// Lanes of ones where lo and hi are the same float and not zero: a zero's
// sign follows the library's sine, which the recurrence's may not share next
// to a node. A term passed on by itself must keep it; a sum never shows it.
[[gnu::always_inline]] inline __m128 sameFloats(__m128 lo, __m128 hi)
{
    return _mm_and_ps(_mm_cmpeq_ps(lo, hi), _mm_cmpneq_ps(lo, _mm_setzero_ps()));
}

// Four columns' terms: `same` holds a lane of ones where lo and hi agree.
[[gnu::always_inline]] inline void settleLanes(const ModeRecurrence &r, int k, int i, double ac, __m128 lo, __m128 hi,
                                               __m128 same, float *out, float *sum)
{
    const unsigned lanes = ~unsigned(_mm_movemask_ps(same)) & 0xFu;
    if (lanes == 0) [[likely]]
        return;
    float los[4], his[4];
    _mm_storeu_ps(los, lo);
    _mm_storeu_ps(his, hi);
    settle(r, k, i, ac, lanes, los, his, out, sum);
}

[[gnu::always_inline]] inline void storeTerms(__m128 term, int i, float *out, float *sum)
{
    if (out)
        _mm_storeu_ps(out + i, term);
    if (sum)
        _mm_storeu_ps(sum + i, _mm_add_ps(_mm_loadu_ps(sum + i), term));
}

// Two columns of columnTerm's recurrence; gives ac · s.
[[gnu::always_inline]] inline __m128d rotate2(const ModeRecurrence &r, int i, __m128d a)
{
    const __m128d sk = _mm_loadu_pd(r.sin + i), ck = _mm_loadu_pd(r.cos + i);
    const __m128d s1 = _mm_loadu_pd(r.sin1 + i), c1 = _mm_loadu_pd(r.cos1 + i);
    const __m128d next = _mm_add_pd(_mm_mul_pd(sk, c1), _mm_mul_pd(ck, s1));
    _mm_storeu_pd(r.sin + i, next);
    _mm_storeu_pd(r.cos + i, _mm_sub_pd(_mm_mul_pd(ck, c1), _mm_mul_pd(sk, s1)));
    return _mm_mul_pd(a, next);
}
#endif

} // namespace

namespace recurrence {

void rotateTermsBaseline(const ModeRecurrence &r, int k, double ac, float *out, float *sum)
{
    const double margin = termMargin(ac, r.error);
    int i = 0;
#ifdef VELMORA_X86
    const __m128d a = _mm_set1_pd(ac), m = _mm_set1_pd(margin);
    for (; i + 4 <= r.columns; i += 4) {
        const __m128d p0 = rotate2(r, i, a), p1 = rotate2(r, i + 2, a);
        const __m128 lo = _mm_movelh_ps(_mm_cvtpd_ps(_mm_sub_pd(p0, m)), _mm_cvtpd_ps(_mm_sub_pd(p1, m)));
        const __m128 hi = _mm_movelh_ps(_mm_cvtpd_ps(_mm_add_pd(p0, m)), _mm_cvtpd_ps(_mm_add_pd(p1, m)));
        const __m128 same = sameFloats(lo, hi);
        storeTerms(_mm_and_ps(same, lo), i, out, sum);
        settleLanes(r, k, i, ac, lo, hi, same, out ? out + i : nullptr, sum ? sum + i : nullptr);
    }
#endif
    for (; i < r.columns; ++i)
        columnTerm(r, k, i, ac, margin, out, sum);
}

void accumulateTermsBaseline(const ModeRecurrence &r, int firstK, const double *acs, int count, float *sum)
{
    for (int j = 0; j < count; ++j)
        rotateTermsBaseline(r, firstK + j, acs[j], nullptr, sum);
}

#ifdef VELMORA_X86
namespace {

// Mode k's sines and cosines at four columns from mode k − 1's. Fused
// multiply-adds keep the work off the adders, which the terms need.
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void rotate4(__m256d &s, __m256d &c, __m256d s1, __m256d c1)
{
    const __m256d next = _mm256_fmadd_pd(s, c1, _mm256_mul_pd(c, s1));
    c = _mm256_fmsub_pd(c, c1, _mm256_mul_pd(s, s1));
    s = next;
}

// The ends ac·s ∓ margin of four terms, each rounded once.
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void termEnds(__m256d s, __m256d a, __m256d m, __m128 &lo,
                                                                     __m128 &hi)
{
    lo = _mm256_cvtpd_ps(_mm256_fmsub_pd(a, s, m));
    hi = _mm256_cvtpd_ps(_mm256_fmadd_pd(a, s, m));
}

// `Modes` modes in turn at each group of eight columns, so that the sines,
// the cosines and the sums are loaded and stored once for all of them.
template <int Modes>
[[gnu::target("avx2,fma")]] void accumulateModes(const ModeRecurrence &r, int firstK, const double *acs, float *sum)
{
    __m256d a[Modes], m[Modes];
    double margins[Modes];
    for (int b = 0; b < Modes; ++b) {
        margins[b] = termMargin(acs[b], r.error);
        a[b] = _mm256_set1_pd(acs[b]);
        m[b] = _mm256_set1_pd(margins[b]);
    }
    // Locals, as the stores below might otherwise be taken to change r.
    double *const sines = r.sin, *const cosines = r.cos;
    const double *const sin1 = r.sin1, *const cos1 = r.cos1;
    const int columns = r.columns;
    int i = 0;
    for (; i + 8 <= columns; i += 8) {
        __m256d s0 = _mm256_loadu_pd(sines + i), c0 = _mm256_loadu_pd(cosines + i);
        __m256d s1 = _mm256_loadu_pd(sines + i + 4), c1 = _mm256_loadu_pd(cosines + i + 4);
        const __m256d u0 = _mm256_loadu_pd(sin1 + i), v0 = _mm256_loadu_pd(cos1 + i);
        const __m256d u1 = _mm256_loadu_pd(sin1 + i + 4), v1 = _mm256_loadu_pd(cos1 + i + 4);
        __m256 acc = _mm256_loadu_ps(sum + i);
#pragma GCC unroll 4
        for (int b = 0; b < Modes; ++b) {
            rotate4(s0, c0, u0, v0);
            rotate4(s1, c1, u1, v1);
            __m128 lo0, hi0, lo1, hi1;
            termEnds(s0, a[b], m[b], lo0, hi0);
            termEnds(s1, a[b], m[b], lo1, hi1);
            const __m256 lo = _mm256_set_m128(lo1, lo0), hi = _mm256_set_m128(hi1, hi0);
            const __m256 same = _mm256_cmp_ps(lo, hi, _CMP_EQ_OQ);
            acc = _mm256_add_ps(acc, _mm256_and_ps(same, lo));
            if (_mm256_movemask_ps(same) != 0xFF) [[unlikely]] {
                // Most uncertain terms are sines next to a node, too small to
                // change their sums: addUncertain's test, eight at a time.
                const __m256 keeps = _mm256_and_ps(_mm256_cmp_ps(_mm256_add_ps(acc, lo), acc, _CMP_EQ_OQ),
                                                   _mm256_cmp_ps(_mm256_add_ps(acc, hi), acc, _CMP_EQ_OQ));
                const unsigned lanes = ~unsigned(_mm256_movemask_ps(_mm256_or_ps(same, keeps))) & 0xFFu;
                if (lanes == 0)
                    continue;
                float sums[8], los[8], his[8];
                _mm256_storeu_ps(sums, acc);
                _mm256_storeu_ps(los, lo);
                _mm256_storeu_ps(his, hi);
                settle(r, firstK + b, i, acs[b], lanes, los, his, nullptr, sums);
                acc = _mm256_loadu_ps(sums);
            }
        }
        _mm256_storeu_pd(sines + i, s0);
        _mm256_storeu_pd(cosines + i, c0);
        _mm256_storeu_pd(sines + i + 4, s1);
        _mm256_storeu_pd(cosines + i + 4, c1);
        _mm256_storeu_ps(sum + i, acc);
    }
    for (; i < columns; ++i)
        for (int b = 0; b < Modes; ++b)
            columnTerm(r, firstK + b, i, acs[b], margins[b], nullptr, sum);
}

} // namespace

[[gnu::target("avx2,fma")]] void rotateTermsAvx2(const ModeRecurrence &r, int k, double ac, float *out, float *sum)
{
    const double margin = termMargin(ac, r.error);
    const __m256d a = _mm256_set1_pd(ac), m = _mm256_set1_pd(margin);
    int i = 0;
    for (; i + 4 <= r.columns; i += 4) {
        __m256d s = _mm256_loadu_pd(r.sin + i), c = _mm256_loadu_pd(r.cos + i);
        rotate4(s, c, _mm256_loadu_pd(r.sin1 + i), _mm256_loadu_pd(r.cos1 + i));
        _mm256_storeu_pd(r.sin + i, s);
        _mm256_storeu_pd(r.cos + i, c);
        __m128 lo, hi;
        termEnds(s, a, m, lo, hi);
        const __m128 same = sameFloats(lo, hi);
        storeTerms(_mm_and_ps(same, lo), i, out, sum);
        settleLanes(r, k, i, ac, lo, hi, same, out ? out + i : nullptr, sum ? sum + i : nullptr);
    }
    for (; i < r.columns; ++i)
        columnTerm(r, k, i, ac, margin, out, sum);
}

[[gnu::target("avx2,fma")]] void accumulateTermsAvx2(const ModeRecurrence &r, int firstK, const double *acs, int count,
                                                     float *sum)
{
    int j = 0;
    for (; j + 4 <= count; j += 4)
        accumulateModes<4>(r, firstK + j, acs + j, sum);
    for (; j < count; ++j)
        accumulateModes<1>(r, firstK + j, acs + j, sum);
}
#endif

} // namespace recurrence
