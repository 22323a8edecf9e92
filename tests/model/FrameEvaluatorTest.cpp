#include "model/FrameEvaluator.h"
#include "model/FixedView.h"
#include "model/Wave.h"
#include "model/WaveMath.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The tabulated evaluation must give the very bits of the call-by-call one.
void ExpectSameAsFormulas(int n, int width, int quality, int time, float period, int sampleEvery)
{
    TFixedView view;
    view.time = time;
    TWave wave;
    wave.SetView(&view);
    wave.Period = period;
    wave.SetWaveCount(n);
    wave.Rule = AmplitudeRule::Harmonic;
    wave.CalcAmplitudes();

    TFrameEvaluator eval;
    eval.Prepare(n, width, quality);
    std::vector<float> sum(std::size_t(quality), 0.0f);
    std::vector<float> row(std::size_t(quality), 0.0f);
    for (int k = 1; k <= n; ++k) {
        const double ac = double(wave.Amplitudes[k]) * wavemath::TimeFactor(period, time, k);
        eval.ModeRow(k, ac, row.data());
        eval.AccumulateMode(k, ac, sum.data());
        if (k % sampleEvery != 1 && k != n)
            continue;
        for (int i = 1; i <= quality; i += 1 + quality / 97) {
            const float x = wavemath::ColumnX(width, i, quality);
            ASSERT_EQ(row[std::size_t(i - 1)], wave.ModeDisplacement(k, width, x))
                << "n=" << n << " W=" << width << " Q=" << quality << " k=" << k << " i=" << i;
        }
    }
    for (int i = 1; i <= quality; i += 1 + quality / 53) {
        const float x = wavemath::ColumnX(width, i, quality);
        ASSERT_EQ(sum[std::size_t(i - 1)], wave.Displacement(width, x)) << "n=" << n << " W=" << width << " i=" << i;
    }
}

TEST(FrameEvaluatorTest, TableGivesTheSameBitsAsTheFormulas)
{
    ExpectSameAsFormulas(1, 527, 50, 1, 100, 1);
    ExpectSameAsFormulas(13, 333, 1000, 17, 50, 1); // Q > W
    ExpectSameAsFormulas(999, 1281, 1000, 123456, 1000000, 37);
    ExpectSameAsFormulas(64, 7, 3, -99, 2, 1); // odd, tiny
    ExpectSameAsFormulas(200, 4000, 2, 2147483647, 3, 11);
}

TEST(FrameEvaluatorTest, BeyondTheTableBoundTheSinesAreComputedOnTheFly)
{
    TFrameEvaluator eval;
    eval.Prepare(1000, 800, 5000);
    EXPECT_FALSE(eval.UsesTable());
    ExpectSameAsFormulas(1000, 800, 5000, 3, 100, 101);
    eval.Prepare(1000, 800, 1000);
    EXPECT_TRUE(eval.UsesTable());
}

TEST(FrameEvaluatorTest, PixelColumnsRoundHalfToEvenAndEndAtTheWidth)
{
    TFrameEvaluator eval;
    eval.Prepare(1, 5, 2); // x = 2.5, 5
    EXPECT_EQ(eval.PixelColumns(), (std::vector<int>{2, 5}));
    eval.Prepare(1, 7, 2); // x = 3.5, 7
    EXPECT_EQ(eval.PixelColumns(), (std::vector<int>{4, 7}));
    eval.Prepare(1, 527, 50);
    EXPECT_EQ(eval.PixelColumns().back(), 527);
}

} // namespace
