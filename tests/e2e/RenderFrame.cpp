// Draws the frame the program shows at start-up settings for a given time and
// picture size, straight from the model, and saves it as PNG. Given a lesson,
// draws the frame that lesson shows at that time instead.
// usage: e2e_render_frame WIDTH HEIGHT TIME OUT.png [LESSON.velmora]
#include "model/DisplaySettings.h"
#include "model/Lesson.h"
#include "model/Wave.h"
#include "model/WaveParams.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT TIME OUT.png [LESSON.velmora]\n", argv[0]);
        return 2;
    }
    Lesson lesson;
    if (argc == 6) {
        QFile file(QString::fromLocal8Bit(argv[5]));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const auto read = parseLesson(file.readAll());
        if (!std::holds_alternative<Lesson>(read))
            return 1;
        lesson = std::get<Lesson>(read);
    }
    FrameParams view = lesson.view;
    view.time = std::atoi(argv[3]);
    DisplaySettings settings;
    Wave wave;
    wave.setParams(lesson.wave);
    wave.calcAmplitudes(lesson.waveform);
    wave.drawFrame(std::atoi(argv[1]), std::atoi(argv[2]), view, settings);
    return wave.bitmap.save(QString::fromLocal8Bit(argv[4])) ? 0 : 1;
}
