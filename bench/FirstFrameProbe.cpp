// Starts the program given on the command line and reports, in milliseconds,
// how long it takes until its first frame is on the screen: the moment a dark
// pixel of the string appears in the middle of the (otherwise empty) display.
// Run it inside an empty X display; the main window opens centred. Arguments
// after the program's path go to it.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace {

bool dark(QRgb p)
{
    return qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60;
}
bool light(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200;
}

// A dark pixel with the white picture just above and below it: the string.
bool stringVisible(const QImage &screen)
{
    const QRect middle(screen.width() / 2 - 200, screen.height() / 2 - 100, 400, 200);
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); x += 4)
            if (dark(screen.pixel(x, y)) && light(screen.pixel(x, y - 4)) && light(screen.pixel(x, y + 4)))
                return true;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    QStringList arguments;
    for (int i = 2; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QScreen *screen = QGuiApplication::primaryScreen();
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    // Asked to end rather than killed: a program started through a wrapper
    // such as timeout(1) then ends with it.
    auto end = [&program] {
        program.terminate();
        if (!program.waitForFinished(5000)) {
            program.kill();
            program.waitForFinished();
        }
    };
    QElapsedTimer clock;
    clock.start();
    program.start(QString::fromLocal8Bit(argv[1]), arguments);
    while (clock.elapsed() < 10000) {
        if (stringVisible(screen->grabWindow(0).toImage())) {
            std::printf("%lld\n", static_cast<long long>(clock.elapsed()));
            end();
            return 0;
        }
        QThread::msleep(2);
    }
    end();
    std::fprintf(stderr, "no frame within 10 s\n");
    return 1;
}
