#pragma once
#include <QObject>

#include <cstdint>
#include <functional>

class IdleHook;

// Paces the animation from the event loop's idle time: whenever the loop runs
// out of work, a step is due once `interval` milliseconds of the tick counter
// have passed since the last one, unless paused or told not to run.
class AnimationClock : public QObject {
    Q_OBJECT
public:
    using TickSource = std::function<std::uint32_t()>;

    explicit AnimationClock(QObject *parent = nullptr);

    int interval() const { return interval_; }
    // At least 1 ms.
    void setInterval(int ms);
    bool isPaused() const { return paused_; }
    void setPaused(bool paused);

    // The millisecond counter; the system's unless replaced (tests step it by hand).
    void setTickSource(TickSource source);
    // Steps are made only while this holds; always, unless replaced.
    void setRunCondition(std::function<bool()> condition) { runCondition_ = std::move(condition); }

    // One idle call of the event loop; `done` set to false asks for another.
    void handleIdle(bool &done);

signals:
    // A step is due: the owner advances the time and draws.
    void stepDue();
    void intervalChanged(int ms);
    void pausedChanged(bool paused);

private:
    std::uint32_t now() const { return tickSource_ ? tickSource_() : 0; }

    IdleHook *idleHook_;
    TickSource tickSource_;
    std::function<bool()> runCondition_;
    std::int64_t lastTick_ = 0;
    int interval_ = 100;
    bool paused_ = false;
};
