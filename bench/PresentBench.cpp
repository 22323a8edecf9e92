// The cost of showing a finished 1280×720 frame, flush included: the picture
// widget, which draws its frame in place at each paint, here given a drawer
// that only copies a finished frame; against a widget that only draws one
// image of the same size, shown and painted the same way.
#include "bench/PaintCounter.h"
#include "mainwindow/PaintBox.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>

namespace {

constexpr int Width = 1280;
constexpr int Height = 720;

// Nothing but the image: no background is filled under it either.
class ImageWidget : public QWidget {
public:
    ImageWidget() { setAttribute(Qt::WA_OpaquePaintEvent); }
    void setImage(const QImage &image) { image_ = image; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.drawImage(0, 0, image_);
    }

private:
    QImage image_;
};

// Two frames shown in turn, so that each paint shows a picture it has not yet.
std::array<QImage, 2> twoFrames()
{
    std::array<QImage, 2> frames;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i] = QImage(Width, Height, QImage::Format_RGB32);
        frames[i].fill(i == 0 ? Qt::white : Qt::lightGray);
        QPainter p(&frames[i]);
        p.drawLine(0, Height / 2, Width, Height / 2 + int(i) * 50);
    }
    return frames;
}

// Widgets need the widgets application object, not only the GUI one.
bool widgetsRun(benchmark::State &state)
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        return true;
    state.SkipWithError("painting a widget needs a QApplication");
    return false;
}

template <typename Show> void present(benchmark::State &state, QWidget &widget, Show show)
{
    widget.resize(Width, Height);
    widget.show();
    QCoreApplication::processEvents();
    if (widget.size() != QSize(Width, Height)) {
        state.SkipWithError("the widget did not get the frame's size");
        return;
    }
    const std::array<QImage, 2> frames = twoFrames();
    PaintCounter counter;
    widget.installEventFilter(&counter);
    std::size_t i = 0;
    for (auto _ : state) {
        show(frames[i++ % frames.size()]);
        widget.repaint();
    }
    widget.removeEventFilter(&counter);
    if (counter.paints < state.iterations())
        state.SkipWithError("a frame was not painted");
}

void presentPaintBox(benchmark::State &state)
{
    if (!widgetsRun(state))
        return;
    PaintBox box;
    QImage finished;
    box.setFrameDrawer([&](QImage &picture) {
        for (int y = 0; y < picture.height(); ++y)
            std::memcpy(picture.scanLine(y), finished.constScanLine(y), std::size_t(picture.width()) * 4);
    });
    present(state, box, [&](const QImage &frame) {
        finished = frame;
        box.showFrame(frame.size());
    });
}

void presentImageWidget(benchmark::State &state)
{
    if (!widgetsRun(state))
        return;
    ImageWidget widget;
    present(state, widget, [&](const QImage &frame) { widget.setImage(frame); });
}

BENCHMARK(presentPaintBox)->Name("PresentPaintBox")->Unit(benchmark::kMicrosecond);
BENCHMARK(presentImageWidget)->Name("PresentImageWidget")->Unit(benchmark::kMicrosecond);

} // namespace
