#include "display/DisplaySettingsRecord.h"
#include "model/FixedView.h"
#include "model/PolylineRaster.h"
#include "model/Wave.h"
#include "model/WaveMath.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWaveform();
        wave.SetView(&view);
        wave.SetDisplaySettings(&settings);
        wave.Period = 100;
        Compute(1, AmplitudeRule::Equal);
    }

    void Compute(int n, AmplitudeRule rule)
    {
        wave.SetWaveCount(n);
        wave.Rule = rule;
        wave.CalcAmplitudes();
    }

    QRgb Pixel(int x, int y) const { return wave.Bitmap.pixel(x, y) & 0xFFFFFF; }
    static QRgb Rgb(TColor c) { return ToQColor(c).rgb() & 0xFFFFFF; }

    int CountColour(TColor c) const
    {
        int count = 0;
        for (int y = 0; y < wave.Bitmap.height(); ++y)
            for (int x = 0; x < wave.Bitmap.width(); ++x)
                count += Pixel(x, y) == Rgb(c);
        return count;
    }

    // The picture drawn straight from the formulas, one call per vertex.
    QImage DirectFrame(int w, int h) const
    {
        QImage img(w, h, QImage::Format_RGB32);
        QPainter p(&img);
        p.fillRect(0, 0, w, h, ToQColor(settings.BGColor));
        p.setPen(ToQPen(settings.AxisPen));
        p.drawLine(0, h / 2, w, h / 2);
        auto curve = [&](const TPen &pen, auto displacement) {
            std::vector<QPointF> poly{QPointF(0, h / 2)};
            for (int i = 1; i <= view.quality; ++i) {
                const float x = wavemath::ColumnX(w, i, view.quality);
                poly.emplace_back(std::nearbyint(x), wavemath::CurveRow(h / 2, displacement(x), view.zoom));
            }
            const QPen q = ToQPen(pen);
            if (IsThinSolidPen(q))
                DrawThinPolyline(img, poly.data(), int(poly.size()), q.color().rgb());
            else
                DrawClippedPolyline(p, q, poly.data(), int(poly.size()), h);
        };
        if (view.showAll)
            for (int k = 1; k <= wave.WaveCount; ++k)
                curve(*settings.GetWavePen(k), [&](float x) { return wave.ModeDisplacement(k, w, x); });
        curve(settings.MainWavePen, [&](float x) { return wave.Displacement(w, x); });
        return img;
    }

    TFixedView view;
    TDisplaySettings settings;
    TWave wave;
};

TEST_F(FrameTest, GuideLinesDivideTheWidthIntoEqualParts)
{
    settings.VisibleVertLines = true;
    settings.VertLinePen = TPen{clBlue, 0, 1};
    settings.AxisPen.Color = clNone;
    settings.MainWavePen.Color = clNone;
    int n = 4;
    settings.SetNumOfVertLinesSource([&] { return n; });
    wave.DrawFrame(527, 100);
    for (int x = 0; x < 527; ++x) {
        const bool line = x == 131 || x == 263 || x == 395;
        ASSERT_EQ(Pixel(x, 5) == Rgb(clBlue), line) << "column " << x;
    }
    n = 2;
    wave.DrawFrame(527, 100);
    EXPECT_EQ(Pixel(263, 5), Rgb(clBlue));
    EXPECT_EQ(CountColour(clBlue), 100);
    for (int none : {1, 0, -5}) {
        n = none;
        wave.DrawFrame(527, 100);
        EXPECT_EQ(CountColour(clBlue), 0) << none;
    }
    settings.VisibleVertLines = false;
    n = 4;
    wave.DrawFrame(527, 100);
    EXPECT_EQ(CountColour(clBlue), 0);
}

TEST_F(FrameTest, MoreDivisionsThanColumnsFillEveryColumnQuickly)
{
    settings.VisibleVertLines = true;
    settings.VertLinePen = TPen{clBlue, 0, 1};
    settings.MainWavePen.Color = clNone;
    settings.AxisPen.Color = clNone;
    settings.SetNumOfVertLinesSource([] { return std::numeric_limits<int>::max(); });
    wave.DrawFrame(50, 20);
    EXPECT_EQ(CountColour(clBlue), 50 * 20);
}

