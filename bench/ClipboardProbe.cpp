// Prints what the display's clipboard holds, so that a script can read the
// program: "text <the text>", "image <width> <height> <red pixels>" (pure red
// is the mode pens' default colour, so a frame with every mode shown has many
// and one without has none), or "none".
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32);
        long long red = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                red += (line[x] & 0xFFFFFFu) == 0xFF0000u;
        }
        std::printf("image %d %d %lld\n", image.width(), image.height(), red);
    } else if (data && data->hasText()) {
        std::printf("text %s\n", data->text().toLocal8Bit().constData());
    } else {
        std::printf("none\n");
    }
    return 0;
}
