#include "model/Wave.h"
#include "model/WaveParams.h"
#include "support/SeededRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

class WaveTest : public ::testing::Test {
protected:
    void SetUp() override { wave.period = 100; }

    void compute(int n, AmplitudeRule rule)
    {
        wave.setWaveCount(n);
        wave.rule = rule;
        wave.calcAmplitudes(drawn);
    }

    FrameParams view;
    DrawnWaveform drawn;
    Wave wave;
};

TEST_F(WaveTest, FreshModelIsAllZero)
{
    Wave fresh;
    EXPECT_EQ(fresh.waveCount, 0);
    EXPECT_EQ(fresh.period, 0.0f);
    EXPECT_EQ(fresh.rule, AmplitudeRule::Equal);
    for (int k = 1; k <= MaxWaveCount; ++k)
        ASSERT_EQ(fresh.amplitudes[k], 0.0f);
}

TEST_F(WaveTest, WaveCountIsClampedIntoOneToThousand)
{
    const std::pair<int, int> cases[]
        = {{0, 1}, {1, 1}, {999, 999}, {1000, 1000}, {1001, 1000}, {65535, 1000}, {-7, 1}};
    for (auto [in, out] : cases) {
        wave.setWaveCount(in);
        EXPECT_EQ(wave.waveCount, out) << "SetWaveCount(" << in << ")";
    }
}

TEST_F(WaveTest, EqualAndHarmonicRulesRoundToSingle)
{
    compute(4, AmplitudeRule::Equal);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(wave.amplitudes[k], 0.25f);
    compute(3, AmplitudeRule::Equal);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(wave.amplitudes[k], 1.0f / 3.0f);
    compute(1000, AmplitudeRule::Harmonic);
    for (int k = 1; k <= 1000; ++k)
        ASSERT_EQ(wave.amplitudes[k], float(1.0L / k)) << k;
    EXPECT_EQ(wave.amplitudes[3], 0.333333343267441f);
}

TEST_F(WaveTest, AmplitudesAboveTheCountKeepTheirValues)
{
    compute(10, AmplitudeRule::Harmonic);
    compute(3, AmplitudeRule::Equal);
    EXPECT_EQ(wave.amplitudes[4], 0.25f);
    EXPECT_EQ(wave.amplitudes[10], 0.1f);
    compute(10, AmplitudeRule::Equal);
    EXPECT_EQ(wave.amplitudes[10], 0.1f);
    EXPECT_EQ(wave.amplitudes[4], 0.1f);
}

TEST_F(WaveTest, UnknownRuleChangesNothing)
{
    compute(5, AmplitudeRule::Harmonic);
    compute(5, AmplitudeRule(7));
    EXPECT_EQ(wave.amplitudes[2], 0.5f);
}

TEST_F(WaveTest, DrawnRuleWithOnlyTheEndsGivesZero)
{
    compute(50, AmplitudeRule::Harmonic);
    compute(50, AmplitudeRule::Drawn);
    for (int k = 1; k <= 50; ++k)
        ASSERT_EQ(wave.amplitudes[k], 0.0f) << k;
}

TEST_F(WaveTest, DrawnTriangleMatchesItsSineSeries)
{
    drawn.setHeight(6, 1.0f);
    compute(9, AmplitudeRule::Drawn);
    const double pi2 = std::numbers::pi * std::numbers::pi;
    for (int k = 1; k <= 9; ++k) {
        const double expected = 8.0 * std::sin(k * std::numbers::pi / 2) / (k * k * pi2);
        EXPECT_NEAR(wave.amplitudes[k], expected, 1e-6) << "mode " << k;
    }
    EXPECT_NEAR(wave.amplitudes[1], 8.0 / pi2, 1e-6);
    EXPECT_NEAR(wave.amplitudes[3], -8.0 / (9 * pi2), 1e-6);
}

TEST_F(WaveTest, DrawnWaveformKeepsItsEndsDefinedAtZero)
{
    drawn.setHeight(0, 5.0f);
    drawn.setHeight(12, -3.0f);
    drawn.undefine(0);
    drawn.undefine(12);
    drawn.setHeight(6, 1.0f);
    compute(3, AmplitudeRule::Drawn);
    EXPECT_EQ(drawn.height(0), 0.0f);
    EXPECT_EQ(drawn.height(12), 0.0f);
    EXPECT_TRUE(drawn.isDefined(0));
    EXPECT_TRUE(drawn.isDefined(12));
    drawn.clear();
    EXPECT_EQ(drawn, DrawnWaveform());
    EXPECT_NEAR(wave.amplitudes[1], 8.0 / (std::numbers::pi * std::numbers::pi), 1e-6);
}

TEST_F(WaveTest, DrawnPlateauAtTheTopGivesAboutOnePointTwoSix)
{
    for (int j = 1; j <= 11; ++j)
        drawn.setHeight(j, 1.0f);
    compute(1, AmplitudeRule::Drawn);
    EXPECT_NEAR(wave.amplitudes[1], 1.26, 0.01);
}

