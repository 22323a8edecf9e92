#pragma once
#include <cstdint>
#include <vector>

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
