#include "platform/StatusTipHook.h"

#include <QCoreApplication>
#include <QStatusTipEvent>

StatusTipHook::StatusTipHook(std::function<void(const QString &)> handler, QObject *parent)
    : QObject(parent)
    , handler_(std::move(handler))
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

StatusTipHook::~StatusTipHook()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool StatusTipHook::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::StatusTip)
        return QObject::eventFilter(watched, event);
    const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
    // The event travels up the parent chain; one hint change is one call.
    if (tip != hint_) {
        hint_ = tip;
        if (handler_)
            handler_(hint_);
    }
    return true;
}
