#include "model/DisplaySettings.h"
#include "model/PolylineRaster.h"
#include "model/Wave.h"
#include "model/WaveMath.h"
#include "model/WaveParams.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wave.period = 100;
        compute(1, AmplitudeRule::Equal);
    }

    void compute(int n, AmplitudeRule rule)
    {
        wave.setWaveCount(n);
        wave.rule = rule;
        wave.calcAmplitudes();
    }

    // Thin, dashed and wide mode pens in turn, each in its own colour.
    void useMixedModePens()
    {
        for (int k = 1; k <= CustomWavePenCount; ++k)
            settings.wavePens[std::size_t(k)]
                = Pen{rgbToColor(k * 11, 255 - k * 9, k * 5), k % 3 == 1 ? 1 + (k / 3) % 4 : 0, k % 3 == 2 ? 2 : 1};
    }

    QRgb pixel(int x, int y) const { return wave.bitmap.pixel(x, y) & 0xFFFFFF; }
    static QRgb rgb(Color c) { return toQColor(c).rgb() & 0xFFFFFF; }

    int countColour(Color c) const
    {
        int count = 0;
        for (int y = 0; y < wave.bitmap.height(); ++y)
            for (int x = 0; x < wave.bitmap.width(); ++x)
                count += pixel(x, y) == rgb(c);
        return count;
    }

    // The picture drawn straight from the formulas, one call per vertex.
    QImage directFrame(int w, int h) const
    {
        QImage img(w, h, QImage::Format_RGB32);
        QPainter p(&img);
        p.fillRect(0, 0, w, h, toQColor(settings.bgColor));
        p.setPen(toQPen(settings.axisPen));
        p.drawLine(0, h / 2, w, h / 2);
        auto curve = [&](const Pen &pen, auto displacement) {
            std::vector<QPointF> poly{QPointF(0, h / 2)};
            for (int i = 1; i <= view.quality; ++i) {
                const float x = wavemath::columnX(w, i, view.quality);
                poly.emplace_back(std::nearbyint(x), wavemath::curveRow(h / 2, displacement(x), view.zoom));
            }
            const QPen q = toQPen(pen);
            if (isThinSolidPen(q))
                drawThinPolyline(img, poly.data(), int(poly.size()), q.color().rgb());
            else
                drawClippedPolyline(p, q, poly.data(), int(poly.size()), h);
        };
        if (view.showAll)
            for (int k = 1; k <= wave.waveCount; ++k)
                curve(*settings.wavePen(k), [&](float x) { return wave.modeDisplacement(k, w, x, view.time); });
        curve(settings.mainWavePen, [&](float x) { return wave.displacement(w, x, view.time); });
        return img;
    }

    FrameParams view;
    DisplaySettings settings;
    Wave wave;
};

TEST_F(FrameTest, GuideLinesDivideTheWidthIntoEqualParts)
{
    settings.visibleVertLines = true;
    settings.vertLinePen = Pen{colors::Blue, 0, 1};
    settings.axisPen.color = colors::None;
    settings.mainWavePen.color = colors::None;
    settings.numOfVertLines = 4;
    wave.drawFrame(527, 100, view, settings);
    for (int x = 0; x < 527; ++x) {
        const bool line = x == 131 || x == 263 || x == 395;
        ASSERT_EQ(pixel(x, 5) == rgb(colors::Blue), line) << "column " << x;
    }
    settings.numOfVertLines = 2;
    wave.drawFrame(527, 100, view, settings);
    EXPECT_EQ(pixel(263, 5), rgb(colors::Blue));
    EXPECT_EQ(countColour(colors::Blue), 100);
    for (int none : {1, 0, -5}) {
        settings.numOfVertLines = none;
        wave.drawFrame(527, 100, view, settings);
        EXPECT_EQ(countColour(colors::Blue), 0) << none;
    }
    settings.visibleVertLines = false;
    settings.numOfVertLines = 4;
    wave.drawFrame(527, 100, view, settings);
    EXPECT_EQ(countColour(colors::Blue), 0);
}

TEST_F(FrameTest, MoreDivisionsThanColumnsFillEveryColumnQuickly)
{
    settings.visibleVertLines = true;
    settings.vertLinePen = Pen{colors::Blue, 0, 1};
    settings.mainWavePen.color = colors::None;
    settings.axisPen.color = colors::None;
    settings.numOfVertLines = std::numeric_limits<int>::max();
    wave.drawFrame(50, 20, view, settings);
    EXPECT_EQ(countColour(colors::Blue), 50 * 20);
}

