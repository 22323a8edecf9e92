// The drawn amplitude rule at its largest: 1000 modes, every inner point defined.
#include "model/Wave.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void CalcDrawnAmplitudes(benchmark::State &state)
{
    ResetWaveform();
    for (int j = 1; j <= 11; ++j) {
        WaveformPoints[j] = float(std::sin(j * 0.7));
        WaveformDefined[j] = true;
    }
    TWave wave;
    wave.Period = 100;
    wave.SetWaveCount(1000);
    wave.Rule = AmplitudeRule::Drawn;
    for (auto _ : state) {
        wave.CalcAmplitudes();
        benchmark::DoNotOptimize(wave.Amplitudes.data());
    }
    ResetWaveform();
    state.SetLabel("n=1000, 11 points");
}
BENCHMARK(CalcDrawnAmplitudes)->Unit(benchmark::kMicrosecond);

} // namespace
