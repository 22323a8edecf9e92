#include "platform/GifWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const QSize Size(64, 40);

QImage boxOn(QRgb background, QRect box, QRgb colour)
{
    QImage image(Size, QImage::Format_RGB32);
    image.fill(background);
    QPainter(&image).fillRect(box, QColor::fromRgb(colour));
    return image;
}

// The mean difference of the colour channels.
double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// Frames whose colours the first one lacks, a frame that changes nothing, and
// one of more colours than a GIF's table holds, each decoded by Qt as a whole
// picture.
TEST(GifWriterTest, FramesComeBackAsTheyWereGiven)
{
    const QImage first = boxOn(qRgb(255, 255, 255), QRect(3, 4, 10, 7), qRgb(0, 0, 0));
    QImage newColours = boxOn(qRgb(255, 255, 255), QRect(20, 9, 12, 5), qRgb(200, 0, 0));
    newColours.setPixel(0, 0, qRgb(0, 90, 30));
    // Below what the other frames change.
    QImage manyColours = first.copy();
    for (int y = 20; y < 36; ++y)
        for (int x = 10; x < 50; ++x)
            manyColours.setPixel(x, y, qRgb(x * 5, y * 7, (x * y) % 256));
    const std::vector<std::pair<QImage, int>> frames
        = {{first, 3}, {newColours, 2}, {newColours, 70000}, {manyColours, 5}, {first, 4}};

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    GifWriter writer(buffer, Size);
    for (const auto &[frame, delay] : frames)
        ASSERT_TRUE(writer.addFrame(frame, delay));
    ASSERT_TRUE(writer.finish());

    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    ASSERT_EQ(reader.imageCount(), int(frames.size()));
    EXPECT_EQ(reader.loopCount(), -1) << "loops for ever";
    for (std::size_t j = 0; j < frames.size(); ++j) {
        const QImage read = reader.read().convertToFormat(QImage::Format_ARGB32);
        const QImage given = frames[j].first.convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(read.size(), Size) << "frame " << j;
        EXPECT_EQ(reader.nextImageDelay(), 10 * std::min(frames[j].second, 65535)) << "frame " << j;
        if (j == 3)
            EXPECT_LT(meanDifference(read, given), 8.0);
        else
            EXPECT_TRUE(read == given) << "frame " << j;
    }
}

TEST(GifWriterTest, AFrameOfAnotherSizeIsRefused)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    GifWriter writer(buffer, Size);
    EXPECT_FALSE(writer.addFrame(QImage(Size + QSize(1, 0), QImage::Format_RGB32), 10));
    QImage frame(Size, QImage::Format_RGB32);
    frame.fill(Qt::blue);
    EXPECT_TRUE(writer.addFrame(frame, 10));
    ASSERT_TRUE(writer.finish());
    EXPECT_EQ(QImage::fromData(bytes, "GIF").convertToFormat(QImage::Format_RGB32), frame);
}

} // namespace
