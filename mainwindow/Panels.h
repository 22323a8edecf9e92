#pragma once
#include <QLabel>
#include <QStatusBar>

// A sunken, right-aligned number field that reacts to a click.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    TClickLabel(int width, int height, QWidget *parent = nullptr);

    // Shows the number, in a smaller type when it is too long for the field.
    void ShowNumber(qint64 value);

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// The status bar: three panels (100, 80 and the rest of the bar); a click
// anywhere on it is reported.
class TStatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusPanels(QWidget *parent = nullptr);

    QLabel *Panel(int i) const { return panels_[i]; }

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QLabel *panels_[3];
};
