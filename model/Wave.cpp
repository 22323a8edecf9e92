#include "model/Wave.h"

#include "model/WaveMath.h"

#include <algorithm>
#include <cmath>
#include <math.h>
#include <numbers>
#include <vector>

namespace {

constexpr long double PiL = std::numbers::pi_v<long double>;

// The sine and cosine of k·x for k = 1, 2, 3, ... in turn, in extended
// precision. The C library's sincosl gives every AnchorEvery-th pair, angle
// addition the ones between: the drift over those few steps stays below
// 1e-17, far under the single precision of the sums, at a fraction of the
// cost of a library call per pair.
class MultipleAngle {
public:
    static constexpr int AnchorEvery = 32;

    explicit MultipleAngle(long double x)
        : x_(x)
    {
        sinCos(x, sinX_, cosX_);
    }

    // Moves on to k = the next multiple; the first call gives k = 1.
    void next()
    {
        ++k_;
        if ((k_ - 1) % AnchorEvery == 0) {
            sinCos(k_ * x_, sin_, cos_);
            return;
        }
        const long double s = sin_ * cosX_ + cos_ * sinX_;
        cos_ = cos_ * cosX_ - sin_ * sinX_;
        sin_ = s;
    }

    long double sin() const { return sin_; }
    long double cos() const { return cos_; }

private:
    static void sinCos(long double x, long double &s, long double &c)
    {
#if defined(__GLIBC__)
        ::sincosl(x, &s, &c);
#else
        s = std::sin(x);
        c = std::cos(x);
#endif
    }

    long double x_;
    long double sinX_ = 0, cosX_ = 1;
    int k_ = 0;
    long double sin_ = 0, cos_ = 1;
};

} // namespace

Wave::Wave(InstructionSet set)
    : instructionSet_(set)
    , evaluator_(set)
{
}

Wave::~Wave() = default;

void Wave::setParams(const WaveParams &params)
{
    period = params.period;
    setWaveCount(params.modeCount);
    rule = params.rule;
}

void Wave::setWaveCount(int n)
{
    waveCount = std::uint16_t(std::clamp(n, 1, MaxWaveCount));
}

void Wave::calcAmplitudes(const DrawnWaveform &drawn)
{
    const int n = std::min<int>(waveCount, MaxWaveCount);
    switch (rule) {
    case AmplitudeRule::Equal: {
        if (n < 1)
            break;
        const float a = float(1.0L / n);
        for (int k = 1; k <= n; ++k)
            amplitudes[k] = a;
        break;
    }
    case AmplitudeRule::Harmonic:
        for (int k = 1; k <= n; ++k)
            amplitudes[k] = float(1.0L / k);
        break;
    case AmplitudeRule::Drawn:
        calcDrawnAmplitudes(drawn);
        break;
    default:
        break;
    }
}

// The sine-series coefficients of the polyline through the defined points,
// integrated exactly segment by segment.
void Wave::calcDrawnAmplitudes(const DrawnWaveform &drawn)
{
    constexpr int PointCount = DrawnWaveform::PointCount;
    // The angles of the points, rounded to single as the sum expects.
    float theta[PointCount];
    for (int j = 0; j < PointCount; ++j)
        theta[j] = float(j * PiL / 12.0L);

    std::vector<MultipleAngle> at;
    at.reserve(PointCount);
    for (int j = 0; j < PointCount; ++j)
        at.emplace_back(static_cast<long double>(theta[j]));

    const int n = std::min<int>(waveCount, MaxWaveCount);
    for (int k = 1; k <= n; ++k) {
        const long double kk = k;
        for (int j = 0; j < PointCount; ++j)
            if (drawn.isDefined(j))
                at[std::size_t(j)].next();
        float sum = 0.0f;
        int prev = 0;
        for (int j = 1; j < PointCount; ++j) {
            if (!drawn.isDefined(j))
                continue;
            const MultipleAngle &a0 = at[std::size_t(prev)], &a1 = at[std::size_t(j)];
            const long double x0 = theta[prev], x1 = theta[j];
            const long double y0 = drawn.height(prev), y1 = drawn.height(j);
            const long double term = (a1.cos() * (x0 * y1 - x1 * y1) + a0.cos() * (x1 * y0 - x0 * y0)
                                      + (a1.sin() - a0.sin()) * ((y1 - y0) / kk))
                * ((2.0L / kk) / PiL / (x1 - x0));
            sum = float(static_cast<long double>(sum) + term);
            prev = j;
        }
        amplitudes[k] = sum;
    }
}

QImage Wave::frameAt(QSize size, const FrameParams &view, const DisplaySettings &look) const
{
    Wave other;
    other.copyStringFrom(*this);
    other.drawFrame(size.width(), size.height(), view, look);
    return other.bitmap;
}

void Wave::copyStringFrom(const Wave &other)
{
    waveCount = other.waveCount;
    period = other.period;
    rule = other.rule;
    amplitudes = other.amplitudes;
}

float Wave::modeDisplacement(int k, int width, float x, std::int32_t time) const
{
    if (k < 1 || k > MaxWaveCount || width == 0)
        return 0.0f;
    const double c = wavemath::timeFactor(period, time, k);
    return wavemath::modeValue(double(amplitudes[k]) * c, wavemath::modeSine(k, width, x));
}

float Wave::displacement(int width, float x, std::int32_t time) const
{
    float sum = 0.0f;
    for (int k = 1; k <= waveCount; ++k)
        sum = sum + modeDisplacement(k, width, x, time);
    return sum;
}
