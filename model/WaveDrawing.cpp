// Drawing one frame of the string into the model's off-screen picture.
#include "model/DisplaySettings.h"
#include "model/PolylineRaster.h"
#include "model/ViewState.h"
#include "model/Wave.h"
#include "model/WaveMath.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// A curve never gets more vertices than this, whatever the view asks for.
constexpr int MaxCurveSegments = 1 << 20;

void SetPen(QPainter &painter, const TPen &pen)
{
    painter.setPen(ToQPen(pen));
}

// Guide lines at x = (W·i) div N, i = 1..N−1. With more divisions than columns
// every column gets a line, so each column is drawn once.
void DrawGuideLines(QPainter &painter, int w, int h, long long n)
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

void TWave::DrawCurve(QPainter &painter, const TPen &pen, const float *values, int half)
{
    const QPen qpen = ToQPen(pen);
    if (qpen.style() == Qt::NoPen)
        return;
    const std::vector<int> &px = evaluator_.PixelColumns();
    const int q = evaluator_.Quality();
    const float zoom = view_ ? view_->GetZoom() : 1.0f;
    std::vector<QPointF> &points = curvePoints_;
    points.resize(std::size_t(q) + 1);
    points[0] = QPointF(0, half);
    for (int i = 0; i < q; ++i)
        points[std::size_t(i) + 1] = QPointF(px[std::size_t(i)], wavemath::CurveRow(half, values[i], zoom));
    if (IsThinSolidPen(qpen))
        DrawThinPolyline(Bitmap, points.data(), int(points.size()), qpen.color().rgb());
    else
        DrawClippedPolyline(painter, qpen, points.data(), int(points.size()), Bitmap.height());
}

void TWave::DrawFrame(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    // Every pixel is drawn afresh, so a picture still shared with the screen
    // is replaced by a new one rather than copied.
    if (Bitmap.width() != width || Bitmap.height() != height || !Bitmap.isDetached())
        Bitmap = QImage(width, height, QImage::Format_RGB32);
    if (Bitmap.isNull())
        return;
    if (!settings_) {
        Bitmap.fill(Qt::white);
        return;
    }

    const int w = width, h = height;
    const int half = h / 2;
    QPainter painter(&Bitmap);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // A background in clNone would show the last frame through; white instead.
    const TColor bg = settings_->GetBGColor();
    painter.fillRect(0, 0, w, h, bg == clNone ? QColor(Qt::white) : ToQColor(bg));
    if (w == 0)
        return;

    if (settings_->GetVisibleVertLines()) {
        SetPen(painter, settings_->GetVertLinePen());
        DrawGuideLines(painter, w, h, settings_->GetNumOfVertLines());
    }

    SetPen(painter, settings_->GetAxisPen());
    painter.drawLine(0, half, w, half);

    const int q = std::min(view_ ? view_->GetQuality() : 50, MaxCurveSegments);
    const int n = WaveCount;
    if (q < 1)
        return;
    evaluator_.Prepare(n, w, q);
    const std::int32_t t = CurrentTime();
    const bool showAll = view_ && view_->GetShowAll();

    std::vector<float> sum(std::size_t(q), 0.0f);
    std::vector<float> row(showAll ? std::size_t(q) : 0);
    for (int k = 1; k <= n; ++k) {
        const double ac = double(Amplitudes[k]) * wavemath::TimeFactor(Period, t, k);
        if (showAll) {
            evaluator_.ModeRow(k, ac, row.data());
            if (const TPen *pen = settings_->GetWavePen(k))
                DrawCurve(painter, *pen, row.data(), half);
            for (int i = 0; i < q; ++i)
                sum[std::size_t(i)] = sum[std::size_t(i)] + row[std::size_t(i)];
        } else {
            evaluator_.AccumulateMode(k, ac, sum.data());
        }
    }
    DrawCurve(painter, settings_->GetMainWavePen(), sum.data(), half);
}
