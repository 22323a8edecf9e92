// The least a 1280×720 frame of 999 modes at quality 1000 can cost, part by
// part, to hold the whole frame against: clearing the picture; evaluating the
// modes with the least work the formula needs, one multiplication per pair
// from a table of the library's sines; and drawing the curves the frame has,
// the 2-pixel sum as QPainter draws it, or every mode's pixels merely stored.
#include "model/DisplaySettings.h"
#include "model/FrameEvaluator.h"
#include "model/PolylineRaster.h"
#include "model/Wave.h"
#include "model/WaveMath.h"
#include "model/WaveParams.h"
#include "model/WidePolyline.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Width = 1280;
constexpr int Height = 720;
constexpr int ModeCount = 999;
constexpr int Quality = 1000;
const QRgb White = qRgb(255, 255, 255);

// The string of the frame benchmarks and the vertices of its curves.
struct Modes {
    Wave wave;
    FrameEvaluator eval;

    Modes()
    {
        wave.period = 100;
        wave.setWaveCount(ModeCount);
        wave.rule = AmplitudeRule::Harmonic;
        wave.calcAmplitudes();
        eval.prepare(ModeCount, Width, Quality);
    }

    double amplitudeTimesCos(int k, int time) const
    {
        return double(wave.amplitudes[std::size_t(k)]) * wavemath::timeFactor(wave.period, time, k);
    }

    void curve(const float *values, std::vector<QPointF> &points) const
    {
        const std::vector<int> &px = eval.pixelColumns();
        points.resize(std::size_t(Quality) + 1);
        points[0] = QPointF(0, Height / 2);
        for (int i = 0; i < Quality; ++i)
            points[std::size_t(i) + 1] = QPointF(px[std::size_t(i)], wavemath::curveRow(Height / 2, values[i], 1.0f));
    }
};

void floorClear(benchmark::State &state)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(White);
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
}

// The sum's curve with the main pen, its vertices ready, drawn by the fastest
// way there is to QPainter's pixels: a period's worth of shapes taken in turn,
// so that it moves as in the animation.
void floorMainCurve(benchmark::State &state)
{
    Modes m;
    const QPen pen = toQPen(DisplaySettings().mainWavePen);
    std::vector<QPolygon> curves;
    std::vector<float> sum(Quality);
    std::vector<QPointF> points;
    for (int t = 0; t < 100; ++t) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int k = 1; k <= ModeCount; ++k)
            m.eval.evaluateMode(k, m.amplitudeTimesCos(k, t), nullptr, sum.data());
        m.curve(sum.data(), points);
        QPolygon poly(int(points.size()));
        for (int i = 0; i < poly.size(); ++i)
            poly[i] = points[std::size_t(i)].toPoint();
        curves.push_back(poly);
    }
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(White);
    WidePolylineDrawer drawer;
    std::size_t i = 0;
    for (auto _ : state) {
        const QPolygon &curve = curves[i++ % curves.size()];
        drawer.draw(image, curve.constData(), int(curve.size()), pen.width(), pen.color().rgb());
    }
}

// The library's sine of every pair, then per frame (float)(A·c·sin) added up
// (or, with every mode shown, also stored as the mode's row) by the widest
// loop the compiler makes of it.
#if defined(__x86_64__) && defined(__GNUC__)
#define VELMORA_WIDEST [[gnu::target_clones("avx2", "default")]]
#else
#define VELMORA_WIDEST
#endif

VELMORA_WIDEST void addTerms(const double *s, double ac, float *sum)
{
    for (int i = 0; i < Quality; ++i)
        sum[i] += float(ac * s[i]);
}

VELMORA_WIDEST void storeAndAddTerms(const double *s, double ac, float *row, float *sum)
{
    for (int i = 0; i < Quality; ++i)
        row[i] = float(ac * s[i]);
    for (int i = 0; i < Quality; ++i)
        sum[i] += row[i];
}

void floorEvaluation(benchmark::State &state)
{
    Modes m;
    const bool rows = state.range(0) != 0;
    std::vector<double> table(std::size_t(ModeCount) * Quality);
    for (int k = 1; k <= ModeCount; ++k)
        for (int i = 1; i <= Quality; ++i)
            table[std::size_t(k - 1) * Quality + std::size_t(i - 1)]
                = wavemath::modeSine(k, Width, wavemath::columnX(Width, i, Quality));
    std::vector<float> sum(Quality), row(Quality);
    int time = 0;
    for (auto _ : state) {
        ++time;
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int k = 1; k <= ModeCount; ++k) {
            const double ac = m.amplitudeTimesCos(k, time);
            const double *s = table.data() + std::size_t(k - 1) * Quality;
            if (rows) {
                storeAndAddTerms(s, ac, row.data(), sum.data());
                benchmark::DoNotOptimize(row.data());
            } else {
                addTerms(s, ac, sum.data());
            }
        }
        benchmark::DoNotOptimize(sum.data());
    }
}

// Every mode's one-pixel curve, its pixels found beforehand: only storing them
// is timed, which no way of drawing the curves can undercut.
void floorModeCurves(benchmark::State &state)
{
    Modes m;
    const QRgb color = toQPen(*DisplaySettings().wavePen(ModeCount)).color().rgb();
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(White);
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    // The pixels of a few frames, as offsets into the picture.
    std::vector<std::vector<qsizetype>> frames;
    std::vector<float> row(Quality);
    std::vector<QPointF> points;
    for (int time = 1; time <= 8; ++time) {
        std::vector<qsizetype> &pixels = frames.emplace_back();
        for (int k = 1; k <= ModeCount; ++k) {
            m.eval.modeRow(k, m.amplitudeTimesCos(k, time), row.data());
            m.curve(row.data(), points);
            for (std::size_t i = 1; i < points.size(); ++i) {
                const int x0 = int(points[i - 1].x()), y0 = int(points[i - 1].y());
                const int x1 = std::min(int(points[i].x()), Width - 1), y1 = int(points[i].y());
                const int steps = std::max({std::abs(x1 - x0), std::abs(y1 - y0), 1});
                for (int j = 0; j < steps; ++j)
                    pixels.push_back(qsizetype(y0 + (y1 - y0) * j / steps) * stride + x0 + (x1 - x0) * j / steps);
            }
        }
    }
    QRgb *bits = reinterpret_cast<QRgb *>(image.bits());
    std::size_t frame = 0;
    for (auto _ : state) {
        for (const qsizetype at : frames[frame++ % frames.size()])
            bits[at] = color;
        benchmark::DoNotOptimize(bits);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(floorClear)->Name("FloorClear")->Unit(benchmark::kMicrosecond);
BENCHMARK(floorMainCurve)->Name("FloorMainCurve")->Unit(benchmark::kMicrosecond);
BENCHMARK(floorEvaluation)->Name("FloorEvaluation")->ArgName("rows")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(floorModeCurves)->Name("FloorModeCurves")->Unit(benchmark::kMicrosecond);

} // namespace
