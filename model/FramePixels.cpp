#include "model/FramePixels.h"

#include <limits>
#include <new>

namespace {

void releasePixels(void *holder)
{
    delete static_cast<std::shared_ptr<uchar[]> *>(holder);
}

} // namespace

QImage FramePixels::image(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage(width, height, QImage::Format_RGB32);
    const qsizetype stride = qsizetype(width) * qsizetype(sizeof(QRgb));
    // Sizes Qt itself may refuse are left to it.
    if (stride > std::numeric_limits<int>::max() / height)
        return QImage(width, height, QImage::Format_RGB32);
    const qsizetype size = stride * height;
    // Memory far larger than needed, after a large picture, is let go.
    if (size > size_ || size_ / 2 > size) {
        pixels_.reset(new (std::nothrow) uchar[std::size_t(size)]);
        size_ = pixels_ ? size : 0;
        if (!pixels_)
            return QImage();
    }
    return QImage(pixels_.get(), width, height, stride, QImage::Format_RGB32, releasePixels,
                  new std::shared_ptr<uchar[]>(pixels_));
}
