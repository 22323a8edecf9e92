#include "model/FrameEvaluator.h"
#include "model/Wave.h"
#include "model/WaveMath.h"
#include "model/WaveParams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The tabulated evaluation must give the very bits of the call-by-call one.
void expectSameAsFormulas(int n, int width, int quality, int time, float period, int sampleEvery)
{
    FrameParams view;
    view.time = time;
    Wave wave;
    wave.period = period;
    wave.setWaveCount(n);
    wave.rule = AmplitudeRule::Harmonic;
    wave.calcAmplitudes();

    FrameEvaluator eval;
    eval.prepare(n, width, quality);
    // Then again once the frames that keep the table have learnt every
    // mode's library sines.
    for (const bool learnt : {false, true}) {
        if (learnt)
            for (std::size_t frame = 0;
                 frame <= std::size_t(n) * std::size_t(quality) / FrameEvaluator::ExactSinesPerFrame; ++frame)
                eval.prepare(n, width, quality);
        std::vector<float> sum(std::size_t(quality), 0.0f);
        std::vector<float> row(std::size_t(quality), 0.0f);
        for (int k = 1; k <= n; ++k) {
            const double ac = double(wave.amplitudes[k]) * wavemath::timeFactor(period, time, k);
            eval.modeRow(k, ac, row.data());
            eval.accumulateMode(k, ac, sum.data());
            if (k % sampleEvery != 1 && k != n)
                continue;
            for (int i = 1; i <= quality; i += 1 + quality / 97) {
                const float x = wavemath::columnX(width, i, quality);
                ASSERT_EQ(row[std::size_t(i - 1)], wave.modeDisplacement(k, width, x, view.time))
                    << "n=" << n << " W=" << width << " Q=" << quality << " k=" << k << " i=" << i;
            }
        }
        for (int i = 1; i <= quality; i += 1 + quality / 53) {
            const float x = wavemath::columnX(width, i, quality);
            ASSERT_EQ(sum[std::size_t(i - 1)], wave.displacement(width, x, view.time))
                << "n=" << n << " W=" << width << " i=" << i << " learnt " << learnt;
        }
    }
}

TEST(FrameEvaluatorTest, TableGivesTheSameBitsAsTheFormulas)
{
    expectSameAsFormulas(1, 527, 50, 1, 100, 1);
    expectSameAsFormulas(13, 333, 1000, 17, 50, 1); // Q > W
    expectSameAsFormulas(999, 1281, 1000, 123456, 1000000, 37);
    expectSameAsFormulas(64, 7, 3, -99, 2, 1); // odd, tiny
    expectSameAsFormulas(200, 4000, 2, 2147483647, 3, 11);
}

TEST(FrameEvaluatorTest, BeyondTheTableBoundTheSinesAreComputedOnTheFly)
{
    FrameEvaluator eval;
    eval.prepare(1000, 800, 5000);
    EXPECT_FALSE(eval.usesTable());
    expectSameAsFormulas(1000, 800, 5000, 3, 100, 101);
    eval.prepare(1000, 800, 1000);
    EXPECT_TRUE(eval.usesTable());
}

// Terms are certified against an error bound on the recurrence's sines; the
// bound must hold, with room, over the widths, qualities and modes there are.
TEST(FrameEvaluatorTest, RecurrenceSinesStayWellWithinTheirBound)
{
    for (const InstructionSet set : {InstructionSet::Baseline, fastestInstructionSet()}) {
        const FrameKernels &kernels = frameKernels(set);
        for (const auto &[width, quality] : {std::pair{1, 2}, std::pair{1280, 999}, std::pair{65535, 4099}}) {
            std::vector<double> sin1, cos1;
            for (int i = 1; i <= quality; ++i) {
                const double angle = (wavemath::Pi * double(wavemath::columnX(width, i, quality)) * 1.0) / width;
                sin1.push_back(std::sin(angle));
                cos1.push_back(std::cos(angle));
            }
            std::vector<double> sinK = sin1, cosK = cos1;
            double worst = 0;
            for (int k = 1; k <= MaxWaveCount; ++k) {
                if (k > 1)
                    kernels.rotate(sinK.data(), cosK.data(), sinK.data(), sin1.data(), cos1.data(), quality);
                for (int i = 1; i <= quality; ++i)
                    worst = std::max(worst,
                                     std::abs(sinK[std::size_t(i - 1)]
                                              - wavemath::modeSine(k, width, wavemath::columnX(width, i, quality))));
            }
            EXPECT_LT(worst, FrameEvaluator::SineError / 4) << "W=" << width << " Q=" << quality;
        }
    }
}

TEST(FrameEvaluatorTest, PixelColumnsRoundHalfToEvenAndEndAtTheWidth)
{
    FrameEvaluator eval;
    eval.prepare(1, 5, 2); // x = 2.5, 5
    EXPECT_EQ(eval.pixelColumns(), (std::vector<int>{2, 5}));
    eval.prepare(1, 7, 2); // x = 3.5, 7
    EXPECT_EQ(eval.pixelColumns(), (std::vector<int>{4, 7}));
    eval.prepare(1, 527, 50);
    EXPECT_EQ(eval.pixelColumns().back(), 527);
}

} // namespace
