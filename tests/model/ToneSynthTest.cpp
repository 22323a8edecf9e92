#include "model/ToneSynth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace {

constexpr int Rate = 48000;

std::vector<float> rendered(ToneSynth &synth, std::size_t count)
{
    std::vector<float> out(count);
    synth.render(out);
    return out;
}

// The magnitude of the samples' component at that frequency; exact for a
// frequency whose cycles fit the samples a whole number of times.
double magnitudeAt(const std::vector<float> &samples, double hz)
{
    std::complex<double> sum;
    for (std::size_t i = 0; i < samples.size(); ++i)
        sum += double(samples[i]) * std::polar(1.0, -2.0 * std::numbers::pi * hz * double(i) / Rate);
    return 2.0 * std::abs(sum) / double(samples.size());
}

double largestStep(const std::vector<float> &samples)
{
    double step = 0.0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        step = std::max(step, double(std::abs(samples[i] - samples[i - 1])));
    return step;
}

TEST(ToneSynthTest, EachModeSoundsAtItsHarmonicWithItsAmplitude)
{
    // 1/k with a sign turned and a silent mode, as the drawn rule gives.
    const std::vector<float> amplitudes{1.0f, -0.5f, 0.0f, 0.25f, 0.2f, 1.0f / 6, -1.0f / 7};
    ToneSynth synth(Rate);
    synth.setAmplitudes(amplitudes);
    synth.setPlaying(true);
    rendered(synth, Rate / 10);
    // 0.1 s: 22 whole cycles of the fundamental.
    const std::vector<float> steady = rendered(synth, Rate / 10);
    const double first = magnitudeAt(steady, 220.0);
    EXPECT_GT(first, 0.1);
    for (std::size_t k = 1; k <= amplitudes.size(); ++k) {
        EXPECT_NEAR(magnitudeAt(steady, 220.0 * double(k)) / first, std::abs(amplitudes[k - 1]), 1e-4) << "mode " << k;
        // Nothing between the harmonics.
        EXPECT_LT(magnitudeAt(steady, 220.0 * (double(k) + 0.5)) / first, 1e-4) << "after mode " << k;
    }
    const auto [low, high] = std::minmax_element(steady.begin(), steady.end());
    EXPECT_NEAR(std::max(-*low, *high), ToneSynth::Headroom, 1e-6);
}

TEST(ToneSynthTest, ModesThatWouldFoldBackAreLeftOut)
{
    // A mode exactly at 45 % (90 x 220 Hz at 44 kHz) is left out too.
    EXPECT_EQ(highestSoundingMode(44000, 220), 89);
    ToneSynth synth(Rate);
    ASSERT_EQ(synth.highestMode(), 98);
    std::vector<float> amplitudes(synth.highestMode() + 1, 0.0f);
    amplitudes.back() = 1.0f;
    synth.setAmplitudes(amplitudes);
    synth.setPlaying(true);
    for (float s : rendered(synth, Rate / 10))
        ASSERT_EQ(s, 0.0f);
    amplitudes[amplitudes.size() - 2] = 1.0f;
    synth.setAmplitudes(amplitudes);
    rendered(synth, Rate / 10);
    const std::vector<float> steady = rendered(synth, Rate / 10);
    EXPECT_NEAR(magnitudeAt(steady, 220.0 * synth.highestMode()), ToneSynth::Headroom, 1e-4);
}

TEST(ToneSynthTest, NoSampleGoesBeyondFullScaleWhateverTheAmplitudes)
{
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::vector<float>> cases{
        {FLT_MAX, -FLT_MAX, FLT_MAX, FLT_MAX},
        {std::nanf(""), 1.0f, inf, -inf, 1e-45f},
        std::vector<float>(1000, 1.0f),
        {1e-45f},
    };
    ToneSynth synth(44100);
    synth.setPlaying(true);
    for (const std::vector<float> &amplitudes : cases) {
        synth.setAmplitudes(amplitudes);
        for (float s : rendered(synth, 44100 / 5))
            ASSERT_LE(std::abs(s), ToneSynth::Headroom + 1e-6f) << s;
    }
}

TEST(ToneSynthTest, StartsChangesAndStopsWithoutAJump)
{
    // Two tones far apart: a jump from one to the other would be a click.
    const std::vector<float> low{1.0f}, high{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1.0f};
    ToneSynth reference(Rate);
    reference.setPlaying(true);
    reference.setAmplitudes(high);
    rendered(reference, Rate / 10);
    const double steadyStep = largestStep(rendered(reference, Rate / 10));
    const double fadeStep = ToneSynth::Headroom / (ToneSynth::FadeSeconds * Rate);

    ToneSynth synth(Rate);
    synth.setAmplitudes(low);
    // Silence runs on, so the tone starts away from a zero crossing.
    for (float s : rendered(synth, 100))
        ASSERT_EQ(s, 0.0f);
    synth.setPlaying(true);
    std::vector<float> heard = rendered(synth, 1000);
    EXPECT_LE(std::abs(heard.front()), 1.01 * fadeStep);
    // A change arriving part-way through the last one's cross-fade.
    synth.setAmplitudes(high);
    std::vector<float> more = rendered(synth, 300);
    heard.insert(heard.end(), more.begin(), more.end());
    synth.setAmplitudes(low);
    more = rendered(synth, 3000);
    heard.insert(heard.end(), more.begin(), more.end());
    synth.setPlaying(false);
    more = rendered(synth, 2000);
    heard.insert(heard.end(), more.begin(), more.end());
    EXPECT_LE(largestStep(heard), steadyStep + 2.5 * fadeStep);
    EXPECT_TRUE(synth.isSilent());
    EXPECT_EQ(heard.back(), 0.0f);
}

} // namespace
