#pragma once
#include "monitor/ChartScale.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <QWidget>

#include <vector>

struct TBar {
    double Value = 0.0;
    QString Label;
    QColor Color;
};

// Where a bar's mark goes: the pixels its text covers, and whether it is drawn.
struct TMark {
    QRect Ink;
    bool Shown = false;
};

// A horizontal bar chart with one series: bars are stacked from the bottom up
// in the order they are added, each starts at 0, has its own colour and a mark
// with its label beside its end; a mark that would overlap one above it is left
// out. The value axis runs along the top.
class TBarChart : public QWidget {
    Q_OBJECT
public:
    explicit TBarChart(QWidget *parent = nullptr);

    void Clear();
    void Add(double value, const QString &label, const QColor &color);
    void SetBars(std::vector<TBar> bars);

    int Count() const { return int(bars_.size()); }
    // Bar i in the order added: 0 is the lowest.
    const TBar &Bar(int i) const { return bars_[std::size_t(i)]; }
    double Value(int i) const { return Bar(i).Value; }
    QString Label(int i) const { return Bar(i).Label; }
    QColor Color(int i) const { return Bar(i).Color; }

    // The value axis: a fixed range, used while automatic scaling is off.
    void SetMinimum(double value);
    void SetMaximum(double value);
    void SetAutomatic(bool on);
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    bool Automatic() const { return automatic_; }
    // The range actually drawn: the fixed one, or with automatic scaling the
    // one fitted to the bars.
    TValueRange VisibleRange() const;

    // Where things land at the current size.
    QRect PlotRect() const;
    QRect BarRect(int i) const;
    // Indexed like the bars.
    std::vector<TMark> Marks() const;
    bool HasMark(int i) const { return Marks()[std::size_t(i)].Shown; }

    QSize sizeHint() const override { return {200, 250}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Frame;
    // A label's ink and advance, measured from its pen position.
    struct Extent {
        QRect Ink;
        int Advance = 0;
    };
    Frame Layout() const;
    QRect BarRect(const Frame &frame, int i) const;
    std::vector<TMark> Marks(const Frame &frame) const;
    void Measure(const QString &label);
    void MeasureMarks();

    std::vector<TBar> bars_;
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