TEST_F(FrameTest, AxisLiesOnHalfTheHeight)
{
    settings.axisPen.color = colors::Lime;
    settings.mainWavePen.color = colors::None;
    for (auto [h, row] : {std::pair{345, 172}, {346, 173}, {1, 0}, {2, 1}}) {
        wave.drawFrame(40, h, view, settings);
        ASSERT_EQ(wave.bitmap.height(), h);
        EXPECT_EQ(pixel(10, row), rgb(colors::Lime)) << "height " << h;
        EXPECT_EQ(countColour(colors::Lime), 40) << "height " << h;
    }
    wave.drawFrame(40, 0, view, settings);
    EXPECT_TRUE(wave.bitmap.isNull());
}

TEST_F(FrameTest, QualityTwoDrawsTwoSegmentsThroughTheMiddle)
{
    view.quality = 2;
    view.time = 0;
    settings.mainWavePen = Pen{colors::Black, 0, 1};
    settings.axisPen.color = colors::None;
    wave.drawFrame(200, 101, view, settings);
    // Mode 1 at t = 0 has amplitude 1 at the middle: the peak is at row 0.
    EXPECT_EQ(pixel(100, 0), rgb(colors::Black));
    EXPECT_EQ(pixel(50, 25), rgb(colors::Black));
    EXPECT_EQ(pixel(150, 25), rgb(colors::Black));
    EXPECT_EQ(pixel(100, 50), rgb(colors::White));
    EXPECT_EQ(wave.bitmap, directFrame(200, 101));
}

TEST_F(FrameTest, ZeroZoomPutsEveryCurveOnTheAxis)
{
    compute(5, AmplitudeRule::Harmonic);
    view.zoom = 0.0f;
    view.showAll = true;
    settings.mainWavePen = Pen{colors::Black, 0, 1};
    wave.drawFrame(120, 81, view, settings);
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(pixel(x, y), y == 40 ? rgb(colors::Black) : rgb(colors::White)) << x << "," << y;
}

TEST_F(FrameTest, SuperposedCurveIsDrawnLastOverTheModes)
{
    settings.mainWavePen = Pen{colors::Black, 0, 1};
    view.showAll = true;
    view.time = 7;
    wave.drawFrame(300, 200, view, settings);
    EXPECT_EQ(countColour(colors::Red), 0) << "one mode lies exactly under the superposed curve";
    settings.mainWavePen.color = colors::None;
    wave.drawFrame(300, 200, view, settings);
    EXPECT_GE(countColour(colors::Red), 300);
    view.showAll = false;
    wave.drawFrame(300, 200, view, settings);
    EXPECT_EQ(countColour(colors::Red), 0) << "modes only with show-all";
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
        compute(c.n, AmplitudeRule::Harmonic);
        view.quality = c.q;
        view.time = c.t;
        view.zoom = c.zoom;
        view.showAll = c.showAll;
        settings.wavePens[2] = Pen{colors::Blue, 1, 2};
        wave.drawFrame(c.w, c.h, view, settings);
        ASSERT_EQ(wave.bitmap, directFrame(c.w, c.h)) << "n=" << c.n << " w=" << c.w << " q=" << c.q;
    }
}

// Frames drawn with the loops every x86-64 runs and with each wider set this
// CPU runs must be the same pixels, all equal to the formulas' frame. Modes
// of equal, tiny amplitude lie on the axis at some times and not at others, in
// pens of their own colours: a skipped axis line must never show.
TEST_F(FrameTest, EveryInstructionSetDrawsTheFormulasFrame)
{
    if (!cpuRuns(InstructionSet::Avx2))
        GTEST_SKIP() << "this CPU runs only the baseline loops";
    useMixedModePens();
    for (const InstructionSet set : runnableInstructionSets()) {
        Wave drawn(set);
        for (const auto &[n, rule, h, q, beyondTable] : {std::tuple{40, AmplitudeRule::Equal, 60, 300, false},
                                                         std::tuple{999, AmplitudeRule::Harmonic, 120, 1000, false},
                                                         std::tuple{30, AmplitudeRule::Harmonic, 50, 150000, true}}) {
            compute(n, rule);
            drawn.period = wave.period;
            drawn.setWaveCount(n);
            drawn.rule = rule;
            drawn.calcAmplitudes();
            view.quality = q;
            for (int frame = 0; frame * (beyondTable ? 50 : 9) < 100; ++frame) {
                view.time = frame * (beyondTable ? 50 : 9);
                view.showAll = frame % 2 == 0;
                drawn.drawFrame(320, h, view, settings);
                ASSERT_EQ(drawn.bitmap, directFrame(320, h))
                    << "set=" << int(set) << " n=" << n << " t=" << view.time << " q=" << q;
            }
        }
    }
}

