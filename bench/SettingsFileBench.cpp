// Start-up's load and exit's save of the largest settings file the program
// reads: short lines fill it, so every key is sought among many.
#include "display/VisualIni.h"
#include "model/DisplaySettings.h"
#include "platform/ProfileFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void loadAndSaveLargestFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    QByteArray text = "[general]\n";
    // Room left for the keys the save adds, so that it still writes.
    while (text.size() < MaxProfileFileBytes - 4096)
        text += "unknownkey=value\n";
    for (auto _ : state) {
        state.PauseTiming();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            state.SkipWithError("cannot write the file");
        file.close();
        state.ResumeTiming();
        DisplaySettings settings;
        loadDisplaySettings(path, settings);
        saveDisplaySettings(path, settings);
    }
    state.SetLabel("4 MB of short lines");
}
BENCHMARK(loadAndSaveLargestFile)->Name("LoadAndSaveLargestFile")->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
