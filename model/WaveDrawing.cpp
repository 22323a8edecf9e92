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

void Wave::drawCurve(QPainter &painter, const Pen &pen, const float *values, int half, float zoom)
{
    const QPen qpen = toQPen(pen);
    if (qpen.style() == Qt::NoPen)
        return;
    const std::vector<int> &px = evaluator_.pixelColumns();
    const int q = evaluator_.quality();
    std::vector<QPointF> &points = curvePoints_;
    points.resize(std::size_t(q) + 1);
    points[0] = QPointF(0, half);
    for (int i = 0; i < q; ++i)
        points[std::size_t(i) + 1] = QPointF(px[std::size_t(i)], wavemath::curveRow(half, values[i], zoom));
    if (isThinSolidPen(qpen))
        drawThinPolyline(bitmap, points.data(), int(points.size()), qpen.color().rgb());
    else
        drawClippedPolyline(painter, qpen, points.data(), int(points.size()), bitmap.height());
}

void Wave::drawFrame(int width, int height, const FrameParams &view, const DisplaySettings &look)
{
    width = std::max(0, width);
    height = std::max(0, height);
    // Every pixel is drawn afresh, so a picture still shared with the screen
    // is replaced by a new one rather than copied.
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

    const int q = std::min(view.quality, MaxCurveSegments);
    const int n = waveCount;
    if (q < 1)
        return;
    evaluator_.prepare(n, w, q);
    const std::int32_t t = view.time;
    const bool showAll = view.showAll;

    std::vector<float> sum(std::size_t(q), 0.0f);
    std::vector<float> row(showAll ? std::size_t(q) : 0);
    for (int k = 1; k <= n; ++k) {
        const double ac = double(amplitudes[k]) * wavemath::timeFactor(period, t, k);
        if (showAll) {
            evaluator_.modeRow(k, ac, row.data());
            if (const Pen *pen = look.wavePen(k))
                drawCurve(painter, *pen, row.data(), half, view.zoom);
            for (int i = 0; i < q; ++i)
                sum[std::size_t(i)] = sum[std::size_t(i)] + row[std::size_t(i)];
        } else {
            evaluator_.accumulateMode(k, ac, sum.data());
        }
    }
    drawCurve(painter, look.mainWavePen, sum.data(), half, view.zoom);
}
