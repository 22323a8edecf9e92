#include "model/PeriodFrames.h"

#include "model/Wave.h"
#include "platform/GifWriter.h"
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

std::vector<int> periodFrameDelays(float period, std::int32_t intervalMs, int frames)
{
    std::vector<int> delays;
    delays.reserve(std::size_t(std::max(frames, 0)));
    const double share = double(period) * double(intervalMs) / 10.0 / std::max(frames, 1);
    double end = 0.0;
    for (int j = 0; j < frames; ++j) {
        const double next = std::nearbyint(share * (j + 1));
        delays.push_back(roundToInt(next - end, 2, 65535, 2));
        end = next;
    }
    return delays;
}

AnimationResult writePeriodGif(QIODevice &device, const Wave &wave, FrameParams view, std::int32_t intervalMs,
                               const DisplaySettings &look, QSize size, int frames,
                               const std::function<bool(int framesDrawn)> &goOn)
{
    const std::vector<std::int32_t> times = periodFrameTimes(view.time, wave.period, frames);
    const std::vector<int> delays = periodFrameDelays(wave.period, intervalMs, frames);
    // One string for every frame, so its sines are found once.
    Wave drawer;
    drawer.copyStringFrom(wave);
    GifWriter writer(device, size);
    for (std::size_t j = 0; j < times.size(); ++j) {
        if (goOn && !goOn(int(j)))
            return AnimationResult::Stopped;
        view.time = times[j];
        drawer.drawFrame(size.width(), size.height(), view, look);
        // A picture too large for memory comes out null.
        if (drawer.bitmap.isNull())
            return AnimationResult::CannotDraw;
        if (!writer.addFrame(drawer.bitmap, delays[j]))
            return AnimationResult::CannotWrite;
    }
    if (goOn && !goOn(int(times.size())))
        return AnimationResult::Stopped;
    return writer.finish() ? AnimationResult::Written : AnimationResult::CannotWrite;
}
