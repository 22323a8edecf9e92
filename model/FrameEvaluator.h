#pragma once
#include "model/FrameKernels.h"

#include <cstddef>
#include <vector>

// Evaluates the modes of the string at the Q columns of a frame, giving the
// bits of the call-by-call formulas without their cost. The sine of each
// (mode, column) pair comes from the angle-addition recurrence, close enough
// to the library's sine that almost every term (float)(A·c·sin) is already
// certain; the rare uncertain one is computed by the formula. The sines are
// kept between frames, while the mode count, width and quality stay the
// same, up to a size bound; beyond it each frame runs the recurrence again.
// A table learns the library's sine of each pair found uncertain once, and
// at each frame that finds it kept, the library's sines of a few more modes,
// whose terms then need no certainty test.
class FrameEvaluator {
public:
    static constexpr std::size_t MaxTableEntries = std::size_t(1) << 20; // 8 MiB of doubles
    // A bound on how far the recurrence's sine lies from the library's: it
    // drifts by about 1e-12 over 1000 multiples of an angle up to π.
    static constexpr double SineError = 0x1p-38;

    explicit FrameEvaluator(InstructionSet set = fastestInstructionSet());

    // Library sines learnt at each frame that finds its table kept (whole
    // modes, at least one): 8192 take about 0.1 ms here, and 999 modes at
    // quality 1000 are all learnt after some 120 frames.
    static constexpr std::size_t ExactSinesPerFrame = 8192;

    // Columns 1..Q of a picture `width` wide, for modes 1..modes; called
    // once a frame.
    void prepare(int modes, int width, int quality);

    int quality() const { return quality_; }
    const FrameKernels &kernels() const { return kernels_; }
    const std::vector<int> &pixelColumns() const { return pixelX_; }
    // The largest step between neighbouring pixel columns, the first from 0.
    int widestColumnStep() const { return widestColumnStep_; }
    bool usesTable() const { return !table_.empty(); }

    // Mode k's displacement at column i, given Amplitudes[k]·c_k, goes to
    // row[i - 1] and is added to sum[i - 1] in single precision; either pointer
    // may be null. Fastest with k = 1, 2, 3, ... in turn, as a frame asks.
    void evaluateMode(int k, double amplitudeTimesCos, float *row, float *sum);
    void modeRow(int k, double amplitudeTimesCos, float *out) { evaluateMode(k, amplitudeTimesCos, out, nullptr); }
    void accumulateMode(int k, double amplitudeTimesCos, float *sum)
    {
        evaluateMode(k, amplitudeTimesCos, nullptr, sum);
    }

private:
    // The recurrence's sines of mode k, or null if k is not the next mode.
    const double *approximateSines(int k);
    void learnExactSines();

    const FrameKernels &kernels_;
    int modes_ = -1;
    int width_ = -1;
    int quality_ = -1;
    std::vector<float> x_;
    std::vector<int> pixelX_;
    int widestColumnStep_ = 0;
    std::vector<double> sin1_, cos1_; // of the column's angle πx/W
    std::vector<double> table_;       // modes × columns
    // Whether a table entry holds the library's sine, found where a term was
    // uncertain, so that the next frame needs no library call there.
    std::vector<bool> exact_;
    // The modes 1..exactModes_ whose every entry holds the library's sine.
    int exactModes_ = 0;
    // Without a table: the sines and cosines of mode nextMode_ − 1.
    std::vector<double> sinK_, cosK_;
    int nextMode_ = 1;
    std::vector<int> uncertain_;
};
