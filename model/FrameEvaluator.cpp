#include "model/FrameEvaluator.h"

#include "model/WaveMath.h"

#include <climits>

FrameEvaluator::FrameEvaluator(InstructionSet set)
    : kernels_(frameKernels(set))
{
}

void FrameEvaluator::prepare(int modes, int width, int quality)
{
    if (modes == modes_ && width == width_ && quality == quality_)
        return;
    modes_ = modes;
    width_ = width;
    quality_ = quality;
    x_.resize(std::size_t(quality));
    pixelX_.resize(std::size_t(quality));
    for (int i = 1; i <= quality; ++i) {
        x_[i - 1] = wavemath::columnX(width, i, quality);
        pixelX_[i - 1] = roundToInt(x_[i - 1], INT_MIN, INT_MAX, 0);
    }
    table_.clear();
    const std::size_t entries = std::size_t(modes) * std::size_t(quality);
    if (entries == 0 || entries > MaxTableEntries) {
        table_.shrink_to_fit();
        return;
    }
    table_.resize(entries);
    double *s = table_.data();
    for (int k = 1; k <= modes; ++k)
        for (int i = 0; i < quality; ++i)
            *s++ = wavemath::modeSine(k, width, x_[i]);
}

void FrameEvaluator::modeRow(int k, double ac, float *out) const
{
    const int q = quality_;
    if (!table_.empty()) {
        kernels_.scaleRow(table_.data() + std::size_t(k - 1) * std::size_t(q), q, ac, out);
    } else {
        for (int i = 0; i < q; ++i)
            out[i] = wavemath::modeValue(ac, wavemath::modeSine(k, width_, x_[i]));
    }
}

void FrameEvaluator::accumulateMode(int k, double ac, float *sum) const
{
    const int q = quality_;
    if (!table_.empty()) {
        kernels_.accumulateRow(table_.data() + std::size_t(k - 1) * std::size_t(q), q, ac, sum);
    } else {
        for (int i = 0; i < q; ++i)
            sum[i] = sum[i] + wavemath::modeValue(ac, wavemath::modeSine(k, width_, x_[i]));
    }
}
