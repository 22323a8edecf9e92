#pragma once
#include "platform/Color.h"

#include <QLabel>

// A raised panel with a centred caption in white on a background of any
// colour; a click with the left button reports `clicked`.
class ColorPanel : public QLabel {
    Q_OBJECT
public:
    explicit ColorPanel(const QString &caption, QWidget *parent = nullptr);

    void setColor(Color color);
    Color color() const { return color_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Color color_ = colors::Black;
    bool pressed_ = false;
};
