// Drawing one frame of the string into the model's off-screen picture.
#include "model/CurveSteps.h"
#include "model/DashedThinLine.h"
#include "model/DisplaySettings.h"
#include "model/PolylineRaster.h"
#include "model/Wave.h"
#include "model/WaveMath.h"
#include "model/WidePolyline.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A curve never gets more vertices than this, whatever the view asks for.
constexpr int MaxCurveSegments = 1 << 20;

bool isWideSolidPen(const QPen &pen)
{
    return pen.style() == Qt::SolidLine && pen.width() >= 2 && pen.width() <= WidePolylineDrawer::WidestPen
        && pen.color().alpha() == 255;
}

bool isThinDashedPen(const QPen &pen)
{
    return pen.style() >= Qt::DashLine && pen.style() <= Qt::DashDotDotLine && pen.width() <= 1
        && pen.color().alpha() == 255;
}

// Flat curves in pens of the same key cover exactly the same pixels; 0 for a
// pen whose flat curve is drawn each time.
int flatCurveKey(const QPen &pen)
{
    if (isThinSolidPen(pen))
        return 1;
    if (isWideSolidPen(pen))
        return pen.width();
    if (isThinDashedPen(pen))
        return WidePolylineDrawer::WidestPen + int(pen.style());
    return 0;
}

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

// With |A·c·sin|·|Z|·(H div 2) below one half every row rounds to the axis,
// which spares computing the rows.
double flatBound(float zoom, int half)
{
    return 0.49 / (std::fabs(double(zoom)) * double(half));
}

// A budget for the rows worked out ahead, 2 MB.
constexpr std::size_t PreparedRows = std::size_t(1) << 19;

} // namespace

const CurveRowsFound &Wave::computeRows(const float *values, int half, int height, float zoom)
{
    const std::size_t q = std::size_t(evaluator_.quality());
    curve_.rows.resize(q);
    curve_.pixelRows.resize(q);
    curve_.found = evaluator_.kernels().curveRows(values, int(q), half, height, zoom, curve_.rows.data(),
                                                  curve_.pixelRows.data());
    return curve_.found;
}

void Wave::drawRows(QImage &picture, QPainter &painter, ThinLineCanvas &canvas, const QPen &qpen, int half,
                    const CurveView &curve)
{
    const std::vector<int> &px = evaluator_.pixelColumns();
    const std::size_t q = std::size_t(evaluator_.quality());
    const bool thin = isThinSolidPen(qpen);
    if (thin && curve.found.inPicture) {
        canvas.drawCurve(half, px.data(), curve.pixelRows, int(q), qpen.color().rgb(), evaluator_.widestColumnStep(),
                         curve.found.steepest);
        return;
    }
    const bool dashed = isThinDashedPen(qpen), wide = isWideSolidPen(qpen);
    if (curve.found.inPicture && evaluator_.widestColumnStep() <= curvesteps::Reach
        && curve.found.steepest <= curvesteps::Reach) {
        const int *const rows = curve.pixelRows;
        if (wide
            && wideLines_.drawCurve(picture, half, px.data(), rows, int(q), qpen.width(), qpen.color().rgb(),
                                    instructionSet_))
            return;
        if (dashed
            && dashedLines_.drawCurve(picture, half, px.data(), rows, int(q), qpen.dashPattern(), qpen.color().rgb(),
                                      instructionSet_))
            return;
    }
    if (curve.found.inPicture && (dashed || wide)) {
        std::vector<QPoint> &vertices = curveVertices_;
        vertices.resize(q + 1);
        vertices[0] = QPoint(0, half);
        for (std::size_t i = 0; i < q; ++i)
            vertices[i + 1] = QPoint(px[i], curve.pixelRows[i]);
        if (dashed)
            dashedLines_.draw(picture, vertices.data(), int(vertices.size()), qpen.dashPattern(), qpen.color().rgb());
        else
            wideLines_.draw(picture, vertices.data(), int(vertices.size()), qpen.width(), qpen.color().rgb());
        return;
    }
    std::vector<QPointF> &points = curvePoints_;
    points.resize(q + 1);
    points[0] = QPointF(0, half);
    for (std::size_t i = 0; i < q; ++i)
        points[i + 1] = QPointF(px[i], curve.rows ? curve.rows[i] : double(curve.pixelRows[i]));
    if (thin) {
        canvas.drawPolyline(points.data(), int(points.size()), qpen.color().rgb());
    } else if (wide) {
        forEachDrawablePiece(points.data(), int(points.size()), picture.height(), [&](const QPolygon &piece, double) {
            wideLines_.draw(picture, piece.constData(), int(piece.size()), qpen.width(), qpen.color().rgb());
        });
    } else if (qpen.style() != Qt::NoPen) {
        drawClippedPolyline(painter, qpen, points.data(), int(points.size()), picture.height());
        clearUpperVectorHalves();
    }
}

