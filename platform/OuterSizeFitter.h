#pragma once
#include <QObject>
#include <QSize>

#include <functional>

class QWidget;

// Gives a top-level window its designed outer size, the window manager's frame
// included, once: the first time the window is shown and its frame is known.
// A window manager decorates a window only after it is mapped, and Qt learns
// the frame then without an event of its own, so the fitter looks again at
// every expose, move and resize of the shown window until the frame is known.
// On a display without a window manager there is no frame, and the window's
// own size is the outer size. A size the user gives the window later stays.
class OuterSizeFitter : public QObject {
    Q_OBJECT
public:
    // afterFit runs once the size is set, for a window that also has its place
    // to take (such as the centre of the desktop).
    OuterSizeFitter(QWidget *window, QSize outerSize, std::function<void()> afterFit = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(bool on);
    void tryFit();

    QWidget *window_;
    QSize outerSize_;
    std::function<void()> afterFit_;
    bool fitted_ = false;
};
