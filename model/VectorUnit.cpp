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
    static const bool avx512 = avx2 && __builtin_cpu_supports("avx512f");
    switch (set) {
    case InstructionSet::Baseline:
        return true;
    case InstructionSet::Avx2:
        return avx2;
    case InstructionSet::Avx512:
        return avx512;
    }
    return false;
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

bool runsAvx2Loops(InstructionSet set)
{
    return set != InstructionSet::Baseline && cpuRuns(InstructionSet::Avx2);
}

std::vector<InstructionSet> runnableInstructionSets()
{
    std::vector<InstructionSet> sets;
    for (const InstructionSet set : {InstructionSet::Baseline, InstructionSet::Avx2, InstructionSet::Avx512})
        if (cpuRuns(set))
            sets.push_back(set);
    return sets;
}

InstructionSet fastestInstructionSet()
{
    return runnableInstructionSets().back();
}
