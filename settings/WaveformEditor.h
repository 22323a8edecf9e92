#pragma once
#include <QImage>
#include <QWidget>

// The editor's drawing surface. It shows the image last copied into it; each
// paint first asks its owner to draw afresh, and it reports the mouse with the
// button, the modifier keys and the pixel under the pointer.
class WaveformEditor : public QWidget {
    Q_OBJECT
public:
    explicit WaveformEditor(QWidget *parent = nullptr);

    void copyFrame(const QImage &frame);
    const QImage &frame() const { return frame_; }

signals:
    void paint();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void mouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage frame_;
    bool painting_ = false;
};
