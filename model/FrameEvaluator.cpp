#include "model/FrameEvaluator.h"

#include "model/WaveMath.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

void prefetchLines(const double *values, std::size_t count)
{
    constexpr std::size_t PerLine = 64 / sizeof(double);
    for (std::size_t i = 0; i < count; i += PerLine)
        __builtin_prefetch(values + i);
}

} // namespace

FrameEvaluator::FrameEvaluator(InstructionSet set)
    : kernels_(frameKernels(set))
{
}

void FrameEvaluator::prepare(int modes, int width, int quality)
{
    if (modes == modes_ && width == width_ && quality == quality_) {
        learnExactSines();
        return;
    }
    modes_ = modes;
    width_ = width;
    quality_ = quality;
    const std::size_t q = std::size_t(quality);
    x_.resize(q);
    pixelX_.resize(q);
    angle1_.resize(q);
    sin1_.resize(q);
    cos1_.resize(q);
    for (std::size_t i = 0; i < q; ++i) {
        x_[i] = wavemath::columnX(width, int(i) + 1, quality);
        pixelX_[i] = roundToInt(x_[i], INT_MIN, INT_MAX, 0);
        const long long step = (long long)pixelX_[i] - (i > 0 ? pixelX_[i - 1] : 0);
        widestColumnStep_ = int(std::min<long long>(std::max<long long>(i > 0 ? widestColumnStep_ : 0, step), INT_MAX));
        angle1_[i] = wavemath::modeAngle(1, width, x_[i]);
    }
    kernels_.startSines(angle1_.data(), quality, sin1_.data(), cos1_.data());
    ModeRecurrence columns = recurrence();
    recurrence::chooseChebyshevColumns(columns);
    chebyshevBegin_ = columns.chebyshevBegin;
    chebyshevEnd_ = columns.chebyshevEnd;
    nextMode_ = 0;
    learntModes_ = 0;
    table_.clear();
    const std::size_t entries = std::size_t(modes) * q;
    keepsTable_ = entries > 0 && entries <= MaxTableEntries;
    // Reserved, not written: the first frame after a change learns nothing,
    // so that it costs no more than the recurrence.
    if (keepsTable_)
        table_.reserve(entries);
    else
        table_.shrink_to_fit();
}

void FrameEvaluator::setFrameInterval(int milliseconds)
{
    constexpr std::size_t SinesPerMillisecond = 2048;
    const std::size_t upTo = std::size_t(std::clamp(milliseconds, 0, 1 << 20)) * SinesPerMillisecond;
    sinesPerFrame_ = std::clamp(upTo, ExactSinesPerFrame, MostSinesPerFrame);
}

void FrameEvaluator::learnExactSines()
{
    if (!keepsTable_ || learntModes_ >= modes_)
        return;
    const std::size_t q = std::size_t(quality_);
    for (std::size_t learnt = 0; learntModes_ < modes_ && learnt < sinesPerFrame_; learnt += q) {
        const int k = ++learntModes_;
        for (std::size_t i = 0; i < q; ++i)
            table_.push_back(wavemath::modeSine(k, width_, x_[i]));
    }
    learntCos_.resize(q);
    for (std::size_t i = 0; i < q; ++i)
        learntCos_[i] = std::cos(wavemath::modeAngle(learntModes_, width_, x_[i]));
}

bool FrameEvaluator::recurrenceReaches(int k)
{
    if (k != learntModes_ + 1)
        return k >= 1 && k == nextMode_;
    // Mode 0's sines and cosines are exact, and so are the learnt ones.
    if (learntModes_ == 0) {
        sinK_.assign(std::size_t(quality_), 0.0);
        cosK_.assign(std::size_t(quality_), 1.0);
    } else {
        const auto row = table_.cbegin() + std::ptrdiff_t(learntModes_ - 1) * quality_;
        sinK_.assign(row, row + quality_);
        cosK_ = learntCos_;
    }
    recurrence::enterChebyshevColumns(recurrence());
    nextMode_ = k;
    return true;
}

ModeRecurrence FrameEvaluator::recurrence()
{
    return {sinK_.data(), cosK_.data(), sin1_.data(), cos1_.data(),    x_.data(),
            width_,       quality_,     SineError,    chebyshevBegin_, chebyshevEnd_};
}

void FrameEvaluator::evaluateMode(int k, double ac, float *row, float *sum)
{
    const int q = quality_;
    if (k >= 1 && k <= learntModes_) {
        const double *sines = table_.data() + std::size_t(k - 1) * std::size_t(q);
        kernels_.exactTerms(sines, q, ac, row, sum);
        // A mode's row is drawn before the next is asked for, and in the
        // program the table has mostly left the caches by then: the next
        // mode's sines are fetched while this one is drawn.
        if (row && k < learntModes_)
            prefetchLines(sines + q, std::size_t(q));
    } else if (!recurrenceReaches(k)) {
        for (int i = 0; i < q; ++i) {
            const float term = wavemath::modeValue(ac, wavemath::modeSine(k, width_, x_[std::size_t(i)]));
            if (row)
                row[i] = term;
            if (sum)
                sum[i] = sum[i] + term;
        }
    } else {
        // Turned on to mode k even when no term is wanted.
        if (row || !sum)
            kernels_.rotateTerms(recurrence(), k, ac, row, sum);
        else
            kernels_.accumulateTerms(recurrence(), k, &ac, 1, sum);
        nextMode_ = k + 1;
    }
}

void FrameEvaluator::accumulateModes(int firstK, int count, const double *acs, float *sum)
{
    int k = firstK;
    const int end = firstK + count;
    for (; k < end && k >= 1 && k <= learntModes_; ++k)
        evaluateMode(k, acs[k - firstK], nullptr, sum);
    if (k < end && recurrenceReaches(k)) {
        kernels_.accumulateTerms(recurrence(), k, acs + (k - firstK), end - k, sum);
        nextMode_ = end;
        return;
    }
    for (; k < end; ++k)
        evaluateMode(k, acs[k - firstK], nullptr, sum);
}
