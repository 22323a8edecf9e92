// Prints a hash of every frame drawn over a fixed spread of settings, one line
// each and a total last, so that two builds can be compared frame for frame.
// usage: frame_hashes [COUNT] [baseline] [prepared]
#include "model/DisplaySettings.h"
#include "model/Wave.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::uint64_t fnv1a(std::uint64_t h, const void *data, std::size_t size)
{
    const auto *p = static_cast<const unsigned char *>(data);
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 0x100000001b3ULL;
    return h;
}

std::uint64_t imageHash(const QImage &image)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    const int w = image.width(), hgt = image.height();
    h = fnv1a(h, &w, sizeof w);
    h = fnv1a(h, &hgt, sizeof hgt);
    for (int y = 0; y < hgt; ++y)
        h = fnv1a(h, image.constScanLine(y), std::size_t(w) * 4);
    return h;
}

// A fixed generator, so every build sees the same settings.
struct Lcg {
    std::uint64_t s = 88172645463325252ULL;
    std::uint32_t next()
    {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return std::uint32_t(s >> 33);
    }
    template <class T, std::size_t N> T pick(const T (&items)[N]) { return items[next() % N]; }
};

void setLook(DisplaySettings &settings, int look, int &guideCount)
{
    settings = DisplaySettings();
    guideCount = 2;
    switch (look) {
    case 1:
        settings.visibleVertLines = true;
        guideCount = 7;
        settings.mainWavePen = Pen{colors::Navy, 1, 3};
        for (int k = 1; k <= CustomWavePenCount; ++k)
            settings.wavePens[std::size_t(k)] = Pen{rgbToColor(k * 12, 40, 200), k % 5, 1 + k % 3};
        break;
    case 2:
        settings.bgColor = colors::None;
        settings.visibleVertLines = true;
        guideCount = 99;
        settings.axisPen = Pen{colors::Red, 2, 1};
        settings.mainWavePen = Pen{colors::Black, 0, 0};
        settings.wavePens[0] = Pen{colors::Green, 3, 2};
        break;
    default:
        break;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 400;
    // After the count, "baseline" draws with the loops every x86-64 runs, and
    // "prepared" has each frame's arithmetic worked out ahead, as while
    // animating fast.
    bool baseline = false, prepared = false;
    for (int a = 2; a < argc; ++a) {
        baseline = baseline || std::string(argv[a]) == "baseline";
        prepared = prepared || std::string(argv[a]) == "prepared";
    }
    const InstructionSet set = baseline ? InstructionSet::Baseline : fastestInstructionSet();

    const int widths[] = {527, 1280, 1, 300, 64};
    const int heights[] = {346, 720, 1, 2, 480};
    const int modes[] = {1, 3, 20, 21, 137, 999};
    const int qualities[] = {2, 50, 517, 1000, 4300};
    const std::int32_t times[] = {0, 1, 37, -5, 2147483647, -2147483647 - 1};
    const float zooms[] = {1.0f, 3.7f, 0.0531f, 1e30f};
    const float periods[] = {100.0f, 2.0f, 1000000.0f, 7.0f};

    std::uint64_t total = 0xcbf29ce484222325ULL;
    Lcg rng;
    for (int i = 0; i < count; ++i) {
        FrameParams view;
        DisplaySettings settings;
        int guideCount = 2;
        setLook(settings, int(rng.next() % 3), guideCount);
        settings.numOfVertLines = guideCount;
        Wave wave(set);
        const int w = rng.pick(widths), h = rng.pick(heights);
        wave.setWaveCount(rng.pick(modes));
        wave.period = rng.pick(periods);
        wave.rule = AmplitudeRule(rng.next() % 3);
        DrawnWaveform drawn;
        for (int p = 1; p <= DrawnWaveform::LastInner; ++p) {
            const bool defined = rng.next() % 3 != 0;
            drawn.setHeight(p, float(int(rng.next() % 201) - 100) / 100.0f);
            if (!defined)
                drawn.undefine(p);
        }
        wave.calcAmplitudes(drawn);
        view.quality = rng.pick(qualities);
        view.time = rng.pick(times);
        view.zoom = rng.pick(zooms);
        view.showAll = rng.next() % 2 == 0;
        if (prepared) {
            wave.setFrameInterval(1);
            wave.prepareFrame(QSize(w, h), view);
        }
        wave.drawFrame(w, h, view, settings);
        const std::uint64_t hash = imageHash(wave.bitmap);
        total = fnv1a(total, &hash, sizeof hash);
        std::printf("%3d %4dx%-4d n=%-3d T=%-7g rule=%d Q=%-4d t=%-11d zoom=%-7g all=%d  %016llx\n", i, w, h,
                    int(wave.waveCount), double(wave.period), int(wave.rule), view.quality, view.time,
                    double(view.zoom), int(view.showAll), static_cast<unsigned long long>(hash));
    }
    std::printf("total %016llx\n", static_cast<unsigned long long>(total));
    return 0;
}
