#pragma once
#include <QImage>
#include <QWidget>

#include <functional>

// The picture of the string. It keeps no copy of the frame: the owner says
// when a new one is due and how to draw it, and each paint draws it again,
// straight into the window's backing store where it can.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    // Draws the frame last shown into a picture of the frame's size. The same
    // call must give the same pixels until the next showFrame.
    using FrameDrawer = std::function<void(QImage &picture)>;

    explicit PaintBox(QWidget *parent = nullptr);

    void setFrameDrawer(FrameDrawer drawer);
    // A new frame of that size: shown at the top left, the window colour beyond.
    void showFrame(QSize size);
    // The frame shown, drawn afresh; null before the first.
    QImage frame() const;
    int framesShown() const { return framesShown_; }

signals:
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool drawIntoBackingStore(QRect frameRect);

    FrameDrawer drawFrame_;
    QSize frameSize_;
    int framesShown_ = 0;
    // Where the backing store cannot take the frame (another pixel format or
    // scale, or a frame larger than the box): the frame, and which one it is.
    QImage ownCopy_;
    int ownCopyOf_ = -1;
};