void Wave::drawFrame(int width, int height, const FrameParams &view, const DisplaySettings &look)
{
    width = std::max(0, width);
    height = std::max(0, height);
    // Every pixel is drawn afresh. A caller may still hold the last frame, so
    // this one goes into the frame before it, which is no longer held.
    if (!bitmap.isDetached()) {
        std::swap(bitmap, spare_);
        std::swap(bitmapPixels_, sparePixels_);
    }
    if (bitmap.width() != width || bitmap.height() != height || !bitmap.isDetached()) {
        // Both frames held: new memory; each held one keeps its own alive.
        if (!bitmap.isDetached())
            bitmapPixels_ = FramePixels();
        // Let go first, so that memory replaced is freed before more is taken.
        bitmap = QImage();
        bitmap = bitmapPixels_.image(width, height);
    }
    if (!bitmap.isNull())
        drawFrame(bitmap, view, look);
}

void Wave::drawFrame(QImage &picture, const FrameParams &view, const DisplaySettings &look)
{
    if (picture.isNull())
        return;
    const int w = picture.width(), h = picture.height();
    const int half = h / 2;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // A background in colors::None would show the last frame through; white instead.
    const Color bg = look.bgColor;
    painter.fillRect(0, 0, w, h, bg == colors::None ? QColor(Qt::white) : toQColor(bg));

    if (look.visibleVertLines) {
        setPen(painter, look.vertLinePen);
        drawGuideLines(painter, w, h, look.numOfVertLines);
    }

    setPen(painter, look.axisPen);
    painter.drawLine(0, half, w, half);
    clearUpperVectorHalves();

    const int q = std::min(view.quality, MaxCurveSegments);
    const int n = waveCount;
    const bool prepared = takePrepared(picture.size(), view);
    if (q < 1)
        return;
    if (!prepared) {
        evaluator_.prepare(n, w, q);
        sum_.assign(std::size_t(q), 0.0f);
    }
    const std::int32_t t = view.time;
    ThinLineCanvas canvas(picture, instructionSet_);

    if (!view.showAll) {
        if (!prepared)
            addEveryMode(t);
        computeRows(sum_.data(), half, h, view.zoom);
        drawRows(picture, painter, canvas, toQPen(look.mainWavePen), half, viewOf(curve_));
        return;
    }

    // A mode too small to leave the axis is drawn as the axis row. Such a
    // curve covers exactly the pixels of any other such curve in a pen of the
    // same width and style, so of a run of them only the last is drawn.
    row_.resize(std::size_t(q));
    // The Qt pens of the modes, made once a frame rather than once a mode.
    std::array<QPen, CustomWavePenCount + 1> modePens;
    std::array<int, CustomWavePenCount + 1> flatKeys{};
    for (std::size_t i = 0; i < modePens.size(); ++i) {
        modePens[i] = toQPen(look.wavePens[i]);
        flatKeys[i] = flatCurveKey(modePens[i]);
    }
    axis_.rows.assign(std::size_t(q), double(half));
    axis_.pixelRows.assign(std::size_t(q), half);
    axis_.found = {true, true};
    const QPen *pendingFlat = nullptr;
    int pendingKey = 0;
    auto drawPendingFlat = [&] {
        if (pendingFlat)
            drawRows(picture, painter, canvas, *pendingFlat, half, viewOf(axis_));
        pendingFlat = nullptr;
    };
    auto holdFlat = [&](const QPen &pen, int key) {
        if (key != pendingKey)
            drawPendingFlat();
        pendingFlat = &pen;
        pendingKey = key;
    };
    const double flat = flatBound(view.zoom, half);
    const int preparedModes = prepared ? int(prepared_.modes.size()) : 0;
    for (int k = 1; k <= n; ++k) {
        const std::size_t penIndex = std::size_t(look.wavePen(k) - look.wavePens.data());
        const QPen &pen = modePens[penIndex];
        const int flatKey = flatKeys[penIndex];
        CurveView curve = viewOf(axis_);
        if (k <= preparedModes) {
            const PreparedFrame::Mode &mode = prepared_.modes[std::size_t(k - 1)];
            if (mode.firstRow >= 0)
                curve = {nullptr, prepared_.pixelRows.data() + mode.firstRow, mode.found};
        } else if (k == preparedModes + 1 && prepared && prepared_.nextRow) {
            computeRows(row_.data(), half, h, view.zoom);
            curve = viewOf(curve_);
        } else {
            const double ac = modeFactor(k, t);
            if (flatKey > 0 && std::fabs(ac) < flat) {
                evaluator_.evaluateMode(k, ac, nullptr, sum_.data());
                holdFlat(pen, flatKey);
                continue;
            }
            evaluator_.evaluateMode(k, ac, row_.data(), sum_.data());
            computeRows(row_.data(), half, h, view.zoom);
            curve = viewOf(curve_);
        }
        if (curve.found.onAxis && flatKey > 0) {
            holdFlat(pen, flatKey);
            continue;
        }
        drawPendingFlat();
        drawRows(picture, painter, canvas, pen, half, curve);
    }
    drawPendingFlat();
    computeRows(sum_.data(), half, h, view.zoom);
    drawRows(picture, painter, canvas, toQPen(look.mainWavePen), half, viewOf(curve_));
}