// Worked out ahead, as while animating fast, a frame is the same pixels: past
// the budget of rows kept, from a mode leaving the picture on, and plain. One
// drawn again, asked for at another time, or after the string changed, is
// drawn afresh.
TEST_F(FrameTest, FramesWorkedOutAheadAreTheSamePixels)
{
    useMixedModePens();
    Wave ahead;
    ahead.setFrameInterval(1);
    const QSize size(200, 90);
    for (const FrameParams look : {FrameParams{0, 1.0f, 1000, true}, FrameParams{0, 6.0f, 300, true},
                                   FrameParams{0, 1.0f, 150000, true}, FrameParams{0, 1.0f, 500, false}}) {
        compute(look.quality == 1000 ? 999 : 60, AmplitudeRule::Harmonic);
        view = look;
        for (view.time = 0; view.time < 40; view.time += 13) {
            ahead.copyStringFrom(wave);
            wave.drawFrame(size.width(), size.height(), view, settings);
            ahead.prepareFrame(size, view);
            ahead.drawFrame(size.width(), size.height(), view, settings);
            ASSERT_EQ(ahead.bitmap, wave.bitmap) << "q=" << view.quality << " t=" << view.time;
            ahead.drawFrame(size.width(), size.height(), view, settings);
            ASSERT_EQ(ahead.bitmap, wave.bitmap) << "drawn again";

            FrameParams later = view;
            ++later.time;
            ahead.prepareFrame(size, later);
            ahead.drawFrame(size.width(), size.height(), view, settings);
            ASSERT_EQ(ahead.bitmap, wave.bitmap) << "prepared for another time";

            ahead.prepareFrame(size, view);
            ahead.amplitudes[2] = wave.amplitudes[2] = -wave.amplitudes[2];
            wave.drawFrame(size.width(), size.height(), view, settings);
            ahead.drawFrame(size.width(), size.height(), view, settings);
            ASSERT_EQ(ahead.bitmap, wave.bitmap) << "prepared before the string changed";
            wave.amplitudes[2] = -wave.amplitudes[2];
        }
    }
}

// With every mode flat and no main curve, the axis row shows what the last
// flat curves leave: a dashed one after a solid one shows the solid between
// its dashes.
TEST_F(FrameTest, EachRunOfFlatModesIsDrawnInItsOwnPen)
{
    useMixedModePens();
    settings.mainWavePen.color = colors::None;
    compute(19, AmplitudeRule::Equal);
    view.zoom = 0.001f;
    view.showAll = true;
    for (view.time = 0; view.time < 40; view.time += 13) {
        wave.drawFrame(200, 60, view, settings);
        ASSERT_EQ(wave.bitmap, directFrame(200, 60)) << "t=" << view.time;
    }
}

// The picture on screen is a part of the window's, whose rows are longer and
// whose pixels may be premultiplied ARGB: drawn there, the frame must be the
// same bytes, and nothing around it may change.
TEST_F(FrameTest, AFrameDrawnInsideALargerPictureIsTheSameBytes)
{
    useMixedModePens();
    settings.visibleVertLines = true;
    settings.numOfVertLines = 7;
    settings.bgColor = rgbToColor(250, 240, 200);
    compute(60, AmplitudeRule::Harmonic);
    view = {37, 1.7f, 500, true};
    wave.drawFrame(301, 150, view, settings);
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage window(340, 190, format);
        window.fill(qRgb(1, 2, 3));
        const QImage untouched = window.copy();
        QImage part(window.bits() + 7 * window.bytesPerLine() + 13 * 4, 301, 150, window.bytesPerLine(), format);
        wave.drawFrame(part, view, settings);
        for (int y = 0; y < window.height(); ++y)
            for (int x = 0; x < window.width(); ++x) {
                const bool inside = x >= 13 && x < 13 + 301 && y >= 7 && y < 7 + 150;
                const QImage &expected = inside ? wave.bitmap : untouched;
                const QPoint at = inside ? QPoint(x - 13, y - 7) : QPoint(x, y);
                ASSERT_EQ(reinterpret_cast<const QRgb *>(window.constScanLine(y))[x],
                          reinterpret_cast<const QRgb *>(expected.constScanLine(at.y()))[at.x()])
                    << format << " " << x << "," << y;
            }
    }
}

