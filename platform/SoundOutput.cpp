#include "platform/SoundOutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <cmath>
#include <cstring>

SoundOutput::SoundOutput(QObject *parent)
    : QObject(parent)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format = device.preferredFormat();
    format.setSampleFormat(QAudioFormat::Float);
    if (!device.isFormatSupported(format))
        format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format) || format.sampleRate() <= 0 || format.channelCount() <= 0)
        return;
    format_ = format;
    sink_ = std::make_unique<QAudioSink>(device, format_);
    // The sound server gone, the sink stops by itself and drops the device it
    // gave out: nothing may be written there any more.
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && device_)
            halt();
    });
    feedTimer_.setTimerType(Qt::PreciseTimer);
    feedTimer_.setInterval(20);
    connect(&feedTimer_, &QTimer::timeout, this, &SoundOutput::feed);
}

SoundOutput::~SoundOutput()
{
    stop();
}

void SoundOutput::start(Source source)
{
    if (!sink_ || device_)
        return;
    source_ = std::move(source);
    device_ = sink_->start();
    if (!device_)
        return;
    written_ = 0;
    pending_.clear();
    feed();
    feedTimer_.start();
}

void SoundOutput::stop()
{
    if (!device_)
        return;
    halt();
    sink_->stop();
}

void SoundOutput::halt()
{
    feedTimer_.stop();
    device_ = nullptr;
    emit stopped();
}

void SoundOutput::feed()
{
    // Kept a lead ahead of what has been played, by the output's own clock:
    // against PulseAudio, Qt 6.4's sink read its pull source only once, and
    // its bytesFree() stayed 0 after the first write.
    const int frameBytes = format_.bytesPerFrame();
    const qint64 played = format_.bytesForDuration(sink_->processedUSecs());
    const qint64 frames
        = (played + format_.bytesForDuration(LeadMicroseconds) - written_ - pending_.size()) / frameBytes;
    if (frames > 0) {
        samples_.resize(std::size_t(frames));
        source_(samples_);
        const qsizetype start = pending_.size();
        pending_.resize(start + frames * frameBytes);
        char *out = pending_.data() + start;
        const int channels = format_.channelCount();
        for (float s : samples_) {
            for (int c = 0; c < channels; ++c) {
                if (format_.sampleFormat() == QAudioFormat::Float) {
                    std::memcpy(out, &s, sizeof s);
                } else {
                    const auto v = qint16(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
                    std::memcpy(out, &v, sizeof v);
                }
                out += format_.bytesPerSample();
            }
        }
    }
    // The output may take only part; the rest goes first next time, so no
    // sample is lost.
    const qint64 taken = pending_.isEmpty() ? 0 : device_->write(pending_);
    if (taken > 0) {
        written_ += taken;
        pending_.remove(0, taken);
    }
}
