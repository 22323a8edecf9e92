#include "model/VectorUnit.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

bool hasAvx()
{
    static const bool has = __builtin_cpu_supports("avx");
    return has;
}

} // namespace

bool cpuRuns(InstructionSet set)
{
    static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return set == InstructionSet::Baseline || avx2;
}

void clearUpperVectorHalves()
{
    if (hasAvx())
        zeroUpper();
}

#else

bool cpuRuns(InstructionSet set)
{
    return set == InstructionSet::Baseline;
}

void clearUpperVectorHalves() { }

#endif

InstructionSet fastestInstructionSet()
{
    return cpuRuns(InstructionSet::Avx2) ? InstructionSet::Avx2 : InstructionSet::Baseline;
}
