// One second of the string's tone at 48 kHz, as the sound output asks for it
// (10 ms at a time), with 999 modes of 1/k and one change of amplitudes in it.
#include "model/ToneSynth.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void synthesizeOneSecond(benchmark::State &state)
{
    constexpr int Rate = 48000;
    std::vector<float> amplitudes(999);
    for (std::size_t k = 0; k < amplitudes.size(); ++k)
        amplitudes[k] = 1.0f / float(k + 1);
    ToneSynth synth(Rate);
    synth.setPlaying(true);
    std::vector<float> chunk(Rate / 100);
    for (auto _ : state) {
        amplitudes[1] = -amplitudes[1];
        synth.setAmplitudes(amplitudes);
        for (int i = 0; i < 100; ++i) {
            synth.render(chunk);
            benchmark::DoNotOptimize(chunk.data());
        }
    }
    state.SetLabel("999 modes, 48 kHz, one change");
}
BENCHMARK(synthesizeOneSecond)->Name("SynthesizeOneSecond")->Unit(benchmark::kMicrosecond);

} // namespace
