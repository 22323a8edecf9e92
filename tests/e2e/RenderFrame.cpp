// Draws the frame the program shows at start-up settings for a given time and
// picture size, straight from the model, and saves it as PNG.
// usage: e2e_render_frame WIDTH HEIGHT TIME OUT.png
#include "model/DisplaySettings.h"
#include "model/Wave.h"
#include "model/WaveParams.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT TIME OUT.png\n", argv[0]);
        return 2;
    }
    FrameParams view;
    view.time = std::atoi(argv[3]);
    DisplaySettings settings;
    Wave wave;
    wave.setWaveCount(1);
    wave.rule = AmplitudeRule::Equal;
    wave.period = 100;
    wave.calcAmplitudes();
    wave.drawFrame(std::atoi(argv[1]), std::atoi(argv[2]), view, settings);
    return wave.bitmap.save(QString::fromLocal8Bit(argv[4])) ? 0 : 1;
}
