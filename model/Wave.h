#pragma once
#include "model/DrawnWaveform.h"
#include "model/FrameEvaluator.h"

#include <QImage>
#include <QPointF>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class IWaveView;
class IDisplaySettings;

// The amplitude rule; the value is also the item index in the settings dialog.
enum class AmplitudeRule : std::uint8_t { Equal = 0, Harmonic = 1, Drawn = 2 };

inline constexpr int MaxWaveCount = 1000;

// The string: n normal modes, their amplitudes, the displacement they add up
// to at the current time, and the picture of one frame.
class Wave {
public:
    Wave();
    virtual ~Wave();
    Wave(const Wave &) = delete;
    Wave &operator=(const Wave &) = delete;

    std::uint16_t waveCount = 0;
    float period = 0.0f;
    AmplitudeRule rule = AmplitudeRule::Equal;
    QImage bitmap;
    std::array<float, MaxWaveCount + 1> amplitudes{}; // indexed 1..MaxWaveCount

    // Stores n clamped into 1..1000; the amplitudes are not recomputed.
    void setWaveCount(int n);
    void calcAmplitudes();
    float modeDisplacement(int k, int width, float x) const;
    float displacement(int width, float x) const;
    void drawFrame(int width, int height);

    // Where the time, zoom, quality and show-all state come from.
    void setView(const IWaveView *view) { view_ = view; }
    void setDisplaySettings(const IDisplaySettings *settings) { settings_ = settings; }
    // Run after the drawn rule has computed its amplitudes (the monitor refreshes).
    void setDrawnAmplitudesHandler(std::function<void()> handler) { onDrawnAmplitudes_ = std::move(handler); }
    // Shows a busy cursor while true; the computation may take a moment.
    void setBusyCursorHandler(std::function<void(bool)> handler) { onBusy_ = std::move(handler); }

private:
    void calcDrawnAmplitudes();
    std::int32_t currentTime() const;
    void drawCurve(class QPainter &painter, const struct Pen &pen, const float *values, int half);

    const IWaveView *view_ = nullptr;
    const IDisplaySettings *settings_ = nullptr;
    std::function<void()> onDrawnAmplitudes_;
    std::function<void(bool)> onBusy_;
    FrameEvaluator evaluator_;
    std::vector<QPointF> curvePoints_; // kept between curves to spare the allocation
};
