#pragma once
#include "model/ToneSynth.h"
#include "platform/SoundOutput.h"

#include <QObject>
#include <QTimer>

#include <optional>
#include <span>

// The string's tone on the desktop's sound output: heard while playing,
// faded out and the output released when not. Fades out before the program
// quits, and starts again once the sound server is back after going away.
class StringSound : public QObject {
    Q_OBJECT
public:
    explicit StringSound(QObject *parent = nullptr);

    bool isAvailable() const { return synth_.has_value(); }
    // Mode k's amplitude at index k - 1.
    void setAmplitudes(std::span<const float> amplitudes);
    void setPlaying(bool playing);

private:
    void fill(std::span<float> out);
    void start();
    // Blocks until the fade has been heard, at most a second.
    void fadeOutBeforeQuitting();

    SoundOutput output_;
    std::optional<ToneSynth> synth_;
    // Zeros handed to the output since the fade-out ended.
    qint64 silentSamples_ = 0;
    // Tries the output again while the tone should sound but cannot.
    QTimer retry_;
};
