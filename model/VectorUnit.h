#pragma once

#include <vector>

// The widest instruction set the frame loops are built for. Every x86-64 CPU
// runs Baseline; Avx2 (with fused multiply-add) runs where the CPU has it, and
// Avx512 (AVX-512F besides) where it has that too. All draw the same bits.
enum class InstructionSet { Baseline, Avx2, Avx512 };

// The widest set this CPU runs.
InstructionSet fastestInstructionSet();
bool cpuRuns(InstructionSet set);
// Whether the AVX2 loops run for a frame drawn in `set`: it asks for more than
// Baseline and the CPU has AVX2.
bool runsAvx2Loops(InstructionSet set);
// Every set this CPU runs, narrowest first.
std::vector<InstructionSet> runnableInstructionSets();

// Qt's AVX code returns with the upper halves of the vector registers in use;
// until they are cleared, every legacy SSE instruction after it waits on them.
// Called where our numeric code starts after a Qt call.
void clearUpperVectorHalves();
