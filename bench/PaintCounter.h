#pragma once
#include <QEvent>
#include <QObject>

// Counts the paints a widget really receives, so that a repaint the platform
// skipped cannot pass for a fast one.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
