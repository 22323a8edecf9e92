#pragma once
#include "model/DrawnWaveform.h"

#include <QImage>
#include <QWidget>

// The waveform editor: shows a DrawnWaveform and lets the mouse change it.
// A left or middle drag moves the inner point whose zone was pressed (Shift
// snaps the row to tens); a right click takes the point out. While inactive it
// shows a blank face.
class WaveformEditor : public QWidget {
    Q_OBJECT
public:
    explicit WaveformEditor(QWidget *parent = nullptr);

    const DrawnWaveform &waveform() const { return waveform_; }
    // The picture last drawn, as shown.
    const QImage &image() const { return image_; }
    // The inner point under drag, 0 for none.
    int selectedPoint() const { return selected_; }

    void setActive(bool active);
    // Shows the waveform, as if drawn; announces no change.
    void setWaveform(const DrawnWaveform &waveform);
    // Takes out every inner point.
    void clear();

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void render();

    DrawnWaveform waveform_;
    QImage image_;
    bool active_ = false;
    int selected_ = 0;
};
