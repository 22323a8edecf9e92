#pragma once
#include "model/DashedThinLine.h"
#include "model/DrawnWaveform.h"
#include "model/FrameEvaluator.h"
#include "model/FramePixels.h"
#include "model/VectorUnit.h"
#include "model/WaveParams.h"
#include "model/WidePolyline.h"

#include <QImage>
#include <QPointF>
#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

class QPainter;
class QPen;
class ThinLineCanvas;
struct DisplaySettings;
struct Pen;

// The string: n normal modes, their amplitudes, the displacement they add up
// to at a time, and the picture of one frame.
class Wave {
public:
    explicit Wave(InstructionSet set = fastestInstructionSet());
    ~Wave();
    Wave(const Wave &) = delete;
    Wave &operator=(const Wave &) = delete;

    std::uint16_t waveCount = 0;
    float period = 0.0f;
    AmplitudeRule rule = AmplitudeRule::Equal;
    QImage bitmap;
    std::array<float, MaxWaveCount + 1> amplitudes{}; // indexed 1..MaxWaveCount

    // Takes the mode count (clamped into 1..1000), period and rule; the
    // amplitudes are not recomputed.
    void setParams(const WaveParams &params);
    // Stores n clamped into 1..1000; the amplitudes are not recomputed.
    void setWaveCount(int n);
    // The drawn waveform is read only by the drawn rule.
    void calcAmplitudes(const DrawnWaveform &drawn = DrawnWaveform());
    float modeDisplacement(int k, int width, float x, std::int32_t time) const;
    float displacement(int width, float x, std::int32_t time) const;
    // Draws the frame into `bitmap`.
    void drawFrame(int width, int height, const FrameParams &view, const DisplaySettings &look);
    // Draws the frame into a picture of its own size, which may be a part of a
    // larger one: 32-bit RGB, or premultiplied ARGB, whose opaque pixels are
    // the same bytes.
    void drawFrame(QImage &picture, const FrameParams &view, const DisplaySettings &look);
    // The same frame drawn at another size, leaving this string's picture as it is.
    QImage frameAt(QSize size, const FrameParams &view, const DisplaySettings &look) const;
    // Takes the other string's modes, period, rule and amplitudes, to draw
    // frames of its own without touching the other's picture.
    void copyStringFrom(const Wave &other);
    // How far apart frames come, in milliseconds: frames far apart learn the
    // library's sines faster (FrameEvaluator::setFrameInterval).
    void setFrameInterval(int milliseconds);
    // Works out ahead, while frames come less than PrepareAheadBelow ms apart,
    // the arithmetic of the frame drawFrame is next asked for, if it comes at
    // this size and view with the string as it is now. The window system then
    // still copies the frame before, and drawing into the window waits for it.
    // The frame's pixels are the same either way.
    void prepareFrame(QSize size, const FrameParams &view);
    static constexpr int PrepareAheadBelow = 10;

private:
    void calcDrawnAmplitudes(const DrawnWaveform &drawn);
    struct CurveRows {
        std::vector<double> rows;
        std::vector<int> pixelRows;
        CurveRowsFound found{};
    };
    // A curve's rows where they are kept; `rows` may be null where they all
    // lie in the picture, the pixel rows then being the same.
    struct CurveView {
        const double *rows;
        const int *pixelRows;
        CurveRowsFound found;
    };
    static CurveView viewOf(const CurveRows &curve)
    {
        return {curve.found.inPicture ? nullptr : curve.rows.data(), curve.pixelRows.data(), curve.found};
    }
    // What prepareFrame worked out: modes 1..modes in turn, and the sum of
    // them in sum_; with `nextRow`, row_ holds the mode after, also in sum_.
    struct PreparedFrame {
        struct Mode {
            int firstRow; // in pixelRows; −1 for a mode flat on the axis
            CurveRowsFound found;
        };
        bool ready = false;
        QSize size;
        FrameParams view;
        std::uint16_t waveCount = 0;
        float period = 0.0f;
        std::array<float, MaxWaveCount + 1> amplitudes{};
        std::vector<Mode> modes;
        std::vector<int> pixelRows;
        bool nextRow = false;
    };
    bool takePrepared(QSize size, const FrameParams &view);
    void addEveryMode(std::int32_t time);
    double modeFactor(int k, std::int32_t time) const;
    // The picture rows of the values, into curve_.
    const CurveRowsFound &computeRows(const float *values, int half, int height, float zoom);
    void drawRows(QImage &picture, QPainter &painter, ThinLineCanvas &canvas, const QPen &pen, int half,
                  const CurveView &curve);

    InstructionSet instructionSet_;
    FrameEvaluator evaluator_;
    QImage spare_; // the frame before last, drawn over once its holder lets go of it
    FramePixels bitmapPixels_, sparePixels_;
    // Kept between curves and frames to spare the allocations.
    CurveRows curve_, axis_;
    std::vector<QPointF> curvePoints_;
    std::vector<QPoint> curveVertices_;
    WidePolylineDrawer wideLines_;
    DashedThinLineDrawer dashedLines_;
    std::vector<float> sum_, row_;
    std::vector<double> modeFactors_; // Amplitudes[k]·c_k of a plain frame
    int frameInterval_ = 100;
    PreparedFrame prepared_;
};