TEST_F(FrameTest, AxisLiesOnHalfTheHeight)
{
    settings.AxisPen.Color = clLime;
    settings.MainWavePen.Color = clNone;
    for (auto [h, row] : {std::pair{345, 172}, {346, 173}, {1, 0}, {2, 1}}) {
        wave.DrawFrame(40, h);
        ASSERT_EQ(wave.Bitmap.height(), h);
        EXPECT_EQ(Pixel(10, row), Rgb(clLime)) << "height " << h;
        EXPECT_EQ(CountColour(clLime), 40) << "height " << h;
    }
    wave.DrawFrame(40, 0);
    EXPECT_TRUE(wave.Bitmap.isNull());
}

TEST_F(FrameTest, QualityTwoDrawsTwoSegmentsThroughTheMiddle)
{
    view.quality = 2;
    view.time = 0;
    settings.MainWavePen = TPen{clBlack, 0, 1};
    settings.AxisPen.Color = clNone;
    wave.DrawFrame(200, 101);
    // Mode 1 at t = 0 has amplitude 1 at the middle: the peak is at row 0.
    EXPECT_EQ(Pixel(100, 0), Rgb(clBlack));
    EXPECT_EQ(Pixel(50, 25), Rgb(clBlack));
    EXPECT_EQ(Pixel(150, 25), Rgb(clBlack));
    EXPECT_EQ(Pixel(100, 50), Rgb(clWhite));
    EXPECT_EQ(wave.Bitmap, DirectFrame(200, 101));
}

TEST_F(FrameTest, ZeroZoomPutsEveryCurveOnTheAxis)
{
    Compute(5, AmplitudeRule::Harmonic);
    view.zoom = 0.0f;
    view.showAll = true;
    settings.MainWavePen = TPen{clBlack, 0, 1};
    wave.DrawFrame(120, 81);
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(Pixel(x, y), y == 40 ? Rgb(clBlack) : Rgb(clWhite)) << x << "," << y;
}

TEST_F(FrameTest, SuperposedCurveIsDrawnLastOverTheModes)
{
    settings.MainWavePen = TPen{clBlack, 0, 1};
    view.showAll = true;
    view.time = 7;
    wave.DrawFrame(300, 200);
    EXPECT_EQ(CountColour(clRed), 0) << "one mode lies exactly under the superposed curve";
    settings.MainWavePen.Color = clNone;
    wave.DrawFrame(300, 200);
    EXPECT_GE(CountColour(clRed), 300);
    view.showAll = false;
    wave.DrawFrame(300, 200);
    EXPECT_EQ(CountColour(clRed), 0) << "modes only with show-all";
}

TEST_F(FrameTest, FramesMatchTheFormulasVertexForVertex)
{
    struct Case {
        int n, w, h, q, t;
        float zoom;
        bool showAll;
    };
    const Case cases[] = {{1, 527, 346, 50, 1, 1.0f, false},
                          {7, 333, 201, 1000, 13, 1.3f, true},
                          {50, 101, 99, 77, -40, 0.9f, true},
                          {300, 640, 480, 640, 99, 2.5f, false},
                          {3, 10, 10, 37, 5, 1.0f, true}};
    for (const Case &c : cases) {
        Compute(c.n, AmplitudeRule::Harmonic);
        view.quality = c.q;
        view.time = c.t;
        view.zoom = c.zoom;
        view.showAll = c.showAll;
        settings.WavePens[2] = TPen{clBlue, 1, 2};
        wave.DrawFrame(c.w, c.h);
        ASSERT_EQ(wave.Bitmap, DirectFrame(c.w, c.h)) << "n=" << c.n << " w=" << c.w << " q=" << c.q;
    }
}