// Amplitudes[k]·c_k at time t.
double Wave::modeFactor(int k, std::int32_t t) const
{
    return double(amplitudes[k]) * wavemath::timeFactor(period, t, k);
}

// A plain frame's sum, into sum_.
void Wave::addEveryMode(std::int32_t t)
{
    const int n = waveCount;
    modeFactors_.resize(std::size_t(std::max(n, 0)));
    for (int k = 1; k <= n; ++k)
        modeFactors_[std::size_t(k - 1)] = modeFactor(k, t);
    evaluator_.accumulateModes(1, n, modeFactors_.data(), sum_.data());
}

void Wave::setFrameInterval(int milliseconds)
{
    frameInterval_ = milliseconds;
    evaluator_.setFrameInterval(milliseconds);
    if (milliseconds >= PrepareAheadBelow) {
        prepared_.ready = false;
        prepared_.pixelRows = {};
    }
}

// The modes in turn as drawFrame takes them, up to a budget of rows kept and
// up to the first whose rows leave the picture, whose values stay in row_.
void Wave::prepareFrame(QSize size, const FrameParams &view)
{
    prepared_.ready = false;
    const int w = size.width(), h = size.height();
    const int q = std::min(view.quality, MaxCurveSegments);
    const int n = waveCount;
    if (frameInterval_ >= PrepareAheadBelow || w <= 0 || h <= 0 || q < 1)
        return;
    evaluator_.prepare(n, w, q);
    sum_.assign(std::size_t(q), 0.0f);
    const std::int32_t t = view.time;
    prepared_.modes.clear();
    prepared_.pixelRows.clear();
    prepared_.nextRow = false;
    if (!view.showAll) {
        addEveryMode(t);
    } else {
        const int half = h / 2;
        const double flat = flatBound(view.zoom, half);
        row_.resize(std::size_t(q));
        for (int k = 1; k <= n; ++k) {
            const double ac = modeFactor(k, t);
            if (std::fabs(ac) < flat) {
                evaluator_.evaluateMode(k, ac, nullptr, sum_.data());
                prepared_.modes.push_back({-1, {true, true}});
                continue;
            }
            if (prepared_.pixelRows.size() + std::size_t(q) > PreparedRows)
                break;
            evaluator_.evaluateMode(k, ac, row_.data(), sum_.data());
            const CurveRowsFound found = computeRows(row_.data(), half, h, view.zoom);
            if (!found.inPicture) {
                prepared_.nextRow = true;
                break;
            }
            prepared_.modes.push_back({int(prepared_.pixelRows.size()), found});
            prepared_.pixelRows.insert(prepared_.pixelRows.end(), curve_.pixelRows.begin(), curve_.pixelRows.end());
        }
    }
    prepared_.size = size;
    prepared_.view = view;
    prepared_.waveCount = waveCount;
    prepared_.period = period;
    prepared_.amplitudes = amplitudes;
    prepared_.ready = true;
}

// Whether the frame was prepared as it is now asked for; either way, what
// was prepared is used up.
bool Wave::takePrepared(QSize size, const FrameParams &view)
{
    if (!prepared_.ready)
        return false;
    prepared_.ready = false;
    const std::size_t amplitudeBytes = sizeof(float) * (std::size_t(waveCount) + 1);
    return size == prepared_.size && view == prepared_.view && waveCount == prepared_.waveCount
        && std::memcmp(&period, &prepared_.period, sizeof period) == 0
        && std::memcmp(amplitudes.data(), prepared_.amplitudes.data(), amplitudeBytes) == 0;
}
