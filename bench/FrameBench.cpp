// The cost of a frame: evaluating the string formula call by call against the
// tabulated evaluation the renderer uses, and whole frames as drawn.
#include "model/DisplaySettings.h"
#include "model/FrameEvaluator.h"
#include "model/Wave.h"
#include "model/WaveMath.h"
#include "model/WaveParams.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using BenchView = FrameParams;

constexpr int Width = 1280;
constexpr int Height = 720;

struct Setup {
    BenchView view;
    DisplaySettings settings;
    Wave wave;
    Setup(int n, int q, bool showAll, InstructionSet set = fastestInstructionSet())
        : wave(set)
    {
        view.quality = q;
        view.showAll = showAll;
        wave.period = 100;
        wave.setWaveCount(n);
        wave.rule = AmplitudeRule::Harmonic;
        wave.calcAmplitudes();
    }
    // Frames at one size learn the library's sines a few modes at a time;
    // the frames timed come after every mode is learnt.
    void warmUp(int w, int h)
    {
        const std::size_t entries = std::size_t(wave.waveCount) * std::size_t(view.quality);
        if (entries > FrameEvaluator::MaxTableEntries)
            return;
        const std::size_t frames = entries / FrameEvaluator::ExactSinesPerFrame + 2;
        for (std::size_t i = 0; i < frames; ++i) {
            ++view.time;
            wave.drawFrame(w, h, view, settings);
        }
    }
};

// Every vertex of a frame from the formulas, one call each: the superposed
// curve and, with show-all, every mode.
void direct(benchmark::State &state)
{
    const int n = int(state.range(0)), q = int(state.range(1));
    const bool showAll = state.range(2) != 0;
    Setup s(n, q, showAll);
    for (auto _ : state) {
        ++s.view.time;
        float acc = 0;
        for (int i = 1; i <= q; ++i) {
            const float x = wavemath::columnX(Width, i, q);
            if (showAll)
                for (int k = 1; k <= n; ++k)
                    acc += s.wave.modeDisplacement(k, Width, x, s.view.time);
            acc += s.wave.displacement(Width, x, s.view.time);
        }
        benchmark::DoNotOptimize(acc);
    }
}

// The same values as the renderer computes them.
void fast(benchmark::State &state)
{
    const int n = int(state.range(0)), q = int(state.range(1));
    const bool showAll = state.range(2) != 0;
    Setup s(n, q, showAll);
    FrameEvaluator eval;
    eval.prepare(n, Width, q);
    std::vector<float> sum(std::size_t(q), 0.0f);
    std::vector<float> row(std::size_t(q), 0.0f);
    for (auto _ : state) {
        ++s.view.time;
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int k = 1; k <= n; ++k) {
            const double ac = double(s.wave.amplitudes[k]) * wavemath::timeFactor(s.wave.period, s.view.time, k);
            if (showAll) {
                eval.modeRow(k, ac, row.data());
                for (int i = 0; i < q; ++i)
                    sum[std::size_t(i)] += row[std::size_t(i)];
            } else {
                eval.evaluateMode(k, ac, nullptr, sum.data());
            }
        }
        benchmark::DoNotOptimize(sum.data());
    }
}

void drawFrame(benchmark::State &state)
{
    Setup s(int(state.range(0)), int(state.range(1)), state.range(2) != 0);
    s.warmUp(Width, Height);
    for (auto _ : state) {
        ++s.view.time;
        s.wave.drawFrame(Width, Height, s.view, s.settings);
        benchmark::DoNotOptimize(s.wave.bitmap.constBits());
    }
}

void cases(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"n", "Q", "showAll"});
    for (int n : {1, 50, 999})
        for (int q : {50, 1000})
            for (int all : {0, 1})
                b->Args({n, q, all});
    b->Unit(benchmark::kMicrosecond);
}

