#include "model/Wave.h"

#include "model/ViewState.h"
#include "model/WaveMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Extended = long double;
constexpr Extended PiL = std::numbers::pi_v<long double>;

// Restores the cursor on every way out of the computation.
class BusyCursorScope {
public:
    explicit BusyCursorScope(const std::function<void(bool)> &hook)
        : hook_(hook)
    {
        if (hook_)
            hook_(true);
    }
    ~BusyCursorScope()
    {
        if (hook_)
            hook_(false);
    }

private:
    const std::function<void(bool)> &hook_;
};

// Sine and cosine in extended precision. On x87 one instruction gives both,
// ten times faster than the C library's pair; its reduction of arguments up to
// 1000π is accurate far beyond the single-precision sums they feed.
inline void SinCos(Extended x, Extended &s, Extended &c)
{
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    Extended sv, cv;
    asm("fsincos" : "=t"(cv), "=u"(sv) : "0"(x));
    s = sv;
    c = cv;
#else
    s = std::sin(x);
    c = std::cos(x);
#endif
}

} // namespace

TWave::TWave() = default;
TWave::~TWave() = default;

void TWave::SetWaveCount(int n)
{
    WaveCount = std::uint16_t(std::clamp(n, 1, MaxWaveCount));
}

void TWave::CalcAmplitudes()
{
    BusyCursorScope busy(onBusy_);
    const int n = std::min<int>(WaveCount, MaxWaveCount);
    switch (AmplitudeType) {
    case atEqual: {
        if (n < 1)
            break;
        const float a = float(Extended(1) / Extended(n));
        for (int k = 1; k <= n; ++k)
            Amplitudes[k] = a;
        break;
    }
    case atHarmonic:
        for (int k = 1; k <= n; ++k)
            Amplitudes[k] = float(Extended(1) / Extended(k));
        break;
    case atDrawn:
        CalcDrawnAmplitudes();
        if (onDrawnAmplitudes_)
            onDrawnAmplitudes_();
        break;
    default:
        break;
    }
}

// The sine-series coefficients of the polyline through the defined points,
// integrated exactly segment by segment.
void TWave::CalcDrawnAmplitudes()
{
    HakeiPoints[0] = 0.0f;
    HakeiPoints[HakeiPointCount - 1] = 0.0f;
    HakeiDefined[0] = true;
    HakeiDefined[HakeiPointCount - 1] = true;

    // The angles of the points, rounded to single as the sum expects.
    float theta[HakeiPointCount];
    for (int j = 0; j < HakeiPointCount; ++j)
        theta[j] = float(Extended(j) * PiL / Extended(12));

    const int n = std::min<int>(WaveCount, MaxWaveCount);
    for (int k = 1; k <= n; ++k) {
        const Extended kk = k;
        // The sine and cosine at a point serve both segments that meet there.
        Extended cosAt[HakeiPointCount], sinAt[HakeiPointCount];
        SinCos(kk * Extended(theta[0]), sinAt[0], cosAt[0]);
        float sum = 0.0f;
        int prev = 0;
        for (int j = 1; j < HakeiPointCount; ++j) {
            if (!HakeiDefined[j])
                continue;
            SinCos(kk * Extended(theta[j]), sinAt[j], cosAt[j]);
            const Extended x0 = theta[prev], x1 = theta[j];
            const Extended y0 = HakeiPoints[prev], y1 = HakeiPoints[j];
            const Extended term = (cosAt[j] * (x0 * y1 - x1 * y1) + cosAt[prev] * (x1 * y0 - x0 * y0)
                                   + (sinAt[j] - sinAt[prev]) * ((y1 - y0) / kk))
                                  * ((Extended(2) / kk) / PiL / (x1 - x0));
            sum = float(Extended(sum) + term);
            prev = j;
        }
        Amplitudes[k] = sum;
    }
}

std::int32_t TWave::CurrentTime() const
{
    return view_ ? view_->GetTime() : 0;
}

float TWave::ModeDisplacement(int k, int width, float x) const
{
    if (k < 1 || k > MaxWaveCount || width == 0)
        return 0.0f;
    const double c = wavemath::TimeFactor(Period, CurrentTime(), k);
    return wavemath::ModeValue(double(Amplitudes[k]) * c, wavemath::ModeSine(k, width, x));
}

float TWave::Displacement(int width, float x) const
{
    float sum = 0.0f;
    for (int k = 1; k <= WaveCount; ++k)
        sum = sum + ModeDisplacement(k, width, x);
    return sum;
}
