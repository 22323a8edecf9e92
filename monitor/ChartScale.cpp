#include "monitor/ChartScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double FallbackLimit = 1.1;
constexpr int MaxTicks = 1000;

// The smallest of 1, 2, 5, 10, 20, 50, ... (times `unit`) that is at least `least`.
double niceAtLeast(double least, double unit)
{
    double decade = unit;
    for (;;) {
        for (const double f : {1.0, 2.0, 5.0})
            if (f * decade >= least)
                return f * decade;
        decade *= 10.0;
    }
}

} // namespace

ValueRange fitRange(std::span<const double> values)
{
    ValueRange r;
    for (const double v : values) {
        if (!std::isfinite(v))
            continue;
        r.min = std::min(r.min, v);
        r.max = std::max(r.max, v);
    }
    if (r.min == r.max)
        return {-1.0, 1.0};
    return r;
}

ValueRange drawableRange(ValueRange range)
{
    if (!std::isfinite(range.min) || !std::isfinite(range.max))
        return {-FallbackLimit, FallbackLimit};
    if (range.min > range.max)
        std::swap(range.min, range.max);
    if (range.min == range.max) {
        range.min -= 1.0;
        range.max += 1.0;
    }
    return range;
}

double tickStep(double span, int maxTicks)
{
    if (!(span > 0) || !std::isfinite(span))
        return 1.0;
    maxTicks = std::max(1, maxTicks);
    const double raw = span / maxTicks;
    return niceAtLeast(raw, std::pow(10.0, std::floor(std::log10(raw))));
}

std::vector<double> tickValues(ValueRange range, double step)
{
    std::vector<double> ticks;
    if (!(step > 0) || !std::isfinite(range.min) || !std::isfinite(range.max))
        return ticks;
    const double first = std::ceil(range.min / step - 1e-9);
    for (int i = 0; i <= MaxTicks; ++i) {
        double t = (first + i) * step;
        if (t > range.max + step * 1e-9)
            break;
        if (std::fabs(t) < step * 1e-9)
            t = 0.0;
        ticks.push_back(t);
    }
    return ticks;
}