TEST_F(FrameTest, ExtremeInputsDrawWithoutHarm)
{
    Compute(20, AmplitudeRule::Harmonic);
    view.showAll = true;
    for (float zoom : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f, 1e-30f}) {
        view.zoom = zoom;
        wave.DrawFrame(200, 100);
        EXPECT_EQ(wave.Bitmap.size(), QSize(200, 100));
    }
    view.zoom = 1.0f;
    wave.DrawFrame(1, 1);
    EXPECT_EQ(wave.Bitmap.size(), QSize(1, 1));
    wave.DrawFrame(0, 50);
    EXPECT_TRUE(wave.Bitmap.isNull());
    view.quality = 1;
    wave.DrawFrame(10000, 3);
    EXPECT_EQ(wave.Bitmap.width(), 10000);
    settings.MainWavePen.Width = 10000;
    wave.DrawFrame(64, 64);
    wave.Period = 0;
    wave.DrawFrame(64, 64);
    EXPECT_EQ(wave.Bitmap.size(), QSize(64, 64));
}

// At a deep zoom a segment runs from far above the picture to far below it; what
// shows must lie on the exact line between its vertices, however far out they
// are. Here the vertex at x = 50 lies a hundred times farther above than the one
// at x = 100 lies below, so the segment crosses the picture near x = 100.
TEST_F(FrameTest, CurvesFarBeyondThePictureCrossItOnTheirExactLines)
{
    wave.SetWaveCount(2);
    wave.Amplitudes[1] = -0.01f;
    wave.Amplitudes[2] = 1.00707f;
    view.quality = 4;
    view.zoom = 2e7f;
    constexpr int W = 200, H = 100;
    std::vector<std::pair<long double, long double>> vertices{{0.0L, H / 2}};
    for (int i = 1; i <= 4; ++i) {
        const float x = wavemath::ColumnX(W, i, 4);
        const long double row = (H / 2) * (1.0L - (long double)wave.Displacement(W, x) * (long double)view.zoom);
        vertices.emplace_back(x, std::nearbyint(row));
    }
    ASSERT_LT(vertices[1].second, -1e8L);
    ASSERT_GT(vertices[2].second, 1e6L);
    auto distanceToCurve = [&](int px, int py) {
        long double best = 1e30L;
        for (std::size_t i = 1; i < vertices.size(); ++i) {
            const auto [ax, ay] = vertices[i - 1];
            const auto [bx, by] = vertices[i];
            const long double dx = bx - ax, dy = by - ay;
            const long double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0L, 1.0L);
            best = std::min(best, std::hypot(px - (ax + t * dx), py - (ay + t * dy)));
        }
        return best;
    };
    for (const TPen pen : {TPen{clBlue, 0, 1}, TPen{clBlue, 0, 3}, TPen{clBlue, 1, 1}}) {
        settings.MainWavePen = pen;
        wave.DrawFrame(W, H);
        int inked = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (Pixel(x, y) == Rgb(clBlue)) {
                    ++inked;
                    ASSERT_LE(distanceToCurve(x, y), pen.Width / 2.0L + 1.0L)
                        << "pen " << pen.Width << "/" << pen.Style << " at " << x << "," << y;
                }
        EXPECT_GT(inked, H) << "pen " << pen.Width << "/" << pen.Style;
    }
}

// Qt refuses a pen from 32768 pixels up and would draw a hairline instead.
TEST_F(FrameTest, APenWiderThanQtTakesDrawsAtLeastAsWideAsTheWidestItDoes)
{
    settings.MainWavePen.Color = clBlue;
    view.zoom = 0.0f; // a straight line along the axis, its flat ends at the picture's edges
    for (int width : {32767, 32768, 100000, 0x7FFFFFFF}) {
        settings.MainWavePen.Width = width;
        wave.DrawFrame(200, 100);
        EXPECT_EQ(CountColour(clBlue), 200 * 100) << width;
    }
}

TEST_F(FrameTest, DefaultSettingsDrawWhiteSilverAndBlack)
{
    wave.DrawFrame(100, 60);
    EXPECT_EQ(Pixel(0, 0), Rgb(clWhite));
    EXPECT_EQ(Pixel(0, 30), Rgb(clSilver));
    EXPECT_GT(CountColour(clBlack), 100);
}

} // namespace
