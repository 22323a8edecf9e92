#pragma once
#include "platform/Color.h"

#include <QLabel>

// A raised panel with a centred caption in white on a background of any
// colour; a click with the left button reports `clicked`.
class TColorPanel : public QLabel {
    Q_OBJECT
public:
    explicit TColorPanel(const QString &caption, QWidget *parent = nullptr);

    void setColor(TColor color);
    TColor color() const { return color_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TColor color_ = clBlack;
    bool pressed_ = false;
};
