#include "platform/Desktop.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

void centreOnDesktop(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->frameGeometry().center() + window->pos());
}

void layOutNow(QWidget *window)
{
    if (QLayout *root = window->layout())
        root->activate();
    for (QLayout *inner : window->findChildren<QLayout *>())
        inner->activate();
}

QRect frameOnDesktop(const QRect &frame, const QRect &area, const QSize &smallest)
{
    if (area.isEmpty() || area.contains(frame))
        return frame;
    if (frame.width() <= area.width() && frame.height() <= area.height()) {
        QRect moved = frame;
        moved.moveLeft(std::clamp(frame.left(), area.left(), area.right() - frame.width() + 1));
        moved.moveTop(std::clamp(frame.top(), area.top(), area.bottom() - frame.height() + 1));
        return moved;
    }
    // The title bar and the menu stay reachable even where the rest cannot.
    const QSize size = frame.size().boundedTo(area.size()).expandedTo(smallest).boundedTo(frame.size());
    return {area.topLeft(), size};
}

namespace {

class DesktopKeeper : public QObject {
public:
    explicit DesktopKeeper(QWidget *window)
        : QObject(window)
        , window_(window)
    {
        window_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_) {
            if (event->type() == QEvent::Show) {
                keep();
                watchHandle(true);
            } else if (event->type() == QEvent::Hide) {
                watchHandle(false);
            }
        } else if (watched == window_->windowHandle() && event->type() == QEvent::Expose
                   && window_->windowHandle()->isExposed()) {
            // While the window manager takes the window in, the frame Qt reports
            // may be half made; once the window shows, it is the real one. From
            // then on the window's place is the user's.
            watchHandle(false);
            keep();
        }
        return false;
    }

private:
    void watchHandle(bool on)
    {
        if (QWindow *handle = window_->windowHandle()) {
            handle->removeEventFilter(this);
            if (on)
                handle->installEventFilter(this);
        }
    }

    void keep()
    {
        const QWindow *handle = window_->windowHandle();
        const QMargins margins = handle ? handle->frameMargins() : QMargins();
        if (margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0)
            return;
        const QRect outer = window_->geometry().marginsAdded(margins);
        const QScreen *screen = QGuiApplication::screenAt(outer.center());
        if (!screen)
            screen = window_->screen();
        if (!screen)
            return;
        const QSize smallest = window_->minimumSize().expandedTo(window_->minimumSizeHint()).grownBy(margins);
        const QRect placed = frameOnDesktop(outer, screen->availableGeometry(), smallest);
        // The window itself, not its frame: QWidget::move() goes by a frame it
        // may have learnt while the frame was half made.
        if (placed != outer)
            window_->setGeometry(placed.marginsRemoved(margins));
    }

    QWidget *window_;
};

} // namespace

void keepOnDesktop(QWidget *window)
{
    new DesktopKeeper(window);
}
