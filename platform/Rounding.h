#pragma once
#include <cmath>
#include <cstdint>

// Nearest integer, ties to even, clamped into [lo, hi]; NaN gives `nanValue`.
inline int roundToInt(double v, int lo, int hi, int nanValue)
{
    if (std::isnan(v))
        return nanValue;
    const double r = std::nearbyint(v);
    if (r <= lo)
        return lo;
    if (r >= hi)
        return hi;
    return int(r);
}

// Integer arithmetic that stops at the 32-bit ends instead of wrapping.
inline std::int32_t saturatingAdd(std::int32_t a, std::int64_t b)
{
    const std::int64_t s = std::int64_t(a) + b;
    if (s > INT32_MAX)
        return INT32_MAX;
    if (s < INT32_MIN)
        return INT32_MIN;
    return std::int32_t(s);
}
