#include "platform/OuterSizeFitter.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

OuterSizeFitter::OuterSizeFitter(QWidget *window, QSize outerSize, std::function<void()> afterFit)
    : QObject(window)
    , window_(window)
    , outerSize_(outerSize)
    , afterFit_(std::move(afterFit))
{
    window_->resize(outerSize_);
    window_->installEventFilter(this);
}

void OuterSizeFitter::watch(bool on)
{
    if (QWindow *handle = window_->windowHandle()) {
        handle->removeEventFilter(this);
        if (on)
            handle->installEventFilter(this);
    }
}

bool OuterSizeFitter::eventFilter(QObject *watched, QEvent *event)
{
    if (fitted_)
        return false;
    if (watched == window_) {
        if (event->type() == QEvent::Show)
            watch(true);
        else if (event->type() == QEvent::Hide)
            watch(false);
    } else if (watched == window_->windowHandle()) {
        switch (event->type()) {
        case QEvent::Expose:
        case QEvent::Move:
        case QEvent::Resize:
            tryFit();
            break;
        default:
            break;
        }
    }
    return false;
}

void OuterSizeFitter::tryFit()
{
    const QMargins frame = window_->windowHandle()->frameMargins();
    if (frame.isNull())
        return;
    fitted_ = true;
    watch(false);
    window_->removeEventFilter(this);
    window_->resize(outerSize_.shrunkBy(frame));
    if (afterFit_)
        afterFit_();
}
