// Drawing one frame of the string into the model's off-screen picture.
#include "model/DisplaySettings.h"
#include "model/PolylineRaster.h"
#include "model/Wave.h"
#include "model/WaveMath.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// A curve never gets more vertices than this, whatever the view asks for.
constexpr int MaxCurveSegments = 1 << 20;

void setPen(QPainter &painter, const Pen &pen)
{
    painter.setPen(toQPen(pen));
}

// Guide lines at x = (W·i) div N, i = 1..N−1. With more divisions than columns
// every column gets a line, so each column is drawn once.
void drawGuideLines(QPainter &painter, int w, int h, long long n)
{
    if (n <= 1)
        return;
    if (n - 1 > w) {
        for (int x = 0; x < w; ++x)
            painter.drawLine(x, 0, x, h);
        return;
    }
    for (long long i = 1; i <= n - 1; ++i) {
        const int x = int((static_cast<long long>(w) * i) / n);
        painter.drawLine(x, 0, x, h);
    }
}

} // namespace

bool Wave::computeRows(const float *values, int half, float zoom)
{
    const int q = evaluator_.quality();
    curveRows_.resize(std::size_t(q));
    return evaluator_.kernels().curveRows(values, q, half, zoom, curveRows_.data());
}

void Wave::drawRows(QPainter &painter, const Pen &pen, int half, const std::vector<double> &rows)
{
    const std::vector<int> &px = evaluator_.pixelColumns();
    const std::size_t q = rows.size();
    std::vector<QPointF> &points = curvePoints_;
    points.resize(q + 1);
    points[0] = QPointF(0, half);
    for (std::size_t i = 0; i < q; ++i)
        points[i + 1] = QPointF(px[i], rows[i]);
    const QPen qpen = toQPen(pen);
    if (isThinSolidPen(qpen)) {
        drawThinPolyline(bitmap, points.data(), int(points.size()), qpen.color().rgb());
    } else if (qpen.style() != Qt::NoPen) {
        drawClippedPolyline(painter, qpen, points.data(), int(points.size()), bitmap.height());
        clearUpperVectorHalves();
    }
}

void Wave::drawFrame(int width, int height, const FrameParams &view, const DisplaySettings &look)
{
    width = std::max(0, width);
    height = std::max(0, height);
    // Every pixel is drawn afresh. The screen still holds the last frame, so
    // this one goes into the frame before it, which the screen has let go.
    if (!bitmap.isDetached())
        std::swap(bitmap, spare_);
    if (bitmap.width() != width || bitmap.height() != height || !bitmap.isDetached())
        bitmap = QImage(width, height, QImage::Format_RGB32);
    if (bitmap.isNull())
        return;
    const int w = width, h = height;
    const int half = h / 2;
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // A background in colors::None would show the last frame through; white instead.
    const Color bg = look.bgColor;
    painter.fillRect(0, 0, w, h, bg == colors::None ? QColor(Qt::white) : toQColor(bg));
    if (w == 0)
        return;

    if (look.visibleVertLines) {
        setPen(painter, look.vertLinePen);
        drawGuideLines(painter, w, h, look.numOfVertLines);
    }

    setPen(painter, look.axisPen);
    painter.drawLine(0, half, w, half);
    clearUpperVectorHalves();

    const int q = std::min(view.quality, MaxCurveSegments);
    const int n = waveCount;
    if (q < 1)
        return;
    evaluator_.prepare(n, w, q);
    const std::int32_t t = view.time;

    sum_.assign(std::size_t(q), 0.0f);
    if (!view.showAll) {
        for (int k = 1; k <= n; ++k)
            evaluator_.accumulateMode(k, double(amplitudes[k]) * wavemath::timeFactor(period, t, k), sum_.data());
        computeRows(sum_.data(), half, view.zoom);
        drawRows(painter, look.mainWavePen, half, curveRows_);
        return;
    }

    // A mode too small to leave the axis is drawn as the axis row; a later
    // one-pixel curve on that row covers exactly its pixels, so of a run of
    // such modes only the last is drawn.
    row_.resize(std::size_t(q));
    const Pen *pendingFlat = nullptr;
    auto drawPendingFlat = [&] {
        if (pendingFlat) {
            axisRows_.assign(std::size_t(q), double(half));
            drawRows(painter, *pendingFlat, half, axisRows_);
        }
        pendingFlat = nullptr;
    };
    for (int k = 1; k <= n; ++k) {
        const double ac = double(amplitudes[k]) * wavemath::timeFactor(period, t, k);
        evaluator_.evaluateMode(k, ac, row_.data(), sum_.data());
        const Pen *pen = look.wavePen(k);
        if (!pen)
            continue;
        if (computeRows(row_.data(), half, view.zoom) && isThinSolidPen(toQPen(*pen))) {
            pendingFlat = pen;
            continue;
        }
        drawPendingFlat();
        drawRows(painter, *pen, half, curveRows_);
    }
    drawPendingFlat();
    computeRows(sum_.data(), half, view.zoom);
    drawRows(painter, look.mainWavePen, half, curveRows_);
}
