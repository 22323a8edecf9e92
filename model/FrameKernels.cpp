#include "model/FrameKernels.h"

#include "model/WaveMath.h"

namespace {

// Each body is inlined into one function per instruction set, so that the
// compiler vectorises it for that set; the arithmetic is the same scalar
// sequence either way.
[[gnu::always_inline]] inline void scaleRowBody(const double *s, int count, double ac, float *out)
{
    for (int i = 0; i < count; ++i)
        out[i] = wavemath::modeValue(ac, s[i]);
}

[[gnu::always_inline]] inline void accumulateRowBody(const double *s, int count, double ac, float *sum)
{
    for (int i = 0; i < count; ++i)
        sum[i] = sum[i] + wavemath::modeValue(ac, s[i]);
}

[[gnu::always_inline]] inline void addRowBody(const float *row, int count, float *sum)
{
    for (int i = 0; i < count; ++i)
        sum[i] = sum[i] + row[i];
}

[[gnu::always_inline]] inline void curveRowsBody(const float *values, int count, int half, float zoom, double *rows)
{
    for (int i = 0; i < count; ++i)
        rows[i] = wavemath::curveRow(half, values[i], zoom);
}

#define VELMORA_KERNELS(suffix, attribute)                                                                             \
    attribute void scaleRow##suffix(const double *s, int count, double ac, float *out)                                 \
    {                                                                                                                  \
        scaleRowBody(s, count, ac, out);                                                                               \
    }                                                                                                                  \
    attribute void accumulateRow##suffix(const double *s, int count, double ac, float *sum)                            \
    {                                                                                                                  \
        accumulateRowBody(s, count, ac, sum);                                                                          \
    }                                                                                                                  \
    attribute void addRow##suffix(const float *row, int count, float *sum)                                             \
    {                                                                                                                  \
        addRowBody(row, count, sum);                                                                                   \
    }                                                                                                                  \
    attribute void curveRows##suffix(const float *values, int count, int half, float zoom, double *rows)               \
    {                                                                                                                  \
        curveRowsBody(values, count, half, zoom, rows);                                                                \
    }                                                                                                                  \
    constexpr FrameKernels kernels##suffix{scaleRow##suffix, accumulateRow##suffix, addRow##suffix, curveRows##suffix};

VELMORA_KERNELS(Baseline, )
#if defined(__x86_64__) && defined(__GNUC__)
VELMORA_KERNELS(Avx2, [[gnu::target("avx2")]])
#endif

} // namespace

const FrameKernels &frameKernels(InstructionSet set)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (set == InstructionSet::Avx2 && cpuRuns(set))
        return kernelsAvx2;
#endif
    (void)set;
    return kernelsBaseline;
}
