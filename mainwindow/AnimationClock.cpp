#include "mainwindow/AnimationClock.h"

#include "platform/IdleHook.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <climits>

AnimationClock::AnimationClock(QObject *parent)
    : QObject(parent)
    , idleHook_(new IdleHook(this))
    , tickSource_(&getTickCount)
    , lastTick_(now())
{
    idleHook_->setHandler([this](bool &done) { handleIdle(done); });
}

void AnimationClock::setInterval(int ms)
{
    ms = std::max(ms, 1);
    if (ms == interval_)
        return;
    interval_ = ms;
    emit intervalChanged(ms);
}

void AnimationClock::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    emit pausedChanged(paused);
}

void AnimationClock::setTickSource(TickSource source)
{
    tickSource_ = std::move(source);
    lastTick_ = now();
}

void AnimationClock::handleIdle(bool &done)
{
    if (runCondition_ && !runCondition_())
        return;
    if (paused_)
        return;
    const std::int64_t elapsed = ticksBetween(std::uint32_t(lastTick_), now());
    if (elapsed >= interval_) {
        lastTick_ = now();
        emit stepDue();
        idleHook_->wakeWithin(interval_);
    } else {
        // Nothing is due before then; sleeping until then changes no step.
        idleHook_->wakeWithin(int(std::min<std::int64_t>(interval_ - elapsed, INT_MAX)));
    }
    done = false;
}
