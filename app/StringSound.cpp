#include "app/StringSound.h"

#include <QMetaObject>

StringSound::StringSound(QObject *parent)
    : QObject(parent)
{
    if (output_.isAvailable())
        synth_.emplace(output_.sampleRate());
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
    if (playing) {
        silentSamples_ = 0;
        output_.start([this](std::span<float> out) { fill(out); });
    }
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
