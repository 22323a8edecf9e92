#pragma once
#include <QImage>

// A 32-bit picture of the given size, all white, to draw test curves into.
inline QImage whitePicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
