#pragma once
#include "monitor/ChartScale.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <QWidget>

#include <vector>

struct Bar {
    double value = 0.0;
    QString label;
    QColor color;
};

// Where a bar's mark goes: the pixels its text covers, and whether it is drawn.
struct Mark {
    QRect ink;
    bool shown = false;
};

// A horizontal bar chart with one series: bars are stacked from the bottom up
// in the order they are added, each starts at 0, has its own colour and a mark
// with its label beside its end; a mark that would overlap one above it is left
// out. The value axis runs along the top.
class BarChart : public QWidget {
    Q_OBJECT
public:
    explicit BarChart(QWidget *parent = nullptr);

    void clear();
    void add(double value, const QString &label, const QColor &color);
    void setBars(std::vector<Bar> bars);

    int count() const { return int(bars_.size()); }
    // Bar i in the order added: 0 is the lowest.
    const Bar &bar(int i) const { return bars_[std::size_t(i)]; }
    double value(int i) const { return bar(i).value; }
    QString label(int i) const { return bar(i).label; }
    QColor color(int i) const { return bar(i).color; }

    // The value axis: a fixed range, used while automatic scaling is off.
    void setMinimum(double value);
    void setMaximum(double value);
    void setAutomatic(bool on);
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    bool automatic() const { return automatic_; }
    // The range actually drawn: the fixed one, or with automatic scaling the
    // one fitted to the bars.
    ValueRange visibleRange() const;

    // Where things land at the current size.
    QRect plotRect() const;
    QRect barRect(int i) const;
    // Indexed like the bars.
    std::vector<Mark> marks() const;
    bool hasMark(int i) const { return marks()[std::size_t(i)].shown; }

    QSize sizeHint() const override { return {200, 250}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Frame;
    // A label's ink and advance, measured from its pen position.
    struct Extent {
        QRect ink;
        int advance = 0;
    };
    Frame layout() const;
    QRect barRect(const Frame &frame, int i) const;
    std::vector<Mark> marks(const Frame &frame) const;
    void measure(const QString &label);
    void measureMarks();

    std::vector<Bar> bars_;
    std::vector<Extent> extents_;
    // Every refresh (a probe at each mouse move) sets the same labels again;
    // measuring ink is slow, so each text is measured once per font.
    QHash<QString, Extent> measured_;
    int markWidth_ = 0;
    int markHeight_ = 0;
    double minimum_ = -1.1;
    double maximum_ = 1.1;
    bool automatic_ = false;
};
