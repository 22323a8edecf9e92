#include "mainwindow/PaintBox.h"

#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

// The frame shows at the top left, the window colour around it, and a paint
// event for part of the box paints that part the same way.
TEST(PaintBoxTest, ShowsTheFrameAndTheWindowColourBeyondIt)
{
    PaintBox box;
    box.resize(60, 40);
    QImage frame(50, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            frame.setPixel(x, y, qRgb(x * 5, y * 8, 77));
    box.copyFrame(frame);
    const QRgb base = box.palette().color(QPalette::Base).rgb();
    for (const QRect &part : {QRect(0, 0, 60, 40), QRect(45, 25, 15, 15)}) {
        const QImage shown = box.grab(part).toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x) {
                const QPoint at = part.topLeft() + QPoint(x, y);
                const QRgb expected = frame.rect().contains(at) ? frame.pixel(at) : base;
                ASSERT_EQ(shown.pixel(x, y), expected) << at.x() << "," << at.y();
            }
    }
}

} // namespace
