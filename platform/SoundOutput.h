#pragma once
#include <QAudioFormat>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <span>
#include <vector>

class QAudioSink;
class QIODevice;

// A mono stream of float samples to the desktop's default sound output, asked
// of a source function as the output has room for them.
class SoundOutput : public QObject {
    Q_OBJECT
public:
    // Fills the span with the next samples, each in [-1, 1].
    using Source = std::function<void(std::span<float>)>;

    explicit SoundOutput(QObject *parent = nullptr);
    ~SoundOutput() override;

    // False where the desktop has no sound output; start() then does nothing.
    bool isAvailable() const { return sampleRate() > 0; }
    int sampleRate() const { return format_.sampleRate(); }
    bool isRunning() const { return device_ != nullptr; }
    // Does nothing where the output cannot be opened; isRunning() tells.
    void start(Source source);
    void stop();

signals:
    // By stop(), or by itself when the sound server went away.
    void stopped();

private:
    // What is queued ahead of the speaker: a change is heard that soon, and a
    // frame that keeps the program busy for less does not starve it.
    static constexpr qint64 LeadMicroseconds = 200000;

    void feed();
    void halt();

    QAudioFormat format_;
    std::unique_ptr<QAudioSink> sink_;
    // The sink's own; valid while running.
    QIODevice *device_ = nullptr;
    Source source_;
    QTimer feedTimer_;
    std::vector<float> samples_;
    // Samples made but not yet taken by the output.
    QByteArray pending_;
    qint64 written_ = 0;
};
