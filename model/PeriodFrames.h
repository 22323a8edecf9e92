#pragma once
#include "model/WaveParams.h"

#include <QSize>

#include <cstdint>
#include <functional>
#include <vector>

class QIODevice;
class Wave;
struct DisplaySettings;

// The frame counts an animation of one period may have, and its default.
inline constexpr int MinPeriodFrames = 2;
inline constexpr int MaxPeriodFrames = 500;
inline constexpr int DefaultPeriodFrames = 50;

// The times of `frames` frames spread over one period from `start`:
// start + round(j * period / frames) for j = 0 .. frames - 1, each stopping at
// the ends of the time's range. None for fewer than one frame.
std::vector<std::int32_t> periodFrameTimes(std::int32_t start, float period, int frames);

// How long each of those frames shows, in hundredths of a second, when the
// animation runs a frame every `intervalMs`: frame j ends at the j + 1-th
// share of the period, rounded, so the rounding never adds up over the loop;
// each at least 2 (viewers run shorter delays at 10) and at most what a GIF
// holds.
std::vector<int> periodFrameDelays(float period, std::int32_t intervalMs, int frames);

// How writing an animation ended.
enum class AnimationResult { Written, Stopped, CannotDraw, CannotWrite };

// One period of the string from view.time as a looping GIF on the device:
// `frames` frames drawn at `size` as the main window draws them, each shown
// as long as the animation would show it at `intervalMs`. Before each frame
// and after the last, goOn(frames drawn so far) may stop it.
AnimationResult writePeriodGif(QIODevice &device, const Wave &wave, FrameParams view, std::int32_t intervalMs,
                               const DisplaySettings &look, QSize size, int frames,
                               const std::function<bool(int framesDrawn)> &goOn = {});
