#pragma once
#include "model/FrameKernels.h"

#include <cstddef>
#include <vector>

// Evaluates the modes of the string at the Q columns of a frame, giving the
// bits of the call-by-call formulas without their cost. Each frame that finds
// the mode count, width and quality as they were learns the library's sines
// of a few more modes, up to a size bound, and keeps them; their terms are
// then one multiplication each. The sines of the other modes come from a
// recurrence, started where the learnt ones end. They are close enough to
// the library's that almost every term (float)(A·c·sin) is already certain;
// the rare uncertain one is computed by the formula.
class FrameEvaluator {
public:
    static constexpr std::size_t MaxTableEntries = std::size_t(1) << 20; // 8 MiB of doubles
    // A bound on how far the recurrence's sine lies from the library's. The
    // library rounds each mode's angle by itself, which alone puts its sines
    // up to about 1e-12 from any recurrence's (1.05e-12 the worst found); the
    // recurrences' own error is a few times 1e-13.
    static constexpr double SineError = 0x1p-38;

    explicit FrameEvaluator(InstructionSet set = fastestInstructionSet());

    // Library sines learnt at each frame that finds its table kept (whole
    // modes, at least one): 8192, with the last mode's cosines, take about
    // 0.2 ms here, and 999 modes at quality 1000 are all learnt after some
    // 110 frames when frames come 4 ms apart or less.
    static constexpr std::size_t ExactSinesPerFrame = 8192;
    // Frames that come this many milliseconds apart may learn more each:
    // 2048 sines a millisecond, some 5 % of the time between them here, at
    // least ExactSinesPerFrame and at most MostSinesPerFrame, so that a frame
    // drawn out of turn (a repaint while paused) stays short.
    void setFrameInterval(int milliseconds);
    static constexpr std::size_t MostSinesPerFrame = std::size_t(1) << 18;

    // Columns 1..Q of a picture `width` wide, for modes 1..modes; called
    // once a frame.
    void prepare(int modes, int width, int quality);

    int quality() const { return quality_; }
    const FrameKernels &kernels() const { return kernels_; }
    const std::vector<int> &pixelColumns() const { return pixelX_; }
    // The largest step between neighbouring pixel columns, the first from 0.
    int widestColumnStep() const { return widestColumnStep_; }
    // Whether the modes' library sines are being learnt and kept.
    bool usesTable() const { return keepsTable_; }
    int learntModes() const { return learntModes_; }

    // Mode k's displacement at column i, given Amplitudes[k]·c_k, goes to
    // row[i - 1] and is added to sum[i - 1] in single precision; either pointer
    // may be null. No sum may be −0 (sums started at +0 never are): a term
    // that cannot change a sum is left out. Fast only with k = 1, 2, 3, ... in
    // turn, once each, as a frame asks.
    void evaluateMode(int k, double amplitudeTimesCos, float *row, float *sum);
    void modeRow(int k, double amplitudeTimesCos, float *out) { evaluateMode(k, amplitudeTimesCos, out, nullptr); }
    // Modes firstK .. firstK + count − 1 added to sum in turn, given
    // Amplitudes[k]·c_k of each: the sum of evaluateMode's, faster.
    void accumulateModes(int firstK, int count, const double *amplitudesTimesCos, float *sum);

private:
    void learnExactSines();
    // Puts the recurrence at mode k − 1 where it can; false if it cannot.
    bool recurrenceReaches(int k);
    ModeRecurrence recurrence();

    const FrameKernels &kernels_;
    int modes_ = -1;
    int width_ = -1;
    int quality_ = -1;
    std::vector<float> x_;
    std::vector<int> pixelX_;
    int widestColumnStep_ = 0;
    std::vector<double> angle1_, sin1_, cos1_; // the column's angle πx/W
    int chebyshevBegin_ = 0, chebyshevEnd_ = 0;
    bool keepsTable_ = false;
    // The library's sines of modes 1..learntModes_, modes × columns.
    std::vector<double> table_;
    int learntModes_ = 0;
    std::size_t sinesPerFrame_ = ExactSinesPerFrame;
    // The library's cosines of mode learntModes_, where the recurrence starts.
    std::vector<double> learntCos_;
    // The recurrence's sines and cosines of mode nextMode_ − 1.
    std::vector<double> sinK_, cosK_;
    int nextMode_ = 0;
};
