#pragma once
#include <cstdint>

// The amplitude rule; the value is also the item index in the settings dialog.
enum class AmplitudeRule : std::uint8_t { Equal = 0, Harmonic = 1, Drawn = 2 };

inline constexpr int MaxWaveCount = 1000;

// What the wave settings dialog sets: the string's modes, period and rule.
struct WaveParams {
    int modeCount = 1;
    float period = 100.0f;
    AmplitudeRule rule = AmplitudeRule::Equal;

    friend bool operator==(const WaveParams &, const WaveParams &) = default;
};

// How one frame is viewed: the time in frames, the vertical zoom, the number
// of segments per curve, and whether every mode is drawn by itself too.
struct FrameParams {
    std::int32_t time = 0;
    float zoom = 1.0f;
    std::int32_t quality = 50;
    bool showAll = false;

    friend bool operator==(const FrameParams &, const FrameParams &) = default;
};