TEST_F(WaveTest, DisplacementFollowsTheTimeOfTheView)
{
    compute(3, AmplitudeRule::Harmonic);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(wave.modeDisplacement(k, 500, 0.0f, view.time), 0.0f);
    view.time = 0;
    EXPECT_FLOAT_EQ(wave.modeDisplacement(2, 400, 100.0f, view.time),
                    0.5f * std::sin(std::numbers::pi * 2 * 100 / 400));
    view.time = 50; // half the period
    EXPECT_FLOAT_EQ(wave.modeDisplacement(1, 400, 200.0f, view.time), -1.0f);
    view.time = -50;
    EXPECT_FLOAT_EQ(wave.modeDisplacement(1, 400, 200.0f, view.time), -1.0f);
}

TEST_F(WaveTest, DisplacementSumsModesInSingle)
{
    compute(1, AmplitudeRule::Equal);
    view.time = 17;
    EXPECT_EQ(wave.displacement(300, 123.5f, view.time), wave.modeDisplacement(1, 300, 123.5f, view.time));
    compute(40, AmplitudeRule::Harmonic);
    float sum = 0.0f;
    for (int k = 1; k <= 40; ++k)
        sum = sum + wave.modeDisplacement(k, 300, 77.0f, view.time);
    EXPECT_EQ(wave.displacement(300, 77.0f, view.time), sum);
}

TEST_F(WaveTest, ZeroPeriodOrWidthGivesFiniteValues)
{
    compute(5, AmplitudeRule::Equal);
    wave.period = 0;
    view.time = 3;
    const float d = wave.displacement(200, 50.0f, view.time);
    EXPECT_TRUE(std::isfinite(d));
    view.time = 0;
    wave.period = 100;
    EXPECT_EQ(d, wave.displacement(200, 50.0f, view.time)) << "a period of 0 freezes the string at t = 0";
    EXPECT_EQ(wave.displacement(0, 10.0f, view.time), 0.0f);
}

} // namespace

namespace {

// The sine coefficient of the drawn polyline by another route: integrating by
// parts twice leaves b_k = 2/(πk²) · Σ over segments of slope · (sin kx1 − sin kx0),
// with the same single-precision angles, carried in extended precision throughout.
long double slopeFormAmplitude(int k, const std::array<float, 13> &waveformPoints,
                               const std::array<bool, 13> &waveformDefined)
{
    using L = long double;
    const L pi = 3.141592653589793238462643383279502884L;
    L sum = 0;
    int prev = 0;
    for (int j = 1; j <= 12; ++j) {
        if (!waveformDefined[j])
            continue;
        const L x0 = float(L(prev) * pi / 12), x1 = float(L(j) * pi / 12);
        const L slope = (L(waveformPoints[j]) - L(waveformPoints[prev])) / (x1 - x0);
        sum += slope * (std::sin(k * x1) - std::sin(k * x0));
        prev = j;
    }
    return 2 * sum / (pi * k * k);
}

// Random drawings, and symmetric and antisymmetric ones, whose even or odd
// coefficients nearly cancel (not wholly: the angles are rounded to single).
// The program's single-precision sum of up to twelve terms may differ from the
// exact value by a rounding of each partial sum.
TEST(DrawnRuleTest, AgreesWithTheSlopeFormWithinSinglePrecision)
{
    SeededRandom random(12345);
    auto next = [&random] { return random.next(); };
    Wave wave;
    wave.setWaveCount(1000);
    wave.rule = AmplitudeRule::Drawn;
    enum Shape { Random, Symmetric, Antisymmetric };
    for (int drawing = 0; drawing < 60; ++drawing) {
        const Shape shape = Shape(drawing % 3);
        std::array<bool, 13> waveformDefined{true,  false, false, false, false, false, false,
                                             false, false, false, false, false, true};
        std::array<float, 13> waveformPoints{};
        for (int j = 1; j <= 11; ++j) {
            waveformDefined[j] = next() % 3 != 0;
            waveformPoints[j] = float(int(next() % 4001) - 2000) / 700.0f;
        }
        for (int j = 7; j <= 11 && shape != Random; ++j) {
            waveformDefined[j] = waveformDefined[12 - j];
            waveformPoints[j] = shape == Symmetric ? waveformPoints[12 - j] : -waveformPoints[12 - j];
        }
        if (shape == Antisymmetric)
            waveformPoints[6] = 0.0f;
        float largest = 1.0f;
        for (int j = 1; j <= 11; ++j)
            largest = std::max(largest, std::abs(waveformPoints[j]));
        const float tolerance = 12 * 2 * largest * std::numeric_limits<float>::epsilon();

        DrawnWaveform drawn;
        for (int j = 1; j <= 11; ++j) {
            drawn.setHeight(j, waveformPoints[j]);
            if (!waveformDefined[j])
                drawn.undefine(j);
        }
        wave.calcAmplitudes(drawn);
        for (int k = 1; k <= 1000; ++k) {
            ASSERT_NEAR(wave.amplitudes[k], slopeFormAmplitude(k, waveformPoints, waveformDefined), tolerance)
                << "drawing " << drawing << " mode " << k;
        }
    }
}

} // namespace