// One command at the far end of its input: every mode of 1000 shown at quality
// 10000 in the picture of the window's designed size.
void drawFrameExtreme(benchmark::State &state)
{
    Setup s(1000, 10000, true);
    for (auto _ : state) {
        ++s.view.time;
        s.wave.drawFrame(527, 346, s.view, s.settings);
        benchmark::DoNotOptimize(s.wave.bitmap.constBits());
    }
}

// Frames of other picture sizes and qualities than the grid above.
void drawFrameAt(benchmark::State &state)
{
    const int w = int(state.range(0)), h = int(state.range(1));
    Setup s(int(state.range(2)), int(state.range(3)), state.range(4) != 0);
    s.warmUp(w, h);
    for (auto _ : state) {
        ++s.view.time;
        s.wave.drawFrame(w, h, s.view, s.settings);
        benchmark::DoNotOptimize(s.wave.bitmap.constBits());
    }
}

// Every frame at a new width, as while the window is being resized: whatever
// depends on the width is made again each time. With an argument of 1, in
// the loops a CPU without AVX-512 runs; with 2, every mode shown.
void drawFrameNewWidth(benchmark::State &state)
{
    Setup s(999, 1000, state.range(0) == 2, state.range(0) == 1 ? InstructionSet::Avx2 : fastestInstructionSet());
    int w = Width;
    for (auto _ : state) {
        ++s.view.time;
        w = w == Width ? Width - 1 : Width;
        s.wave.drawFrame(w, Height, s.view, s.settings);
        benchmark::DoNotOptimize(s.wave.bitmap.constBits());
    }
}

// Every mode shown with each mode pen (the 20 own ones and the shared one) of
// the given width and style.
void drawFrameModePens(benchmark::State &state)
{
    Setup s(999, 1000, true);
    for (Pen &pen : s.settings.wavePens) {
        pen.width = int(state.range(0));
        pen.style = int(state.range(1));
    }
    s.warmUp(Width, Height);
    for (auto _ : state) {
        ++s.view.time;
        s.wave.drawFrame(Width, Height, s.view, s.settings);
        benchmark::DoNotOptimize(s.wave.bitmap.constBits());
    }
}

// Show-all frames far apart, as at the program's usual interval: by then other
// work has taken the caches, here a walk over 64 MiB between frames.
void drawFrameCold(benchmark::State &state)
{
    Setup s(999, 1000, true);
    s.warmUp(Width, Height);
    std::vector<unsigned char> other(std::size_t(64) << 20);
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < other.size(); i += 64)
            ++other[i];
        benchmark::DoNotOptimize(other.data());
        state.ResumeTiming();
        ++s.view.time;
        s.wave.drawFrame(Width, Height, s.view, s.settings);
        benchmark::DoNotOptimize(s.wave.bitmap.constBits());
    }
}

BENCHMARK(direct)->Name("Direct")->Apply(cases);
BENCHMARK(drawFrameExtreme)->Name("DrawFrameExtreme")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(fast)->Name("Fast")->Apply(cases);
BENCHMARK(drawFrame)->Name("DrawFrame")->Apply(cases);
BENCHMARK(drawFrameAt)
    ->Name("DrawFrameAt")
    ->ArgNames({"w", "h", "n", "Q", "showAll"})
    ->Args({3840, 2160, 999, 1000, 1})
    ->Args({Width, Height, 999, 10000, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(drawFrameCold)->Name("DrawFrameCold")->Unit(benchmark::kMicrosecond);
BENCHMARK(drawFrameNewWidth)->Name("DrawFrameNewWidth")->Unit(benchmark::kMicrosecond)->Arg(0);
BENCHMARK(drawFrameNewWidth)->Name("DrawFrameNewWidthAvx2")->Unit(benchmark::kMicrosecond)->Arg(1);
BENCHMARK(drawFrameNewWidth)->Name("DrawFrameNewWidthShowAll")->Unit(benchmark::kMicrosecond)->Arg(2);
BENCHMARK(drawFrameModePens)
    ->Name("DrawFrameModePens")
    ->ArgNames({"width", "style"})
    ->Args({2, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