// A resize draws into the memory already there, never into a frame still
// held; a held frame keeps its pixels after the string that drew it is gone.
TEST_F(FrameTest, ResizesReuseTheirMemoryButNeverAHeldFrame)
{
    auto held = std::make_unique<Wave>();
    held->copyStringFrom(wave);
    held->drawFrame(320, 200, view, settings);
    const uchar *first = held->bitmap.constBits();
    held->drawFrame(319, 200, view, settings);
    EXPECT_EQ(held->bitmap.constBits(), first) << "a smaller picture, nothing held";
    EXPECT_EQ(held->bitmap, directFrame(319, 200));

    const QImage kept = held->bitmap, keptCopy = kept.copy();
    held->drawFrame(320, 200, view, settings);
    const QImage alsoKept = held->bitmap, alsoKeptCopy = alsoKept.copy();
    ++view.time;
    held->drawFrame(318, 200, view, settings); // both earlier frames held
    EXPECT_NE(held->bitmap.constBits(), kept.constBits());
    EXPECT_NE(held->bitmap.constBits(), alsoKept.constBits());
    EXPECT_EQ(held->bitmap, directFrame(318, 200));
    held.reset();
    EXPECT_EQ(kept, keptCopy);
    EXPECT_EQ(alsoKept, alsoKeptCopy);
}

TEST_F(FrameTest, ExtremeInputsDrawWithoutHarm)
{
    compute(20, AmplitudeRule::Harmonic);
    view.showAll = true;
    for (float zoom : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f, 1e-30f}) {
        view.zoom = zoom;
        wave.drawFrame(200, 100, view, settings);
        EXPECT_EQ(wave.bitmap.size(), QSize(200, 100));
    }
    view.zoom = 1.0f;
    wave.drawFrame(1, 1, view, settings);
    EXPECT_EQ(wave.bitmap.size(), QSize(1, 1));
    wave.drawFrame(0, 50, view, settings);
    EXPECT_TRUE(wave.bitmap.isNull());
    view.quality = 1;
    wave.drawFrame(10000, 3, view, settings);
    EXPECT_EQ(wave.bitmap.width(), 10000);
    settings.mainWavePen.width = 10000;
    wave.drawFrame(64, 64, view, settings);
    wave.period = 0;
    wave.drawFrame(64, 64, view, settings);
    EXPECT_EQ(wave.bitmap.size(), QSize(64, 64));
}

// At a deep zoom a segment runs from far above the picture to far below it; what
// shows must lie on the exact line between its vertices, however far out they
// are. Here the vertex at x = 50 lies a hundred times farther above than the one
// at x = 100 lies below, so the segment crosses the picture near x = 100.
TEST_F(FrameTest, CurvesFarBeyondThePictureCrossItOnTheirExactLines)
{
    wave.setWaveCount(2);
    wave.amplitudes[1] = -0.01f;
    wave.amplitudes[2] = 1.00707f;
    view.quality = 4;
    view.zoom = 2e7f;
    constexpr int W = 200, H = 100;
    std::vector<std::pair<long double, long double>> vertices{{0.0L, H / 2}};
    for (int i = 1; i <= 4; ++i) {
        const float x = wavemath::columnX(W, i, 4);
        const long double row
            = (H / 2) * (1.0L - (long double)wave.displacement(W, x, view.time) * (long double)view.zoom);
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
    for (const Pen pen : {Pen{colors::Blue, 0, 1}, Pen{colors::Blue, 0, 3}, Pen{colors::Blue, 1, 1}}) {
        settings.mainWavePen = pen;
        wave.drawFrame(W, H, view, settings);
        int inked = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (pixel(x, y) == rgb(colors::Blue)) {
                    ++inked;
                    ASSERT_LE(distanceToCurve(x, y), pen.width / 2.0L + 1.0L)
                        << "pen " << pen.width << "/" << pen.style << " at " << x << "," << y;
                }
        EXPECT_GT(inked, H) << "pen " << pen.width << "/" << pen.style;
    }
}

// Qt refuses a pen from 32768 pixels up and would draw a hairline instead.
TEST_F(FrameTest, APenWiderThanQtTakesDrawsAtLeastAsWideAsTheWidestItDoes)
{
    settings.mainWavePen.color = colors::Blue;
    view.zoom = 0.0f; // a straight line along the axis, its flat ends at the picture's edges
    for (int width : {32767, 32768, 100000, 0x7FFFFFFF}) {
        settings.mainWavePen.width = width;
        wave.drawFrame(200, 100, view, settings);
        EXPECT_EQ(countColour(colors::Blue), 200 * 100) << width;
    }
}

TEST_F(FrameTest, DefaultSettingsDrawWhiteSilverAndBlack)
{
    wave.drawFrame(100, 60, view, settings);
    EXPECT_EQ(pixel(0, 0), rgb(colors::White));
    EXPECT_EQ(pixel(0, 30), rgb(colors::Silver));
    EXPECT_GT(countColour(colors::Black), 100);
}

} // namespace
