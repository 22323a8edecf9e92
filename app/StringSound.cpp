#include "app/StringSound.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

StringSound::StringSound(QObject *parent)
    : QObject(parent)
{
    if (!output_.isAvailable())
        return;
    synth_.emplace(output_.sampleRate());
    retry_.setSingleShot(true);
    retry_.setInterval(1000);
    connect(&retry_, &QTimer::timeout, this, &StringSound::start);
    // Stopped while the tone should sound: the sound server went away.
    connect(&output_, &SoundOutput::stopped, this, [this] {
        if (synth_->isPlaying())
            retry_.start();
    });
    connect(qApp, &QCoreApplication::aboutToQuit, this, &StringSound::fadeOutBeforeQuitting);
}

void StringSound::setAmplitudes(std::span<const float> amplitudes)
{
    if (synth_)
        synth_->setAmplitudes(amplitudes);
}

void StringSound::setPlaying(bool playing)
{
    if (!synth_ || playing == synth_->isPlaying())
        return;
    synth_->setPlaying(playing);
    if (playing)
        start();
}

void StringSound::start()
{
    if (!synth_->isPlaying() || output_.isRunning())
        return;
    silentSamples_ = 0;
    output_.start([this](std::span<float> out) { fill(out); });
    if (!output_.isRunning())
        retry_.start();
}

void StringSound::fadeOutBeforeQuitting()
{
    if (!output_.isRunning())
        return;
    synth_->setPlaying(false);
    QEventLoop wait;
    connect(&output_, &SoundOutput::stopped, &wait, &QEventLoop::quit);
    QTimer::singleShot(1000, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

void StringSound::fill(std::span<float> out)
{
    synth_->render(out);
    if (!synth_->isSilent()) {
        silentSamples_ = 0;
        return;
    }
    silentSamples_ += qint64(out.size());
    // Released only once the output has surely played the end of the fade,
    // which sits in its queue behind the samples just handed over.
    if (silentSamples_ > synth_->sampleRate() / 4)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (synth_->isSilent())
                    output_.stop();
            },
            Qt::QueuedConnection);
}
