#pragma once
#include <QImage>
#include <QRect>
#include <QSize>

#include <memory>
#include <unordered_map>
#include <vector>

class QIODevice;
struct GifFileType;

// An animated GIF that loops for ever, written a frame at a time so that the
// caller can show its progress and stop. Frames of at most 256 colours come
// out exact; after the first, each holds only the rectangle that changed.
class GifWriter {
public:
    // Writes to the device, open for writing, which must outlive the writer.
    // A side beyond what a GIF can hold (65535) makes every call fail.
    GifWriter(QIODevice &device, QSize size);
    ~GifWriter();
    GifWriter(const GifWriter &) = delete;
    GifWriter &operator=(const GifWriter &) = delete;

    // The frame must have the writer's size; it is shown as opaque. The delay
    // is clamped into what a GIF holds. False when it could not be written.
    bool addFrame(const QImage &frame, int delayCentiseconds);
    // Ends the file; false when any part of it could not be written.
    bool finish();

    // The colours of a colour table and their indices, in order of first use.
    struct Palette {
        std::vector<QRgb> colours;
        std::unordered_map<QRgb, int> index;
    };

private:
    struct Closer {
        void operator()(GifFileType *gif) const;
    };
    bool start(const Palette &screen);
    bool writeFrame(const QImage &rgb, const QImage &indexed, const Palette &colours, QRect area, int delay);

    QSize size_;
    std::unique_ptr<GifFileType, Closer> gif_;
    bool ok_ = false;
    bool started_ = false;
    Palette screen_;
    // The picture as the frames so far leave it.
    QImage shown_;
    std::vector<unsigned char> line_;
};
