#pragma once
#include <QLabel>
#include <QStatusBar>

// A sunken, right-aligned number field in 14-pixel type that reacts to a
// click. It keeps its designed width and grows for a number that needs more.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(int width, int height, QWidget *parent = nullptr);

    void showNumber(qint64 value);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int designWidth_;
};

// The status bar: three panels (100, 80 and the rest of the bar); a click
// anywhere on it is reported.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget *parent = nullptr);

    QLabel *panel(int i) const { return panels_[i]; }
    // Sets a panel's text; a panel of fixed width grows to show it whole.
    void setPanelText(int i, const QString &text);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QLabel *panels_[3];
    int designWidths_[3];
};
