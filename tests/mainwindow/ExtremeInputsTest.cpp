#include "mainwindow/MainWindowFixture.h"
#include "model/DrawnWaveform.h"

#include <functional>

namespace {

// The number of pixels of one colour in a frame.
int pixelsOf(const QImage &frame, QRgb color)
{
    int n = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            n += frame.pixel(x, y) == color;
    return n;
}

// Every input without an upper bound, taken to its end: nothing may crash and
// nothing may be undefined. How long these take is measured by scripts/bench;
// the test run's own timeout guards against a hang.
TEST_F(MainWindowTest, InputsAtTheirEndsNeitherCrashNorStall)
{
    DrawnWaveform drawn;
    struct Case {
        const char *what;
        std::function<void()> prepare;
        std::function<void()> act;
        std::function<void()> check;
    };
    auto showAllModes = [&](int n) {
        wave.setWaveCount(n);
        wave.rule = AmplitudeRule::Harmonic;
        wave.calcAmplitudes();
        action("actionShowAll")->setChecked(true);
    };
    const Case cases[] = {
        {"time at the top end, frame forward", [&] { view().setTime(INT32_MAX); }, [&] { run("actionStepForward"); },
         [&] { EXPECT_EQ(view().time(), INT32_MAX); }},
        {"time at the bottom end, frame back", [&] { view().setTime(INT32_MIN); }, [&] { run("actionStepBack"); },
         [&] { EXPECT_EQ(view().time(), INT32_MIN); }},
        {"time box at both ends",
         [&] {
             w->setInputBox([n = 0](const QString &, const QString &, const QString &) mutable {
                 return QString::number(n++ == 0 ? INT32_MIN : INT32_MAX);
             });
         },
         [&] {
             run("actionTime");
             run("actionTime");
         },
         [&] { EXPECT_EQ(view().time(), INT32_MAX); }},
        {"clock step at the top end",
         [&] {
             view().setTime(INT32_MAX);
             ticks += 1000;
         },
         [&] {
             bool done = true;
             w->clock().handleIdle(done);
         },
         [&] { EXPECT_EQ(view().time(), INT32_MAX); }},
        {"interval at its maximum, frequency down", [&] { w->clock().setInterval(INT32_MAX); },
         [&] { run("actionSlower"); }, [&] { EXPECT_EQ(w->clock().interval(), INT32_MAX); }},
        {"quality at its limit",
         [&] {
             showAllModes(3);
             view().setQuality(INT32_MAX);
         },
         [&] { run("actionFiner"); },
         [&] {
             EXPECT_EQ(view().quality(), INT32_MAX);
             EXPECT_GT(pixelsOf(picture()->frame(), qRgb(0, 0, 0)), picture()->width()) << "the string is drawn";
         }},
        {"every mode of 1000 shown at quality 10000",
         [&] {
             showAllModes(1000);
             view().setQuality(10000);
         },
         [&] { w->redraw(); },
         [&] { EXPECT_GT(pixelsOf(picture()->frame(), qRgb(0, 0, 0)), picture()->width()) << "the string is drawn"; }},
        {"zoom in 5000 times", [] {},
         [&] {
             for (int i = 0; i < 5000; ++i)
                 run("actionZoomIn");
         },
         [&] { EXPECT_TRUE(std::isfinite(view().zoom())); }},
        {"zoom out 5000 times", [] {},
         [&] {
             for (int i = 0; i < 5000; ++i)
                 run("actionZoomOut");
         },
         [&] { EXPECT_GE(view().zoom(), 0.0f); }},
        {"a 1 x 1 picture", [&] { picture()->setFixedSize(1, 1); }, [&] { w->redraw(); },
         [&] { EXPECT_EQ(picture()->frame().size(), QSize(1, 1)); }},
        {"a 4000 x 3000 picture, 1000 modes shown",
         [&] {
             showAllModes(1000);
             view().setQuality(4000);
             picture()->setFixedSize(4000, 3000);
         },
         [&] { w->redraw(); }, [&] { EXPECT_EQ(picture()->frame().size(), QSize(4000, 3000)); }},
        {"1000 modes of a drawing far beyond one",
         [&] {
             for (int j = 1; j <= 11; ++j)
                 drawn.setHeight(j, j % 2 ? 1e30f : -1e30f);
             wave.setWaveCount(1000);
             wave.rule = AmplitudeRule::Drawn;
         },
         [&] {
             wave.calcAmplitudes(drawn);
             action("actionShowAll")->setChecked(true);
             w->redraw();
         },
         [&] { EXPECT_FALSE(std::isnan(wave.amplitudes[1])); }},
        {"a pen 10000 wide",
         [&] {
             settings.mainWavePen.width = 10000;
             settings.wavePens[0].width = 10000;
             showAllModes(30);
         },
         [&] { w->redraw(); }, [] {}},
        {"2147483647 guide lines",
         [&] {
             settings.visibleVertLines = true;
             settings.numOfVertLines = INT32_MAX;
         },
         [&] { w->redraw(); }, [] {}},
        {"-5 guide lines",
         [&] {
             settings.visibleVertLines = true;
             settings.numOfVertLines = -5;
         },
         [&] { w->redraw(); }, [] {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        drawn.clear();
        settings = DisplaySettings();
        SetUp();
        c.prepare();
        c.act();
        c.check();
    }
}

} // namespace
