#pragma once
#include <QImage>
#include <QWidget>

// The picture of the string. It shows the frame last copied into it and paints
// that frame again when the window system asks, without drawing a new one.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget *parent = nullptr);

    void copyFrame(const QImage &frame);
    const QImage &frame() const { return frame_; }
    int framesCopied() const { return framesCopied_; }

signals:
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage frame_;
    int framesCopied_ = 0;
};
