// The drawn amplitude rule at its largest: 1000 modes, every inner point defined.
#include "model/Wave.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void calcDrawnAmplitudes(benchmark::State &state)
{
    DrawnWaveform drawn;
    for (int j = 1; j <= DrawnWaveform::LastInner; ++j)
        drawn.setHeight(j, float(std::sin(j * 0.7)));
    Wave wave;
    wave.period = 100;
    wave.setWaveCount(1000);
    wave.rule = AmplitudeRule::Drawn;
    for (auto _ : state) {
        wave.calcAmplitudes(drawn);
        benchmark::DoNotOptimize(wave.amplitudes.data());
    }
    state.SetLabel("n=1000, 11 points");
}
BENCHMARK(calcDrawnAmplitudes)->Name("CalcDrawnAmplitudes")->Unit(benchmark::kMicrosecond);

} // namespace
