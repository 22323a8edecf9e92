#include "model/RecurrenceKernels.h"

#include "model/WaveMath.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

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
// monotonic: when both ends give the same sum, so does every t between.
float addUncertain(const ModeRecurrence &r, int k, int i, double ac, float sum, float lo, float hi)
{
    const float low = sum + lo;
    if (low == sum + hi)
        return low;
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

// Whether the last column lies at x = W, where every mode has a node.
bool endsAtWidth(const ModeRecurrence &r)
{
    return r.columns > 0 && double(r.x[r.columns - 1]) == double(r.width);
}

// Mode k's term at x = W, or NaN when it is not certain.
float endColumnTerm(const ModeRecurrence &r, int k, double ac)
{
    const double p = ac * recurrence::endColumnSine(k, r.width);
    // The library's sine there lies under 2^-52 of it over 10^7 widths and
    // modes; the remainder of π leaves under 2^-140·k.
    const double margin = std::fabs(p) * 0x1p-48 + std::fabs(ac) * double(k) * 0x1p-140;
    const float lo = float(p - margin), hi = float(p + margin);
    return lo == hi && lo != 0.0f ? lo : std::numeric_limits<float>::quiet_NaN();
}

bool isChebyshev(const ModeRecurrence &r, int i)
{
    return i >= r.chebyshevBegin && i < r.chebyshevEnd;
}

// Column i turned on to mode k with plain arithmetic, and its term given.
// Rounding to float is monotonic: when both ends of the interval round to the
// same float, so does everything between them. NaN or infinite ends never do.
void columnTerm(const ModeRecurrence &r, int k, int i, double ac, double margin, float *out, float *sum)
{
    const double sk = r.sin[i], ck = r.cos[i];
    const bool chebyshev = isChebyshev(r, i);
    const double s = chebyshev ? 2.0 * r.cos1[i] * sk - ck : sk * r.cos1[i] + ck * r.sin1[i];
    r.cos[i] = chebyshev ? sk : ck * r.cos1[i] - sk * r.sin1[i];
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
[[gnu::always_inline]] inline __m128d turn2(const ModeRecurrence &r, int i, bool chebyshev, __m128d a)
{
    const __m128d sk = _mm_loadu_pd(r.sin + i), ck = _mm_loadu_pd(r.cos + i);
    const __m128d s1 = _mm_loadu_pd(r.sin1 + i), c1 = _mm_loadu_pd(r.cos1 + i);
    __m128d next;
    if (chebyshev) {
        next = _mm_sub_pd(_mm_mul_pd(_mm_add_pd(c1, c1), sk), ck);
        _mm_storeu_pd(r.cos + i, sk);
    } else {
        next = _mm_add_pd(_mm_mul_pd(sk, c1), _mm_mul_pd(ck, s1));
        _mm_storeu_pd(r.cos + i, _mm_sub_pd(_mm_mul_pd(ck, c1), _mm_mul_pd(sk, s1)));
    }
    _mm_storeu_pd(r.sin + i, next);
    return _mm_mul_pd(a, next);
}
#endif

} // namespace

namespace recurrence {

double endColumnSine(int k, int width)
{
    // π in pieces of at most 32 bits but the last, so that k·piece is exact
    // for every k below 2^21.
    constexpr double Pi1 = 0x1.921fb544p+1, Pi2 = 0x1.0b4611a6p-33, Pi3 = 0x1.3198a2ep-68, Pi4 = 0x1.b839a252049c1p-103;
    const float x = float(width);
    if (k < 1 || k >= 1 << 21 || double(x) != double(width))
        return std::numeric_limits<double>::quiet_NaN();
    const double kd = double(k);
    // The first difference is exact, the angle lying within a factor of 2 of
    // k·Pi1; sin(kπ + d) = (−1)^k·d to double precision where d is this small.
    const double d = (((wavemath::modeAngle(k, width, x) - kd * Pi1) - kd * Pi2) - kd * Pi3) - kd * Pi4;
    if (!(std::fabs(d) <= 0x1p-26))
        return std::numeric_limits<double>::quiet_NaN();
    return (k & 1) ? -d : d;
}

void startSinesBaseline(const double *angles, int count, double *sines, double *cosines)
{
    for (int i = 0; i < count; ++i) {
        sines[i] = std::sin(angles[i]);
        cosines[i] = std::cos(angles[i]);
    }
}

void chooseChebyshevColumns(ModeRecurrence &r)
{
    // The three-term recurrence's rounding, and that of cos θ, weigh 1/sin θ
    // times as much as the rotation's: where sin θ ≥ 1/4 its own error stays
    // a few times 1e-13, a fraction of the library's rounding of the angles.
    constexpr double SmallestSine = 0.25;
    int begin = 0;
    while (begin < r.columns && !(r.sin1[begin] >= SmallestSine))
        ++begin;
    int end = begin;
    while (end < r.columns && r.sin1[end] >= SmallestSine)
        ++end;
    // Whole groups of eight, as the kernels take them.
    r.chebyshevBegin = (begin + 7) / 8 * 8;
    r.chebyshevEnd = std::max(r.chebyshevBegin, end / 8 * 8);
}

void enterChebyshevColumns(const ModeRecurrence &r)
{
    for (int i = r.chebyshevBegin; i < r.chebyshevEnd; ++i)
        r.cos[i] = r.sin[i] * r.cos1[i] - r.cos[i] * r.sin1[i];
}

void rotateTermsBaseline(const ModeRecurrence &r, int k, double ac, float *out, float *sum)
{
    const double margin = termMargin(ac, r.error);
    int i = 0;
#ifdef VELMORA_X86
    const __m128d a = _mm_set1_pd(ac), m = _mm_set1_pd(margin);
    for (; i + 4 <= r.columns; i += 4) {
        const bool chebyshev = isChebyshev(r, i);
        const __m128d p0 = turn2(r, i, chebyshev, a), p1 = turn2(r, i + 2, chebyshev, a);
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

// Mode k's sines at four columns from mode k − 1's. `c` holds the cosines, or
// at three-term columns mode k − 2's sines, and `c1` then holds 2cos θ. Fused
// multiply-adds keep the work off the adders, which the terms need.
template <bool Chebyshev>
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void turn4(__m256d &s, __m256d &c, __m256d s1, __m256d c1)
{
    if constexpr (Chebyshev) {
        const __m256d next = _mm256_fmsub_pd(c1, s, c);
        c = s;
        s = next;
    } else {
        const __m256d next = _mm256_fmadd_pd(s, c1, _mm256_mul_pd(c, s1));
        c = _mm256_fmsub_pd(c, c1, _mm256_mul_pd(s, s1));
        s = next;
    }
}

template <bool Chebyshev> [[gnu::target("avx2,fma"), gnu::always_inline]] inline __m256d loadCos1(const double *cos1)
{
    const __m256d c1 = _mm256_loadu_pd(cos1);
    return Chebyshev ? _mm256_add_pd(c1, c1) : c1;
}

// The ends ac·s ∓ margin of four terms, each rounded once.
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void termEnds(__m256d s, __m256d a, __m256d m, __m128 &lo,
                                                                     __m128 &hi)
{
    lo = _mm256_cvtpd_ps(_mm256_fmsub_pd(a, s, m));
    hi = _mm256_cvtpd_ps(_mm256_fmadd_pd(a, s, m));
}

// What accumulateModes keeps for all its groups: copies of the recurrence's
// pointers, which the stores to the sums might otherwise be taken to change,
// and the modes it adds with each one's margin and, where the columns end at
// x = W, its term there (else null).
struct ModeBlock {
    double *sin, *cos;
    const double *sin1, *cos1;
    int firstK;
    int count;
    const double *acs;
    const double *margins;
    const float *ends;
};

// Mode firstK + b's terms at the eight columns from i, each known to lie in
// [lo, hi], added to their sums.
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void addTerms(const ModeRecurrence &r, const ModeBlock &block,
                                                                     int b, int i, __m256 lo, __m256 hi, __m256 &acc)
{
    const __m256 same = _mm256_cmp_ps(lo, hi, _CMP_EQ_OQ);
    if (_mm256_movemask_ps(same) == 0xFF) [[likely]] {
        acc = _mm256_add_ps(acc, lo);
        return;
    }
    acc = _mm256_add_ps(acc, _mm256_and_ps(same, lo));
    // Most uncertain terms are too small for their last bit to reach the
    // sum's: addUncertain's test, eight at a time. The uncertain lanes' sums
    // took 0 above and are as they were.
    const __m256 low = _mm256_add_ps(acc, lo), high = _mm256_add_ps(acc, hi);
    const __m256 settled = _mm256_andnot_ps(same, _mm256_cmp_ps(low, high, _CMP_EQ_OQ));
    acc = _mm256_blendv_ps(acc, low, settled);
    const unsigned lanes = ~unsigned(_mm256_movemask_ps(_mm256_or_ps(same, settled))) & 0xFFu;
    if (lanes == 0)
        return;
    float sums[8], los[8], his[8];
    _mm256_storeu_ps(sums, acc);
    _mm256_storeu_ps(los, lo);
    _mm256_storeu_ps(his, hi);
    settle(r, block.firstK + b, i, block.acs[b], lanes, los, his, nullptr, sums);
    acc = _mm256_loadu_ps(sums);
}

// The terms, each known to lie in [lo, hi], added to their sums by addTerms'
// second test alone, which a certain term passes too, and without a branch:
// a lane whose sum could still differ is marked in `unsettled`, and its group
// done again. At 999 modes and quality 1000 that was four groups a frame in
// the median of 600, 13 at most; a branch a term cost more.
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void addSettledTerms(__m256 lo, __m256 hi, __m256 &acc,
                                                                            __m256 &unsettled)
{
    const __m256 low = _mm256_add_ps(acc, lo);
    unsettled = _mm256_or_ps(unsettled, _mm256_cmp_ps(low, _mm256_add_ps(acc, hi), _CMP_NEQ_UQ));
    acc = low;
}

// The last lane of the group at x = W takes its term from `ends`.
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void takeEndTerm(const float *ends, int b, __m256 &lo,
                                                                        __m256 &hi)
{
    const __m256 end = _mm256_set1_ps(ends[b]);
    lo = _mm256_blend_ps(lo, end, 0x80);
    hi = _mm256_blend_ps(hi, end, 0x80);
}

// The block's modes in turn at the eight columns from i, with the sines, the
// cosines and the sums held in registers throughout. The group at x = W,
// EndGroup, takes its last lane's terms from the block's ends.
template <bool Chebyshev, bool EndGroup, bool Careful>
[[gnu::target("avx2,fma"), gnu::always_inline]] inline bool accumulateGroup(const ModeRecurrence &r,
                                                                            const ModeBlock &block, int i, float *sum)
{
    __m256d s0 = _mm256_loadu_pd(block.sin + i), c0 = _mm256_loadu_pd(block.cos + i);
    __m256d s1 = _mm256_loadu_pd(block.sin + i + 4), c1 = _mm256_loadu_pd(block.cos + i + 4);
    const __m256d u0 = _mm256_loadu_pd(block.sin1 + i), v0 = loadCos1<Chebyshev>(block.cos1 + i);
    const __m256d u1 = _mm256_loadu_pd(block.sin1 + i + 4), v1 = loadCos1<Chebyshev>(block.cos1 + i + 4);
    __m256 acc = _mm256_loadu_ps(sum + i), unsettled = _mm256_setzero_ps();
    // Two modes an iteration ran a few per cent faster here, with either set.
#pragma GCC unroll 2
    for (int b = 0; b < block.count; ++b) {
        const __m256d a = _mm256_broadcast_sd(block.acs + b), m = _mm256_broadcast_sd(block.margins + b);
        turn4<Chebyshev>(s0, c0, u0, v0);
        turn4<Chebyshev>(s1, c1, u1, v1);
        __m128 lo0, hi0, lo1, hi1;
        termEnds(s0, a, m, lo0, hi0);
        termEnds(s1, a, m, lo1, hi1);
        __m256 lo = _mm256_set_m128(lo1, lo0), hi = _mm256_set_m128(hi1, hi0);
        if constexpr (EndGroup)
            takeEndTerm(block.ends, b, lo, hi);
        if constexpr (Careful)
            addTerms(r, block, b, i, lo, hi, acc);
        else
            addSettledTerms(lo, hi, acc, unsettled);
    }
    if (!Careful && _mm256_movemask_ps(unsettled) != 0)
        return false;
    _mm256_storeu_pd(block.sin + i, s0);
    _mm256_storeu_pd(block.cos + i, c0);
    _mm256_storeu_pd(block.sin + i + 4, s1);
    _mm256_storeu_pd(block.cos + i + 4, c1);
    _mm256_storeu_ps(sum + i, acc);
    return true;
}

// The block's modes at the group with addSettledTerms, and again with
// addTerms where some term could not be settled so.
template <bool Chebyshev, bool EndGroup = false>
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void accumulateGroup(const ModeRecurrence &r,
                                                                            const ModeBlock &block, int i, float *sum)
{
    if (!accumulateGroup<Chebyshev, EndGroup, false>(r, block, i, sum)) [[unlikely]]
        accumulateGroup<Chebyshev, EndGroup, true>(r, block, i, sum);
}

// The columns left after the groups of eight, one at a time; the one at
// x = W takes its terms from `ends`, where given and certain.
void accumulateColumns(const ModeRecurrence &r, const ModeBlock &block, int i, float *sum)
{
    const float *ends = block.ends;
    for (; i < r.columns; ++i)
        for (int b = 0; b < block.count; ++b) {
            const int k = block.firstK + b;
            if (ends && i == r.columns - 1 && !std::isnan(ends[b])) {
                columnTerm(r, k, i, block.acs[b], block.margins[b], nullptr, nullptr);
                sum[i] = sum[i] + ends[b];
            } else {
                columnTerm(r, k, i, block.acs[b], block.margins[b], nullptr, sum);
            }
        }
}

// Modes to a block: enough that loading and storing each group's state once
// a block costs little, few enough for the margins and ends to sit on the
// stack.
constexpr int BlockModes = 256;

struct BlockStore {
    double margins[BlockModes];
    float ends[BlockModes];
};

ModeBlock makeBlock(const ModeRecurrence &r, int firstK, const double *acs, int count, BlockStore &store)
{
    for (int b = 0; b < count; ++b)
        store.margins[b] = termMargin(acs[b], r.error);
    const bool atWidth = endsAtWidth(r);
    if (atWidth)
        for (int b = 0; b < count; ++b)
            store.ends[b] = endColumnTerm(r, firstK + b, acs[b]);
    return {r.sin, r.cos, r.sin1, r.cos1, firstK, count, acs, store.margins, atWidth ? store.ends : nullptr};
}

// Where the groups of eight that need no end term stop: the group holding
// x = W, when it is a whole one, takes its last lane from the block's ends.
int plainGroupsEnd(const ModeRecurrence &r, const ModeBlock &block)
{
    return block.ends && r.columns % 8 == 0 ? r.columns - 8 : r.columns;
}

// Modes firstK .. firstK + count − 1 in blocks, each given to `accumulate`.
void accumulateInBlocks(const ModeRecurrence &r, int firstK, const double *acs, int count, float *sum,
                        void (*accumulate)(const ModeRecurrence &, const ModeBlock &, float *))
{
    for (int j = 0; j < count; j += BlockModes) {
        BlockStore store;
        accumulate(r, makeBlock(r, firstK + j, acs + j, std::min(BlockModes, count - j), store), sum);
    }
}

// Each group of eight columns turns through all of a block's modes before
// the next group starts, so that a mode loads nothing but its ac and margin.
[[gnu::target("avx2,fma")]] void accumulateModes(const ModeRecurrence &r, const ModeBlock &block, float *sum)
{
    const int plainEnd = plainGroupsEnd(r, block);
    int i = 0;
    for (; i + 8 <= plainEnd; i += 8) {
        if (isChebyshev(r, i))
            accumulateGroup<true>(r, block, i, sum);
        else
            accumulateGroup<false>(r, block, i, sum);
    }
    if (i + 8 <= r.columns) {
        if (isChebyshev(r, i))
            accumulateGroup<true, true>(r, block, i, sum);
        else
            accumulateGroup<false, true>(r, block, i, sum);
        i += 8;
    }
    accumulateColumns(r, block, i, sum);
}

// GCC 12 takes the undefined upper half _mm512_cvtpd_ps starts from for a
// value used uninitialised.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

// accumulateGroup's work with each group's eight columns in one register, so
// that each turn, end and conversion is one instruction where AVX2 takes two.
// One group's chain of turns alone ran about a fifth slower here than two side
// by side, which the fast path takes; the slow path and the end lane take one.
template <bool Chebyshev, bool EndGroup, bool Careful, int Groups = 1>
[[gnu::target("avx512f,avx2,fma"), gnu::always_inline]] inline bool
accumulateGroups512(const ModeRecurrence &r, const ModeBlock &block, int i, float *sum)
{
    static_assert(Groups == 1 || !(EndGroup || Careful));
    __m512d s[Groups], c[Groups], u[Groups], v[Groups];
    __m256 acc[Groups], unsettled = _mm256_setzero_ps();
    for (int g = 0; g < Groups; ++g) {
        const int at = i + 8 * g;
        s[g] = _mm512_loadu_pd(block.sin + at);
        c[g] = _mm512_loadu_pd(block.cos + at);
        u[g] = _mm512_loadu_pd(block.sin1 + at);
        const __m512d c1 = _mm512_loadu_pd(block.cos1 + at);
        v[g] = Chebyshev ? _mm512_add_pd(c1, c1) : c1;
        acc[g] = _mm256_loadu_ps(sum + at);
    }
#pragma GCC unroll 2
    for (int b = 0; b < block.count; ++b) {
        const __m512d a = _mm512_set1_pd(block.acs[b]), m = _mm512_set1_pd(block.margins[b]);
        for (int g = 0; g < Groups; ++g) {
            if constexpr (Chebyshev) {
                const __m512d next = _mm512_fmsub_pd(v[g], s[g], c[g]);
                c[g] = s[g];
                s[g] = next;
            } else {
                const __m512d next = _mm512_fmadd_pd(s[g], v[g], _mm512_mul_pd(c[g], u[g]));
                c[g] = _mm512_fmsub_pd(c[g], v[g], _mm512_mul_pd(s[g], u[g]));
                s[g] = next;
            }
            __m256 lo = _mm512_cvtpd_ps(_mm512_fmsub_pd(a, s[g], m));
            __m256 hi = _mm512_cvtpd_ps(_mm512_fmadd_pd(a, s[g], m));
            if constexpr (EndGroup)
                takeEndTerm(block.ends, b, lo, hi);
            if constexpr (Careful)
                addTerms(r, block, b, i, lo, hi, acc[g]);
            else
                addSettledTerms(lo, hi, acc[g], unsettled);
        }
    }
    if (!Careful && _mm256_movemask_ps(unsettled) != 0)
        return false;
    for (int g = 0; g < Groups; ++g) {
        const int at = i + 8 * g;
        _mm512_storeu_pd(block.sin + at, s[g]);
        _mm512_storeu_pd(block.cos + at, c[g]);
        _mm256_storeu_ps(sum + at, acc[g]);
    }
    return true;
}

template <bool Chebyshev, bool EndGroup = false>
[[gnu::target("avx512f,avx2,fma"), gnu::always_inline]] inline void
accumulateGroup512(const ModeRecurrence &r, const ModeBlock &block, int i, float *sum)
{
    if (!accumulateGroups512<Chebyshev, EndGroup, false>(r, block, i, sum)) [[unlikely]]
        accumulateGroups512<Chebyshev, EndGroup, true>(r, block, i, sum);
}

[[gnu::target("avx512f,avx2,fma"), gnu::always_inline]] inline void
accumulateGroup512(const ModeRecurrence &r, const ModeBlock &block, int i, float *sum, bool chebyshev)
{
    if (chebyshev)
        accumulateGroup512<true>(r, block, i, sum);
    else
        accumulateGroup512<false>(r, block, i, sum);
}

// The sixteen columns from i, all turning alike.
template <bool Chebyshev>
[[gnu::target("avx512f,avx2,fma"), gnu::always_inline]] inline void
accumulateGroupPair512(const ModeRecurrence &r, const ModeBlock &block, int i, float *sum)
{
    if (accumulateGroups512<Chebyshev, false, false, 2>(r, block, i, sum)) [[likely]]
        return;
    accumulateGroups512<Chebyshev, false, true>(r, block, i, sum);
    accumulateGroups512<Chebyshev, false, true>(r, block, i + 8, sum);
}

#pragma GCC diagnostic pop

// accumulateModes again, as accumulateTermsAvx512 below is accumulateTermsAvx2:
// a template shared by both is built for no instruction set of its own, and
// GCC will not inline either set's intrinsics into it.
[[gnu::target("avx512f,avx2,fma")]] void accumulateModes512(const ModeRecurrence &r, const ModeBlock &block, float *sum)
{
    const int plainEnd = plainGroupsEnd(r, block);
    int i = 0;
    for (; i + 16 <= plainEnd; i += 16) {
        const bool first = isChebyshev(r, i), second = isChebyshev(r, i + 8);
        if (first && second) {
            accumulateGroupPair512<true>(r, block, i, sum);
        } else if (!first && !second) {
            accumulateGroupPair512<false>(r, block, i, sum);
        } else {
            accumulateGroup512(r, block, i, sum, first);
            accumulateGroup512(r, block, i + 8, sum, second);
        }
    }
    for (; i + 8 <= plainEnd; i += 8)
        accumulateGroup512(r, block, i, sum, isChebyshev(r, i));
    if (i + 8 <= r.columns) {
        if (isChebyshev(r, i))
            accumulateGroup512<true, true>(r, block, i, sum);
        else
            accumulateGroup512<false, true>(r, block, i, sum);
        i += 8;
    }
    accumulateColumns(r, block, i, sum);
}

} // namespace

namespace {

// c[0]·z^(N−1) + … + c[N − 1], by Horner's rule.
template <std::size_t N>
[[gnu::target("avx2,fma"), gnu::always_inline]] inline __m256d polynomial(__m256d z, const double (&c)[N])
{
    __m256d p = _mm256_set1_pd(c[0]);
    for (std::size_t j = 1; j < N; ++j)
        p = _mm256_fmadd_pd(p, z, _mm256_set1_pd(c[j]));
    return p;
}

// sin and cos of four angles in [0, π]: the angle less the nearest multiple
// q of π/2, taken with π/2 in three pieces so that q·piece is exact, into the
// polynomials of sin and cos on [−π/4, π/4].
[[gnu::target("avx2,fma"), gnu::always_inline]] inline void startSines4(__m256d angle, __m256d &sine, __m256d &cosine)
{
    const __m256d q = _mm256_round_pd(_mm256_mul_pd(angle, _mm256_set1_pd(0x1.45f306dc9c883p-1)),
                                      _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    __m256d r = _mm256_fnmadd_pd(q, _mm256_set1_pd(0x1.921fb544p+0), angle);
    r = _mm256_fnmadd_pd(q, _mm256_set1_pd(0x1.0b4611a6p-34), r);
    r = _mm256_fnmadd_pd(q, _mm256_set1_pd(0x1.3198a2e037073p-69), r);
    const __m256d z = _mm256_mul_pd(r, r);
    const __m256d sinR = _mm256_fmadd_pd(
        _mm256_mul_pd(z, r),
        polynomial(z,
                   {1.58969099521155010221e-10, -2.50507602534068634195e-08, 2.75573137070700676789e-06,
                    -1.98412698298579493134e-04, 8.33333333332248946124e-03, -1.66666666666666324348e-01}),
        r);
    const __m256d cosTail
        = polynomial(z,
                     {-1.13596475577881948265e-11, 2.08757232129817482790e-09, -2.75573143513906633035e-07,
                      2.48015872894767294178e-05, -1.38888888888741095749e-03, 4.16666666666666019037e-02});
    // 1 − (z/2 − z²·tail): the small part first, so that one rounding is left.
    const __m256d cosR = _mm256_sub_pd(
        _mm256_set1_pd(1.0), _mm256_fmsub_pd(_mm256_set1_pd(0.5), z, _mm256_mul_pd(_mm256_mul_pd(z, z), cosTail)));
    // q = 0: (sin r, cos r); 1: (cos r, −sin r); 2: (−sin r, −cos r).
    const __m256d negative = _mm256_set1_pd(-0.0);
    const __m256d q1 = _mm256_cmp_pd(q, _mm256_set1_pd(1.0), _CMP_EQ_OQ);
    const __m256d q2 = _mm256_cmp_pd(q, _mm256_set1_pd(2.0), _CMP_EQ_OQ);
    const __m256d minusSin = _mm256_xor_pd(sinR, negative), minusCos = _mm256_xor_pd(cosR, negative);
    sine = _mm256_blendv_pd(_mm256_blendv_pd(sinR, cosR, q1), minusSin, q2);
    cosine = _mm256_blendv_pd(_mm256_blendv_pd(cosR, minusSin, q1), minusCos, q2);
}

} // namespace

[[gnu::target("avx2,fma")]] void startSinesAvx2(const double *angles, int count, double *sines, double *cosines)
{
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m256d sine, cosine;
        startSines4(_mm256_loadu_pd(angles + i), sine, cosine);
        _mm256_storeu_pd(sines + i, sine);
        _mm256_storeu_pd(cosines + i, cosine);
    }
    if (i == count)
        return;
    // The last few by the same polynomial, so that every column starts alike.
    double in[4] = {0, 0, 0, 0}, sine[4], cosine[4];
    std::copy(angles + i, angles + count, in);
    __m256d s, c;
    startSines4(_mm256_loadu_pd(in), s, c);
    _mm256_storeu_pd(sine, s);
    _mm256_storeu_pd(cosine, c);
    std::copy(sine, sine + (count - i), sines + i);
    std::copy(cosine, cosine + (count - i), cosines + i);
}

[[gnu::target("avx2,fma")]] void rotateTermsAvx2(const ModeRecurrence &r, int k, double ac, float *out, float *sum)
{
    const double margin = termMargin(ac, r.error);
    const __m256d a = _mm256_set1_pd(ac), m = _mm256_set1_pd(margin);
    int i = 0;
    for (; i + 4 <= r.columns; i += 4) {
        __m256d s = _mm256_loadu_pd(r.sin + i), c = _mm256_loadu_pd(r.cos + i);
        const __m256d s1 = _mm256_loadu_pd(r.sin1 + i);
        if (isChebyshev(r, i))
            turn4<true>(s, c, s1, loadCos1<true>(r.cos1 + i));
        else
            turn4<false>(s, c, s1, loadCos1<false>(r.cos1 + i));
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
    accumulateInBlocks(r, firstK, acs, count, sum, accumulateModes);
}

[[gnu::target("avx512f,avx2,fma")]] void accumulateTermsAvx512(const ModeRecurrence &r, int firstK, const double *acs,
                                                               int count, float *sum)
{
    accumulateInBlocks(r, firstK, acs, count, sum, accumulateModes512);
}
#endif

} // namespace recurrence
