#include "model/PeriodFrames.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

std::vector<std::int32_t> periodFrameTimes(std::int32_t start, float period, int frames)
{
    std::vector<std::int32_t> times;
    times.reserve(std::size_t(std::max(frames, 0)));
    for (int j = 0; j < frames; ++j) {
        const double step = std::nearbyint(double(j) * double(period) / frames);
        times.push_back(roundToInt(double(start) + step, INT32_MIN, INT32_MAX, start));
    }
    return times;
}

int periodFrameDelay(float period, std::int32_t intervalMs, int frames)
{
    if (frames < 1)
        return 2;
    return roundToInt(double(period) * double(intervalMs) / frames / 10.0, 2, 65535, 2);
}
