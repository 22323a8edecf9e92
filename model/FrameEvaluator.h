#pragma once
#include "model/FrameKernels.h"

#include <cstddef>
#include <vector>

// Evaluates the modes of the string at the Q columns of a frame. The sine of
// each (mode, column) pair does not depend on the time, so it is kept between
// frames while the mode count, width and quality stay the same; a frame then
// costs one multiplication per pair. Beyond a size bound the sines are computed
// on the fly. Either way the values equal the call-by-call formulas bit for bit.
class FrameEvaluator {
public:
    static constexpr std::size_t MaxTableEntries = std::size_t(1) << 22; // 32 MiB of doubles

    explicit FrameEvaluator(InstructionSet set = fastestInstructionSet());

    // Columns 1..Q of a picture `width` wide, for modes 1..modes.
    void prepare(int modes, int width, int quality);

    int quality() const { return quality_; }
    const FrameKernels &kernels() const { return kernels_; }
    const std::vector<int> &pixelColumns() const { return pixelX_; }
    bool usesTable() const { return !table_.empty(); }

    // out[i - 1] = displacement of mode k at column i, given Amplitudes[k]·c_k.
    void modeRow(int k, double amplitudeTimesCos, float *out) const;
    // sum[i - 1] := sum[i - 1] + displacement of mode k, rounded to single.
    void accumulateMode(int k, double amplitudeTimesCos, float *sum) const;

private:
    const FrameKernels &kernels_;
    int modes_ = -1;
    int width_ = -1;
    int quality_ = -1;
    std::vector<float> x_;
    std::vector<int> pixelX_;
    std::vector<double> table_;
};
