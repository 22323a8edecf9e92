#include "platform/IdleHook.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <algorithm>

IdleHook::IdleHook(QObject *parent)
    : QObject(parent)
{
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    // The timeout only wakes the loop; the handler runs when it is about to wait again.
    connect(&wake_, &QTimer::timeout, this, [] {});
    if (auto *dispatcher = QAbstractEventDispatcher::instance(
            QCoreApplication::instance() ? QCoreApplication::instance()->thread() : nullptr))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdleHook::loopAboutToBlock);
}

void IdleHook::setHandler(Handler handler)
{
    handler_ = std::move(handler);
}

void IdleHook::wakeWithin(int ms)
{
    wakeHintMs_ = wakeHintMs_ < 0 ? ms : std::min(wakeHintMs_, ms);
}

void IdleHook::loopAboutToBlock()
{
    if (running_ || !handler_)
        return;
    running_ = true;
    bool done = true;
    wakeHintMs_ = -1;
    handler_(done);
    running_ = false;
    if (done)
        return;
    const int ms = std::max(1, wakeHintMs_ < 0 ? 1 : wakeHintMs_);
    if (!wake_.isActive() || wake_.remainingTime() > ms)
        wake_.start(ms);
}
