#include "model/ToneSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

int highestSoundingMode(int sampleRate, int fundamentalHz)
{
    // The largest k with k·f < 0.45·rate, in whole numbers.
    return int((45 * std::int64_t(sampleRate) - 1) / (100 * std::int64_t(fundamentalHz)));
}

int loopLength(int sampleRate, int fundamentalHz)
{
    return sampleRate / std::gcd(sampleRate, fundamentalHz);
}

std::vector<float> toneLoop(std::span<const float> amplitudes, int sampleRate, int fundamentalHz, float peak)
{
    const int length = loopLength(sampleRate, fundamentalHz);
    const std::int64_t cycles = fundamentalHz / std::gcd(sampleRate, fundamentalHz);
    const int modes = int(std::min<std::size_t>(
        amplitudes.size(), std::size_t(std::max(0, highestSoundingMode(sampleRate, fundamentalHz)))));
    // Scaled by the largest first, so that no sum can overflow.
    double largest = 0.0;
    for (int k = 1; k <= modes; ++k)
        if (std::isfinite(amplitudes[k - 1]))
            largest = std::max(largest, std::abs(double(amplitudes[k - 1])));
    std::vector<double> sum(std::size_t(length), 0.0);
    if (largest > 0.0) {
        // Sample j of mode k is sin(2 pi k cycles j / length): every phase is a
        // whole step of one sine table, so no error builds up along the loop.
        std::vector<double> sine(static_cast<std::size_t>(length));
        for (int i = 0; i < length; ++i)
            sine[std::size_t(i)] = std::sin(2.0 * std::numbers::pi * i / length);
        for (int k = 1; k <= modes; ++k) {
            const float a = amplitudes[k - 1];
            if (!std::isfinite(a) || a == 0.0f)
                continue;
            const double weight = a / largest;
            const std::int64_t step = (k * cycles) % length;
            std::int64_t phase = 0;
            for (double &s : sum) {
                s += weight * sine[std::size_t(phase)];
                phase += step;
                if (phase >= length)
                    phase -= length;
            }
        }
    }
    double loudest = 0.0;
    for (double s : sum)
        loudest = std::max(loudest, std::abs(s));
    std::vector<float> loop(std::size_t(length), 0.0f);
    // A string whose modes cancel everywhere is silent, not amplified noise.
    if (loudest > 1e-9)
        std::transform(sum.begin(), sum.end(), loop.begin(), [&](double s) { return float(s * peak / loudest); });
    return loop;
}

ToneSynth::ToneSynth(int sampleRate, int fundamentalHz)
    : sampleRate_(std::max(1, sampleRate))
    , fundamentalHz_(std::max(1, fundamentalHz))
    , fadeSamples_(std::max(1, int(FadeSeconds * sampleRate_)))
    , loop_(std::size_t(loopLength(sampleRate_, fundamentalHz_)), 0.0f)
    , previous_(loop_)
{
}

void ToneSynth::setAmplitudes(std::span<const float> amplitudes)
{
    // Whatever is sounding now, part-way through a fade or not, is what fades out.
    for (std::size_t i = 0; i < loop_.size(); ++i)
        previous_[i] = previous_[i] + blend_ * (loop_[i] - previous_[i]);
    loop_ = toneLoop(amplitudes, sampleRate_, fundamentalHz_, Headroom);
    blend_ = 0.0f;
}

void ToneSynth::setPlaying(bool playing)
{
    playing_ = playing;
}

void ToneSynth::render(std::span<float> out)
{
    const float step = 1.0f / float(fadeSamples_);
    const float target = playing_ ? 1.0f : 0.0f;
    for (float &sample : out) {
        if (level_ != target)
            level_ = playing_ ? std::min(1.0f, level_ + step) : std::max(0.0f, level_ - step);
        if (blend_ < 1.0f)
            blend_ = std::min(1.0f, blend_ + step);
        const float now = previous_[position_] + blend_ * (loop_[position_] - previous_[position_]);
        sample = level_ * now;
        if (++position_ == loop_.size())
            position_ = 0;
    }
}
