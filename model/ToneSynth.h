#pragma once
#include <cstdint>
#include <span>
#include <vector>

// The highest mode that sounds: those at or above 45 % of the sample rate
// would fold back as false tones.
int highestSoundingMode(int sampleRate, int fundamentalHz);

// The string's tone: mode k sounds at k times the fundamental with its
// amplitude, the sum scaled so that its loudest sample is Headroom. A change
// of amplitudes cross-fades to the new tone, and starting or stopping fades
// in or out, so the output never jumps. Mono float samples in [-1, 1].
class ToneSynth {
public:
    static constexpr int DefaultFundamentalHz = 220;
    static constexpr float Headroom = 0.8f;
    static constexpr double FadeSeconds = 0.02;

    explicit ToneSynth(int sampleRate, int fundamentalHz = DefaultFundamentalHz);

    int sampleRate() const { return sampleRate_; }
    int highestMode() const { return highestSoundingMode(sampleRate_, fundamentalHz_); }
    // Mode k's amplitude at index k - 1; modes beyond highestMode() and values
    // that are not finite are silent.
    void setAmplitudes(std::span<const float> amplitudes);
    void setPlaying(bool playing);
    bool isPlaying() const { return playing_; }
    // Stopped and faded out: only zeros follow.
    bool isSilent() const { return !playing_ && level_ == 0.0f; }
    void render(std::span<float> out);

private:
    int sampleRate_;
    int fundamentalHz_;
    int fadeSamples_;
    // The tone repeats exactly after this many samples; one loop of it is kept.
    std::vector<float> loop_;
    // The tone being faded out, and how far the fade to loop_ has come (0..1).
    std::vector<float> previous_;
    float blend_ = 1.0f;
    std::size_t position_ = 0;
    float level_ = 0.0f;
    bool playing_ = false;
};

// One loop of the tone (loopLength(sampleRate, fundamentalHz) samples),
// scaled to peak at `peak`; all zeros for a silent string.
std::vector<float> toneLoop(std::span<const float> amplitudes, int sampleRate, int fundamentalHz, float peak);
// The fewest samples after which a tone of that fundamental repeats exactly.
int loopLength(int sampleRate, int fundamentalHz);
