#include "monitor/LocalAmplitude.h"

#include <cmath>
#include <numbers>

float localAmplitude(float amplitude, int k, int x, int width)
{
    if (width == 0)
        return 0.0f;
    using Extended = long double;
    const Extended angle = (Extended(x) * std::numbers::pi_v<Extended> * Extended(k)) / Extended(width);
    return float(std::sin(angle) * Extended(amplitude));
}
