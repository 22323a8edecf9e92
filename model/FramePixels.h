#pragma once
#include <QImage>

#include <memory>

// Pixel memory for frames that outlives a change of their size: a resized
// picture is drawn into the memory already there where it is large enough,
// rather than having megabytes allocated, and cleared by the system, at each
// step of a window's resize.
class FramePixels {
public:
    // An RGB32 image over this memory, its pixels left as they were; null
    // where there is no memory for it. An image given out before must be
    // held nowhere else (QImage::isDetached) when this is asked for again.
    QImage image(int width, int height);

private:
    // Shared with every copy of an image over it, which keeps it alive.
    std::shared_ptr<uchar[]> pixels_;
    qsizetype size_ = 0;
};
