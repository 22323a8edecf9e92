#include "model/FrameEvaluator.h"

#include "model/WaveMath.h"

#include <climits>
#include <cmath>

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
    sin1_.resize(q);
    cos1_.resize(q);
    for (std::size_t i = 0; i < q; ++i) {
        x_[i] = wavemath::columnX(width, int(i) + 1, quality);
        pixelX_[i] = roundToInt(x_[i], INT_MIN, INT_MAX, 0);
        const long long step = (long long)pixelX_[i] - (i > 0 ? pixelX_[i - 1] : 0);
        widestColumnStep_ = int(std::min<long long>(std::max<long long>(i > 0 ? widestColumnStep_ : 0, step), INT_MAX));
        // The formula's own angle for k = 1, so that mode 1's sines are exact.
        const double angle = (wavemath::Pi * double(x_[i]) * 1.0) / double(width);
        sin1_[i] = std::sin(angle);
        cos1_[i] = std::cos(angle);
    }
    uncertain_.resize(q);
    nextMode_ = 1;
    exact_.clear();
    exactModes_ = 0;
    const std::size_t entries = std::size_t(modes) * q;
    if (entries == 0 || entries > MaxTableEntries) {
        table_.clear();
        table_.shrink_to_fit();
        return;
    }
    // Every entry is written below: a table of the same size as the last one
    // (a new width) is reused without being cleared first.
    table_.resize(entries);
    exact_.assign(entries, false);
    cosK_ = cos1_;
    std::copy(sin1_.cbegin(), sin1_.cend(), table_.begin());
    for (int k = 2; k <= modes; ++k) {
        double *row = table_.data() + std::size_t(k - 1) * q;
        kernels_.rotate(row - q, cosK_.data(), row, sin1_.data(), cos1_.data(), quality);
    }
}

void FrameEvaluator::learnExactSines()
{
    const std::size_t q = std::size_t(quality_);
    for (std::size_t learnt = 0; !table_.empty() && exactModes_ < modes_ && learnt < ExactSinesPerFrame; learnt += q) {
        const int k = ++exactModes_;
        const std::size_t rowStart = std::size_t(k - 1) * q;
        for (std::size_t i = 0; i < q; ++i) {
            if (!exact_[rowStart + i]) {
                table_[rowStart + i] = wavemath::modeSine(k, width_, x_[i]);
                exact_[rowStart + i] = true;
            }
        }
    }
}

const double *FrameEvaluator::approximateSines(int k)
{
    if (!table_.empty())
        return k >= 1 && k <= modes_ ? table_.data() + std::size_t(k - 1) * std::size_t(quality_) : nullptr;
    if (k == 1) {
        sinK_ = sin1_;
        cosK_ = cos1_;
    } else if (k == nextMode_) {
        kernels_.rotate(sinK_.data(), cosK_.data(), sinK_.data(), sin1_.data(), cos1_.data(), quality_);
    } else {
        return nullptr;
    }
    nextMode_ = k + 1;
    return sinK_.data();
}

void FrameEvaluator::evaluateMode(int k, double ac, float *row, float *sum)
{
    const int q = quality_;
    const double *sines = approximateSines(k);
    auto put = [row, sum](int i, float term) {
        if (row)
            row[i] = term;
        if (sum)
            sum[i] = sum[i] + term;
    };
    if (sines && k <= exactModes_) {
        kernels_.exactTerms(sines, q, ac, row, sum);
        return;
    }
    if (!sines) {
        for (int i = 0; i < q; ++i)
            put(i, wavemath::modeValue(ac, wavemath::modeSine(k, width_, x_[std::size_t(i)])));
        return;
    }
    // An uncertain term went in as 0, which leaves the sum's bits as they were.
    const int count = kernels_.certainTerms(sines, q, ac, SineError, row, sum, uncertain_.data());
    const std::size_t rowStart = table_.empty() ? 0 : std::size_t(k - 1) * std::size_t(q);
    for (int j = 0; j < count; ++j) {
        const int i = uncertain_[std::size_t(j)];
        double sine;
        if (table_.empty()) {
            sine = wavemath::modeSine(k, width_, x_[std::size_t(i)]);
        } else {
            const std::size_t entry = rowStart + std::size_t(i);
            if (!exact_[entry]) {
                table_[entry] = wavemath::modeSine(k, width_, x_[std::size_t(i)]);
                exact_[entry] = true;
            }
            sine = table_[entry];
        }
        put(i, wavemath::modeValue(ac, sine));
    }
}
