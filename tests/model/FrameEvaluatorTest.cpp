#include "model/FrameEvaluator.h"
#include "model/Wave.h"
#include "model/WaveMath.h"
#include "model/WaveParams.h"

#include "support/SeededRandom.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
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

    std::vector<double> acs;
    for (int k = 1; k <= n; ++k)
        acs.push_back(double(wave.amplitudes[k]) * wavemath::timeFactor(period, time, k));
    std::vector<float> formulaSum;
    for (int i = 1; i <= quality; ++i)
        formulaSum.push_back(wave.displacement(width, wavemath::columnX(width, i, quality), view.time));

    for (const InstructionSet set : runnableInstructionSets()) {
        // One evaluator gives the rows, the other the plain frame's sums.
        FrameEvaluator rows(set), sums(set);
        // Right after a change; after one frame has learnt some modes' library
        // sines, so that the recurrence starts from them; with every mode learnt.
        const std::size_t allLearnt = std::size_t(n) * std::size_t(quality) / FrameEvaluator::ExactSinesPerFrame + 1;
        for (const std::size_t frames : {std::size_t(1), std::size_t(1), allLearnt}) {
            for (std::size_t frame = 0; frame < frames; ++frame) {
                rows.prepare(n, width, quality);
                sums.prepare(n, width, quality);
            }
            std::vector<float> sum(std::size_t(quality), 0.0f), plainSum = sum, row = sum;
            sums.accumulateModes(1, n, acs.data(), plainSum.data());
            ASSERT_EQ(plainSum, formulaSum) << "n=" << n << " W=" << width << " set=" << int(set);
            for (int k = 1; k <= n; ++k) {
                rows.evaluateMode(k, acs[std::size_t(k - 1)], row.data(), sum.data());
                if (k % sampleEvery != 1 && k != n)
                    continue;
                for (int i = 1; i <= quality; i += 1 + quality / 97) {
                    const float x = wavemath::columnX(width, i, quality);
                    ASSERT_EQ(row[std::size_t(i - 1)], wave.modeDisplacement(k, width, x, view.time))
                        << "n=" << n << " W=" << width << " Q=" << quality << " k=" << k << " i=" << i;
                }
            }
            ASSERT_EQ(sum, formulaSum) << "n=" << n << " W=" << width << " set=" << int(set);
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

TEST(FrameEvaluatorTest, FramesFarApartLearnFaster)
{
    FrameEvaluator often, seldom;
    seldom.setFrameInterval(100);
    for (int frame = 0; frame < 6; ++frame) {
        often.prepare(999, 1280, 1000);
        seldom.prepare(999, 1280, 1000);
    }
    EXPECT_EQ(seldom.learntModes(), 999);
    EXPECT_LT(often.learntModes(), 999 / 2);
    seldom.setFrameInterval(-5); // as often as the least
    seldom.prepare(999, 1279, 1000);
    seldom.prepare(999, 1279, 1000);
    EXPECT_EQ(seldom.learntModes(), often.learntModes() / 5);
    seldom.setFrameInterval(1 << 30); // no more than the most
    seldom.prepare(999, 1280, 1000);
    seldom.prepare(999, 1280, 1000);
    EXPECT_EQ(seldom.learntModes(), int((FrameEvaluator::MostSinesPerFrame + 999) / 1000));
}

TEST(FrameEvaluatorTest, AModeAskedForNoTermStillMovesTheRecurrenceOn)
{
    const int width = 640, quality = 200;
    FrameEvaluator eval;
    eval.prepare(50, width, quality);
    std::vector<float> row(static_cast<std::size_t>(quality));
    for (int k = 1; k <= 50; ++k) {
        eval.evaluateMode(k, 0.5, k % 2 ? nullptr : row.data(), nullptr);
        for (int i = 0; i < quality && k % 2 == 0; ++i)
            ASSERT_EQ(row[std::size_t(i)],
                      wavemath::modeValue(0.5, wavemath::modeSine(k, width, wavemath::columnX(width, i + 1, quality))))
                << "k=" << k << " i=" << i;
    }
}

// A mode of no amplitude gives zeros whose signs are the library sine's, also
// where the recurrence's sine, next to a node, has the other sign.
TEST(FrameEvaluatorTest, ZeroTermsKeepTheFormulasSign)
{
    for (const InstructionSet set : runnableInstructionSets())
        for (const int width : {13, 17, 25})
            for (const double ac : {0.0, -0.0}) {
                FrameEvaluator eval(set);
                eval.prepare(6, width, 10);
                for (int k = 1; k <= 6; ++k) {
                    std::array<float, 10> row{};
                    eval.evaluateMode(k, ac, row.data(), nullptr);
                    for (int i = 1; i <= 10; ++i) {
                        const float x = wavemath::columnX(width, i, 10);
                        const float formula = wavemath::modeValue(ac, wavemath::modeSine(k, width, x));
                        EXPECT_EQ(std::bit_cast<std::uint32_t>(row[std::size_t(i - 1)]),
                                  std::bit_cast<std::uint32_t>(formula))
                            << "set=" << int(set) << " W=" << width << " k=" << k << " i=" << i << " ac=" << ac;
                    }
                }
            }
}

// The recurrence starts from sines and cosines of the columns' angles, in
// every set within one ulp of the library's: at both ends of [0, π], at the
// quarter turn, and at the columns of many widths and qualities.
TEST(FrameEvaluatorTest, StartingSinesLieWithinAnUlpOfTheLibrarys)
{
    std::vector<double> angles{0.0, wavemath::Pi, wavemath::Pi / 2, std::nextafter(wavemath::Pi / 4, 0.0), 1e-300};
    SeededRandom random(11);
    for (int n = 0; n < 300; ++n) {
        const int width = 1 + random.below(n % 3 == 0 ? 65535 : 4000), quality = 1 + random.below(1200);
        for (int i = 1; i <= quality; ++i)
            angles.push_back(wavemath::modeAngle(1, width, wavemath::columnX(width, i, quality)));
    }
    const auto withinAnUlp
        = [](double value, double library) { return value == library || std::nextafter(value, library) == library; };
    for (const InstructionSet set : runnableInstructionSets()) {
        // Every length of the part left after the groups of four.
        for (int count = int(angles.size()) - 3; count <= int(angles.size()); ++count) {
            std::vector<double> sines(angles.size()), cosines(angles.size());
            frameKernels(set).startSines(angles.data(), count, sines.data(), cosines.data());
            for (std::size_t i = 0; i < std::size_t(count); ++i) {
                ASSERT_PRED2(withinAnUlp, sines[i], std::sin(angles[i])) << "angle " << angles[i];
                ASSERT_PRED2(withinAnUlp, cosines[i], std::cos(angles[i])) << "angle " << angles[i];
            }
        }
    }
}

// Terms are certified against an error bound on the recurrence's sines; the
// bound must hold, with room, over the widths, qualities and modes there are,
// from each mode the recurrence may start at: 0, or one whose library sines
// and cosines are known. The worst found, 1.05e-12, is W = 89, Q = 2538 from
// mode 959.
TEST(FrameEvaluatorTest, RecurrenceSinesStayWellWithinTheirBound)
{
    for (const InstructionSet set : runnableInstructionSets()) {
        const FrameKernels &kernels = frameKernels(set);
        for (const auto &[width, quality] :
             {std::pair{1, 2}, std::pair{1280, 999}, std::pair{65535, 4099}, std::pair{89, 2538}}) {
            const auto columns = static_cast<std::size_t>(quality);
            std::vector<double> angle1, sin1(columns), cos1(columns);
            for (int i = 1; i <= quality; ++i)
                angle1.push_back(wavemath::modeAngle(1, width, wavemath::columnX(width, i, quality)));
            kernels.startSines(angle1.data(), quality, sin1.data(), cos1.data());
            std::vector<float> terms(columns), sums(columns);
            const std::vector<double> ones(4, 1.0);
            for (const int start : {0, 8, 500, 959}) {
                std::vector<double> sinK, cosK;
                for (int i = 1; i <= quality; ++i) {
                    const double angle = wavemath::modeAngle(start, width, wavemath::columnX(width, i, quality));
                    sinK.push_back(start == 0 ? 0.0 : std::sin(angle));
                    cosK.push_back(start == 0 ? 1.0 : std::cos(angle));
                }
                std::vector<float> x;
                for (int i = 1; i <= quality; ++i)
                    x.push_back(wavemath::columnX(width, i, quality));
                ModeRecurrence recurrence{sinK.data(), cosK.data(), sin1.data(), cos1.data(),
                                          x.data(),    width,       quality,     FrameEvaluator::SineError};
                recurrence::chooseChebyshevColumns(recurrence);
                recurrence::enterChebyshevColumns(recurrence);
                double worst = 0;
                // Rows one mode at a time and sums four at a time, in turn.
                for (int k = start + 1, count = 1; k <= MaxWaveCount; k += count) {
                    count = k % 8 < 4 ? 1 : std::min(4, MaxWaveCount + 1 - k);
                    if (count == 1)
                        kernels.rotateTerms(recurrence, k, 1.0, terms.data(), nullptr);
                    else
                        kernels.accumulateTerms(recurrence, k, ones.data(), count, sums.data());
                    for (int i = 1; i <= quality; ++i)
                        worst = std::max(worst,
                                         std::abs(sinK[std::size_t(i - 1)]
                                                  - wavemath::modeSine(k + count - 1, width, x[std::size_t(i - 1)])));
                }
                EXPECT_LT(worst, FrameEvaluator::SineError / 3)
                    << "W=" << width << " Q=" << quality << " from " << start;
            }
        }
    }
}

// At x = W the terms come from a reduction of the angle by π, certified
// against a bound of 2^-48 of the sine: it must hold with room, at every mode
// of small widths, where the angles lie closest to kπ, and of random ones.
TEST(FrameEvaluatorTest, EndColumnSinesStayWellWithinTheirBound)
{
    SeededRandom random(7);
    for (int n = 0; n < 1500; ++n) {
        const int width = n < 1000 ? n + 1 : 1000 + random.below(1 << 20);
        for (int k = 1; k <= MaxWaveCount; ++k) {
            const double library = wavemath::modeSine(k, width, float(width));
            ASSERT_LE(std::abs(recurrence::endColumnSine(k, width) - library), std::abs(library) * 0x1p-50)
                << "W=" << width << " k=" << k;
        }
    }
}

// A term too uncertain for its float to be known is left out only where no
// value it may have changes the sum: here terms within the recurrence's error
// of 2^-24, added to 1, where the library's term decides whether 1 stays.
TEST(FrameEvaluatorTest, UncertainTermsAreLeftOutOnlyWhereTheyCannotChangeTheSum)
{
    const int width = 1 << 24;
    const float centre = float(0x1p-24 * double(width) / wavemath::Pi);
    std::vector<float> x;
    float below = centre, above = centre;
    for (int i = 0; i < 35; ++i) {
        for (int ulp = 0; ulp < 10; ++ulp) {
            below = std::nextafter(below, 0.0f);
            above = std::nextafter(above, 1.0f);
        }
        x.push_back(below);
        x.push_back(above);
    }
    std::vector<double> sin1, cos1;
    std::vector<float> expected;
    for (const float column : x) {
        const double angle = wavemath::modeAngle(1, width, column);
        sin1.push_back(std::sin(angle));
        cos1.push_back(std::cos(angle));
        expected.push_back(1.0f + wavemath::modeValue(1.0, std::sin(angle)));
    }
    ASSERT_NE(std::count(expected.begin(), expected.end(), 1.0f), 0);
    ASSERT_NE(std::count(expected.begin(), expected.end(), 1.0f), std::ptrdiff_t(expected.size()));
    for (const InstructionSet set : runnableInstructionSets()) {
        std::vector<double> sinK(x.size(), 0.0), cosK(x.size(), 1.0);
        const ModeRecurrence recurrence{sinK.data(), cosK.data(), sin1.data(),   cos1.data(),
                                        x.data(),    width,       int(x.size()), FrameEvaluator::SineError};
        std::vector<float> sum(x.size(), 1.0f);
        const double ac = 1.0;
        frameKernels(set).accumulateTerms(recurrence, 1, &ac, 1, sum.data());
        EXPECT_EQ(sum, expected) << "set=" << int(set);
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

// A curve's rows decide which loop draws it: the widest step must never come
// out smaller than it is. Random rows, some off the picture or NaN, in runs of
// every length around the vector loops' width.
TEST(FrameEvaluatorTest, CurveRowsAndTheirWidestStepAreExactInEverySet)
{
    SeededRandom random(99);
    auto next = [&random](int range) { return random.below(range); };
    constexpr int Half = 40, Height = 81;
    for (int run = 0; run < 400; ++run) {
        const int count = run < 40 ? run % 13 + 1 : 64 + next(40);
        const float zoom = run % 3 == 0 ? 1.0f : 0.37f;
        std::vector<float> values(std::size_t(count), 0.0f);
        for (float &v : values) {
            v = float(next(2001) - 1000) / 1000.0f * (run % 5 == 0 ? 0.05f : 1.0f);
            if (next(200) == 0)
                v = next(2) ? std::nanf("") : 1e9f;
        }
        std::vector<double> rows(values.size());
        bool onAxis = true, inPicture = true;
        int steepest = 0;
        for (int i = 0; i < count; ++i) {
            rows[std::size_t(i)] = wavemath::curveRow(Half, values[std::size_t(i)], zoom);
            const double r = rows[std::size_t(i)];
            onAxis = onAxis && r == Half;
            inPicture = inPicture && r >= 0 && r < Height;
            steepest = std::max(steepest, int(std::fabs(r - (i > 0 ? rows[std::size_t(i) - 1] : double(Half)))));
        }
        for (const InstructionSet set : runnableInstructionSets()) {
            std::vector<double> got(values.size());
            std::vector<int> pixels(values.size());
            const CurveRowsFound found
                = frameKernels(set).curveRows(values.data(), count, Half, Height, zoom, got.data(), pixels.data());
            if (!inPicture) {
                ASSERT_EQ(got, rows) << "run " << run << ", set " << int(set);
            }
            ASSERT_EQ(found.onAxis, onAxis) << "run " << run << ", set " << int(set);
            ASSERT_EQ(found.inPicture, inPicture) << "run " << run << ", set " << int(set);
            if (!inPicture)
                continue;
            ASSERT_EQ(found.steepest, steepest) << "run " << run << ", set " << int(set);
            for (int i = 0; i < count; ++i)
                ASSERT_EQ(pixels[std::size_t(i)], int(rows[std::size_t(i)])) << "run " << run << ", set " << int(set);
        }
    }
}

// Displacements a few floats either side of those whose row is a half: the
// pixel rows must round as the double formula's do.
TEST(FrameEvaluatorTest, PixelRowsNextToAHalfRoundAsTheFormula)
{
    SeededRandom random(7);
    constexpr int Count = 64;
    for (int run = 0; run < 20000; ++run) {
        const int half = 1 + random.below(4000), height = 2 * half + 1 + random.below(2);
        const float zoom = std::ldexp(float(1 + random.below(1 << 23)), -20 - random.below(4));
        std::vector<float> values(Count);
        for (int i = 0; i < Count; i += 8) {
            // The float arithmetic strays furthest at the rows far from the axis.
            const int row = i % 16 == 0 ? height - 1 - random.below(8) : random.below(height);
            float d = float((1.0 - (row + 0.5) / half) / zoom);
            for (int step = 0; step < 4; ++step)
                d = std::nextafter(d, -INFINITY);
            for (int j = 0; j < 8; ++j, d = std::nextafter(d, INFINITY))
                values[std::size_t(i + j)] = d;
        }
        for (const InstructionSet set : runnableInstructionSets()) {
            std::vector<double> rows(Count);
            std::vector<int> pixels(Count);
            const CurveRowsFound found
                = frameKernels(set).curveRows(values.data(), Count, half, height, zoom, rows.data(), pixels.data());
            bool inPicture = true;
            for (int i = 0; i < Count; ++i) {
                const double row = wavemath::curveRow(half, values[std::size_t(i)], zoom);
                inPicture = inPicture && row >= 0 && row < height;
                if (found.inPicture) {
                    ASSERT_EQ(pixels[std::size_t(i)], row) << "run " << run << ", set " << int(set) << ", i " << i;
                }
            }
            ASSERT_EQ(found.inPicture, inPicture) << "run " << run << ", set " << int(set);
        }
    }
}

} // namespace
