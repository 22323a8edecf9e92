// Runs the benchmarks in a widgets application, then prints for each pair named "Direct/<case>" and
// "Fast/<case>" how many times faster the fast one is.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Iteration || r.aggregate_name == "median")
                times[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As in the program, Qt's painting is set up by a first fill before any
    // frame is drawn.
    QImage first(16, 16, QImage::Format_RGB32);
    QPainter(&first).fillRect(first.rect(), Qt::white);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bool header = false;
    for (const auto &[name, t] : reporter.times) {
        if (name.rfind("Direct", 0) != 0)
            continue;
        const std::string fast = "Fast" + name.substr(6);
        auto it = reporter.times.find(fast);
        if (it == reporter.times.end() || it->second <= 0)
            continue;
        if (!header) {
            std::printf("\n%-40s %12s\n", "evaluation case", "speed-up");
            header = true;
        }
        std::printf("%-40s %11.1fx\n", name.substr(7).c_str(), t / it->second);
    }
    benchmark::Shutdown();
    return 0;
}
