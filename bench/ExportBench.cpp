// The exports of the command line as they draw and encode, without the file:
// a 1920x1080 PNG, and one period of 50 frames as a 1280x720 GIF, of 999
// modes of amplitude 1/n at quality 1000 with every mode shown.
#include "app/Export.h"
#include "model/DisplaySettings.h"

#include <benchmark/benchmark.h>

namespace {

Lesson busiestLesson()
{
    Lesson lesson;
    lesson.wave = WaveParams{999, 100.0f, AmplitudeRule::Harmonic};
    lesson.view.quality = 1000;
    lesson.view.showAll = true;
    return lesson;
}

void exportPng(benchmark::State &state)
{
    const Lesson lesson = busiestLesson();
    const DisplaySettings look;
    for (auto _ : state) {
        const QByteArray png = lessonFramePng(lesson, look, QSize(1920, 1080));
        if (png.isEmpty())
            state.SkipWithError("no PNG");
        benchmark::DoNotOptimize(png.constData());
    }
    state.SetLabel("1920x1080, n=999 Q=1000 show-all");
}
BENCHMARK(exportPng)->Name("ExportPng")->Unit(benchmark::kMillisecond);

void exportGif(benchmark::State &state)
{
    const Lesson lesson = busiestLesson();
    const DisplaySettings look;
    for (auto _ : state) {
        const QByteArray gif = lessonAnimationGif(lesson, look, QSize(1280, 720), 50);
        if (gif.isEmpty())
            state.SkipWithError("no GIF");
        benchmark::DoNotOptimize(gif.constData());
    }
    state.SetLabel("50 frames of 1280x720, n=999 Q=1000 show-all");
}
BENCHMARK(exportGif)->Name("ExportGif")->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
