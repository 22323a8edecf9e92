// The cost of one probe of the amplitude monitor with 999 modes, the repaint
// of the page included, on each of its pages. A probe runs at every mouse
// move while Shift is held, so it has to fit well within one frame.
#include "bench/PaintCounter.h"
#include "model/DisplaySettings.h"
#include "model/Wave.h"
#include "monitor/AmplitudeMonitor.h"
#include "monitor/BarChart.h"

#include <QApplication>
#include <QTabWidget>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

constexpr int StringWidth = 527;
constexpr int ModeCount = 999;

struct ProbeSetup {
    Wave wave;
    DisplaySettings settings;
    AmplitudeMonitor frm{wave, settings};

    explicit ProbeSetup(bool table)
    {
        wave.setWaveCount(ModeCount);
        wave.rule = AmplitudeRule::Harmonic;
        wave.calcAmplitudes();
        if (table)
            frm.pageControl->setCurrentWidget(frm.tstGrid);
        frm.show();
        QCoreApplication::processEvents();
    }
};

void runProbes(benchmark::State &state, bool table)
{
    // Widgets need the widgets application object, not only the GUI one.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        state.SkipWithError("the monitor needs a QApplication");
        return;
    }
    ProbeSetup s(table);
    QWidget *painted = table ? s.frm.sgrAmplitudes->viewport() : static_cast<QWidget *>(s.frm.chart);
    PaintCounter counter;
    painted->installEventFilter(&counter);
    int x = 1;
    for (auto _ : state) {
        s.frm.showAmplitudesAt(x, StringWidth);
        painted->repaint();
        x = x % (StringWidth - 1) + 1;
    }
    painted->removeEventFilter(&counter);
    // Every probe must have been painted for the time to mean anything.
    if (counter.paints < state.iterations())
        state.SkipWithError("a probe was not repainted");
}

void monitorProbeGraph(benchmark::State &state)
{
    runProbes(state, false);
}

void monitorProbeTable(benchmark::State &state)
{
    runProbes(state, true);
}

} // namespace

BENCHMARK(monitorProbeGraph)->Name("MonitorProbeGraph")->Unit(benchmark::kMicrosecond);
BENCHMARK(monitorProbeTable)->Name("MonitorProbeTable")->Unit(benchmark::kMicrosecond);
