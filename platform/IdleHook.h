#pragma once
#include <QObject>
#include <QTimer>

#include <functional>

// Calls a handler whenever the event loop has run out of work and is about to
// wait, nested modal loops included. The handler gets `done` preset to true;
// setting it to false asks to be called again soon. "Soon" is never sooner than
// the millisecond the tick counter can resolve, or later if the handler says when
// it next has work (WakeWithin), so a waiting animation does not hold a core.
class IdleHook : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(bool &done)>;

    explicit IdleHook(QObject *parent = nullptr);

    void setHandler(Handler handler);
    // From inside the handler: the next call is wanted no later than `ms` from now.
    void wakeWithin(int ms);

private:
    void loopAboutToBlock();

    Handler handler_;
    QTimer wake_;
    bool running_ = false;
    int wakeHintMs_ = -1;
};
