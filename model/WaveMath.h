#pragma once
// The formulas of the string, shared by the call-by-call evaluation and the
// tabulated one so that both give the same bits.
#include "platform/Rounding.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace wavemath {

inline constexpr double Pi = std::numbers::pi_v<double>;

// cos(((2π/T)·t)·k). A period of 0 (or one that is not finite) would divide by
// zero; the string then stands still in its shape at t = 0.
inline double timeFactor(float period, std::int32_t time, int k)
{
    if (period == 0.0f || !std::isfinite(period))
        return 1.0;
    return std::cos(((2.0 * Pi / double(period)) * double(time)) * double(k));
}

// ((π·x)·k)/width: mode k's angle at column x.
inline double modeAngle(int k, int width, float x)
{
    return ((Pi * double(x)) * double(k)) / double(width);
}

// The shape of mode k at column x.
inline double modeSine(int k, int width, float x)
{
    return std::sin(modeAngle(k, width, x));
}

// Mode k's signed displacement at pixel column x of a string drawn `width`
// pixels wide, at the moment its amplitude is fully out: amplitude ·
// sin(x·π·k / width), in extended precision for the monitor's probe. A string
// of no width has nowhere to be displaced, so it gives 0 rather than NaN.
inline float localAmplitude(float amplitude, int k, int x, int width)
{
    if (width == 0)
        return 0.0f;
    const long double angle = ((long double)x * std::numbers::pi_v<long double> * (long double)k) / (long double)width;
    return float(std::sin(angle) * (long double)amplitude);
}

// Amplitude·c·s, left to right, rounded to single.
inline float modeValue(double amplitudeTimesCos, double sine)
{
    return float(amplitudeTimesCos * sine);
}

// x_i = W·(i/Q), the quotient first.
inline float columnX(int width, int i, int quality)
{
    return float(double(width) * (double(i) / double(quality)));
}

// nearbyint in the default rounding mode, written out so that it compiles to
// plain additions on every x86-64 rather than to a library call: adding and
// taking away 2^52 leaves no fraction. Larger magnitudes have none already.
inline double roundHalfEven(double v)
{
    constexpr double NoFraction = 4503599627370496.0; // 2^52
    const double a = std::fabs(v);
    const double rounded = std::copysign((a + NoFraction) - NoFraction, v);
    return a < NoFraction ? rounded : v;
}

// Round((H div 2)·(1 − D·Z)), exact however far outside the picture the row
// lies: the drawing clips, never this. A NaN (0 · ∞) lands on the axis.
inline double curveRow(int half, float d, float zoom)
{
    const double v = double(half) * (1.0 - double(d) * double(zoom));
    return std::isnan(v) ? double(half) : roundHalfEven(v);
}

} // namespace wavemath
