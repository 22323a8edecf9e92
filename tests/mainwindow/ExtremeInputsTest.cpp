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
    struct Case {
        const char *what;
        std::function<void()> prepare;
        std::function<void()> act;
        std::function<void()> check;
    };
    auto showAllModes = [&](int n) {
        w->wave->setWaveCount(n);
        w->wave->rule = AmplitudeRule::Harmonic;
        w->wave->calcAmplitudes();
        w->btnShowAll->setChecked(true);
    };
    const Case cases[] = {
        {"time at the top end, frame forward", [&] { w->setTime(INT32_MAX); }, [&] { w->btnNextClick(); },
         [&] { EXPECT_EQ(w->time, INT32_MAX); }},
        {"time at the bottom end, frame back", [&] { w->setTime(INT32_MIN); }, [&] { w->btnPrevClick(); },
         [&] { EXPECT_EQ(w->time, INT32_MIN); }},
        {"time box at both ends",
         [&] {
             w->setInputBox([n = 0](const QString &, const QString &, const QString &) mutable {
                 return QString::number(n++ == 0 ? INT32_MIN : INT32_MAX);
             });
         },
         [&] {
             w->lblTimeClick();
             w->lblTimeClick();
         },
         [&] { EXPECT_EQ(w->time, INT32_MAX); }},
        {"clock step at the top end",
         [&] {
             w->setTime(INT32_MAX);
             ticks += 1000;
         },
         [&] {
             bool done = true;
             w->appIdle(done);
         },
         [&] { EXPECT_EQ(w->time, INT32_MAX); }},
        {"interval at its maximum, frequency down", [&] { w->setInterval(INT32_MAX); }, [&] { w->btnSpeedDownClick(); },
         [&] { EXPECT_EQ(w->interval, INT32_MAX); }},
        {"quality at its limit",
         [&] {
             showAllModes(3);
             w->setQuality(INT32_MAX);
         },
         [&] { w->btnDetailedClick(); },
         [&] {
             EXPECT_EQ(w->quality, INT32_MAX);
             EXPECT_GT(pixelsOf(w->wave->bitmap, qRgb(0, 0, 0)), w->pntWave->width()) << "the string is drawn";
         }},
        {"every mode of 1000 shown at quality 10000",
         [&] {
             showAllModes(1000);
             w->setQuality(10000);
         },
         [&] { w->redraw(); },
         [&] { EXPECT_GT(pixelsOf(w->wave->bitmap, qRgb(0, 0, 0)), w->pntWave->width()) << "the string is drawn"; }},
        {"zoom in 5000 times", [] {},
         [&] {
             for (int i = 0; i < 5000; ++i)
                 w->btnZoomUpClick();
         },
         [&] { EXPECT_TRUE(std::isfinite(w->zoom)); }},
        {"zoom out 5000 times", [] {},
         [&] {
             for (int i = 0; i < 5000; ++i)
                 w->btnZoomDownClick();
         },
         [&] { EXPECT_GE(w->zoom, 0.0f); }},
        {"a 1 x 1 picture", [&] { w->pntWave->setFixedSize(1, 1); }, [&] { w->redraw(); },
         [&] { EXPECT_EQ(w->wave->bitmap.size(), QSize(1, 1)); }},
        {"a 4000 x 3000 picture, 1000 modes shown",
         [&] {
             showAllModes(1000);
             w->setQuality(4000);
             w->pntWave->setFixedSize(4000, 3000);
         },
         [&] { w->redraw(); }, [&] { EXPECT_EQ(w->wave->bitmap.size(), QSize(4000, 3000)); }},
        {"1000 modes of a drawing far beyond one",
         [&] {
             for (int j = 1; j <= 11; ++j) {
                 waveformPoints[j] = (j % 2 ? 1e30f : -1e30f);
                 waveformDefined[j] = true;
             }
             w->wave->setWaveCount(1000);
             w->wave->rule = AmplitudeRule::Drawn;
         },
         [&] {
             w->wave->calcAmplitudes();
             w->btnShowAll->setChecked(true);
             w->redraw();
         },
         [&] { EXPECT_FALSE(std::isnan(w->wave->amplitudes[1])); }},
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
             settings.setNumOfVertLinesSource([] { return INT32_MAX; });
         },
         [&] { w->redraw(); }, [] {}},
        {"-5 guide lines",
         [&] {
             settings.visibleVertLines = true;
             settings.setNumOfVertLinesSource([] { return -5; });
         },
         [&] { w->redraw(); }, [] {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        resetWaveform();
        settings = DisplaySettings();
        SetUp();
        c.prepare();
        c.act();
        c.check();
    }
    resetWaveform();
}

} // namespace
