#include "mainwindow/PaintBox.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QRgb patternAt(int x, int y)
{
    return qRgb(x * 5, y * 8, 77);
}

// Draws the pattern, and keeps the row length of the last picture it was given.
struct PatternDrawer {
    qsizetype *bytesPerLine;
    void operator()(QImage &picture) const
    {
        *bytesPerLine = picture.bytesPerLine();
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, patternAt(x, y));
    }
};

void expectShows(const QImage &shown, QRect part, QSize frame, QRgb base)
{
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) {
            const QPoint at = part.topLeft() + QPoint(x, y);
            const QRgb expected = QRect(QPoint(0, 0), frame).contains(at) ? patternAt(at.x(), at.y()) : base;
            ASSERT_EQ(shown.pixel(x, y), expected) << at.x() << "," << at.y();
        }
}

// The frame shows at the top left, the window colour around it, and a paint
// event for part of the box paints that part the same way.
TEST(PaintBoxTest, ShowsTheFrameAndTheWindowColourBeyondIt)
{
    PaintBox box;
    box.resize(60, 40);
    EXPECT_TRUE(box.frame().isNull()) << "no frame before the first";
    qsizetype bytesPerLine = 0;
    box.setFrameDrawer(PatternDrawer{&bytesPerLine});
    box.showFrame(QSize(50, 30));
    EXPECT_EQ(box.framesShown(), 1);
    const QRgb base = box.palette().color(QPalette::Base).rgb();
    for (const QRect &part : {QRect(0, 0, 60, 40), QRect(45, 25, 15, 15)})
        expectShows(box.grab(part).toImage().convertToFormat(QImage::Format_RGB32), part, QSize(50, 30), base);
}

// On screen the frame is drawn in place in the window's backing store, whose
// rows are the window's; a frame larger than the box, left from before the
// window shrank, is cut to the box.
TEST(PaintBoxTest, DrawsIntoTheWindowInPlaceWhereTheFrameFits)
{
    QWidget window;
    window.resize(100, 80);
    auto *box = new PaintBox(&window);
    box->setGeometry(10, 20, 60, 40);
    qsizetype bytesPerLine = 0;
    box->setFrameDrawer(PatternDrawer{&bytesPerLine});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRgb base = box->palette().color(QPalette::Base).rgb();
    for (const QSize frame : {QSize(50, 30), QSize(60, 40), QSize(70, 45)}) {
        box->showFrame(frame);
        box->repaint();
        const bool fits = frame.width() <= 60 && frame.height() <= 40;
        EXPECT_EQ(bytesPerLine > frame.width() * 4, fits) << frame.width();
        const QImage shown = window.screen()->grabWindow(window.winId(), 10, 20, 60, 40).toImage();
        expectShows(shown.convertToFormat(QImage::Format_RGB32), QRect(0, 0, 60, 40), frame, base);
    }

    // A paint of part of the box leaves the rest as it was, and a widget over it.
    auto *over = new QWidget(&window);
    over->setAutoFillBackground(true);
    over->setPalette(QPalette(Qt::darkGreen));
    over->setGeometry(40, 30, 20, 20);
    over->show();
    box->showFrame(QSize(60, 40));
    box->repaint();
    over->repaint();
    const QImage before = window.screen()->grabWindow(window.winId()).toImage();
    box->repaint(QRect(0, 0, 5, 5));
    EXPECT_EQ(window.screen()->grabWindow(window.winId()).toImage(), before);
}

} // namespace
