#include "monitor/BarChart.h"
#include "platform/Fonts.h"

#include "platform/Color.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double BarFraction = 0.35;
constexpr int MarkGap = 1;
constexpr int TickLength = 4;
constexpr int Padding = 2;
// The widest tick label the axis is laid out for.
const QString &TickLabelSample()
{
    static const QString sample = QStringLiteral("-0.00");
    return sample;
}

} // namespace

struct TBarChart::Frame {
    QRect plot;
    TValueRange range;
    double scale = 0.0; // pixels per unit of value
    double barsTop = 0.0;
    double slot = 0.0; // pixels per bar
    int thickness = 0;

    double X(double v) const { return plot.left() + (v - range.Min) * scale; }
    double CentreY(int fromTop) const { return barsTop + (fromTop + 0.5) * slot; }
};

TBarChart::TBarChart(QWidget *parent)
    : QWidget(parent)
{
    setFont(DesignFont(QStringLiteral("ＭＳ Ｐ明朝"), 12));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBarChart::Clear()
{
    bars_.clear();
    MeasureMarks();
    update();
}

void TBarChart::Add(double value, const QString &label, const QColor &color)
{
    bars_.push_back({value, label, color});
    Measure(label);
    update();
}

void TBarChart::SetBars(std::vector<TBar> bars)
{
    bars_ = std::move(bars);
    MeasureMarks();
    update();
}

void TBarChart::Measure(const QString &label)
{
    auto known = measured_.constFind(label);
    if (known == measured_.cend()) {
        const QFontMetrics fm = fontMetrics();
        known = measured_.insert(label, Extent{fm.tightBoundingRect(label), fm.horizontalAdvance(label)});
    }
    const Extent &e = extents_.emplace_back(*known);
    markWidth_ = std::max(markWidth_, e.Advance);
    markHeight_ = std::max(markHeight_, e.Ink.height());
}

void TBarChart::MeasureMarks()
{
    extents_.clear();
    extents_.reserve(bars_.size());
    markWidth_ = markHeight_ = 0;
    for (const TBar &bar : bars_)
        Measure(bar.Label);
}

void TBarChart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measured_.clear();
        MeasureMarks();
    }
}

void TBarChart::SetMinimum(double value)
{
    minimum_ = value;
    update();
}

void TBarChart::SetMaximum(double value)
{
    maximum_ = value;
    update();
}

void TBarChart::SetAutomatic(bool on)
{
    automatic_ = on;
    update();
}

TValueRange TBarChart::VisibleRange() const
{
    if (!automatic_)
        return DrawableRange({minimum_, maximum_});
    std::vector<double> values;
    values.reserve(bars_.size());
    for (const TBar &b : bars_)
        values.push_back(b.Value);
    return DrawableRange(FitRange(values));
}

TBarChart::Frame TBarChart::Layout() const
{
    const QFontMetrics fm = fontMetrics();
    const int markWidth = bars_.empty() ? 0 : markWidth_ + MarkGap;
    const int tickHalf = fm.horizontalAdvance(TickLabelSample()) / 2;
    const int side = std::max(markWidth, tickHalf) + Padding;
    const int top = fm.height() + TickLength + Padding;

    Frame f;
    f.plot = QRect(side, top, width() - 2 * side, height() - top - Padding);
    f.range = VisibleRange();
    if (f.plot.width() > 0)
        f.scale = f.plot.width() / (f.range.Max - f.range.Min);
    // Bars and marks stay below the axis line on the plot's top row.
    const double room = f.plot.height() - 1;
    if (!bars_.empty() && room > 0) {
        const double n = double(bars_.size());
        f.barsTop = f.plot.top() + 1;
        f.slot = room / n;
        // Bars closer than their marks are high move in from both ends by what
        // the outermost marks would stick out, so that every mark is inside.
        if (f.slot < markHeight_ && n > 1 && room > markHeight_) {
            f.slot = (room - markHeight_) / (n - 1);
            f.barsTop += (markHeight_ - f.slot) / 2;
        }
        f.thickness = std::max(1, int(std::lround(f.slot * BarFraction)));
    }
    return f;
}

QRect TBarChart::PlotRect() const
{
    return Layout().plot;
}

QRect TBarChart::BarRect(int i) const
{
    return BarRect(Layout(), i);
}

QRect TBarChart::BarRect(const Frame &f, int i) const
{
    const double v = Value(i);
    if (std::isnan(v) || f.thickness == 0)
        return {};
    // Clamped just outside the plot so that huge values stay integers; the
    // painter clips the rest.
    const double lo = f.plot.left() - 1.0, hi = f.plot.left() + f.plot.width() + 1.0;
    const double x0 = std::clamp(f.X(0.0), lo, hi), x1 = std::clamp(f.X(v), lo, hi);
    const int left = int(std::lround(std::min(x0, x1)));
    const int right = int(std::lround(std::max(x0, x1)));
    const int top = int(std::lround(f.CentreY(Count() - 1 - i) - f.thickness / 2.0));
    return {left, top, right - left, f.thickness};
}

std::vector<TMark> TBarChart::Marks() const
{
    return Marks(Layout());
}

std::vector<TMark> TBarChart::Marks(const Frame &f) const
{
    std::vector<TMark> marks(bars_.size());
    if (f.thickness == 0)
        return marks;
    std::vector<QRect> shown;
    // From the top bar down, a mark is left out only where its ink would touch
    // that of a mark already placed.
    for (int fromTop = 0; fromTop < Count(); ++fromTop) {
        const int i = Count() - 1 - fromTop;
        const double v = Value(i);
        if (std::isnan(v))
            continue;
        const Extent &e = extents_[std::size_t(i)];
        const QRect bar = BarRect(f, i);
        const int x = v >= 0 ? bar.left() + bar.width() + MarkGap : bar.left() - MarkGap - e.Advance;
        const int baseline = int(std::lround(f.CentreY(fromTop) - e.Ink.top() - e.Ink.height() / 2.0));
        TMark &mark = marks[std::size_t(i)];
        mark.Ink = e.Ink.translated(x, baseline);
        mark.Shown = std::none_of(shown.begin(), shown.end(), [&](const QRect &r) { return r.intersects(mark.Ink); });
        if (mark.Shown)
            shown.push_back(mark.Ink);
    }
    return marks;
}

void TBarChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(clSilver));
    const Frame f = Layout();
    if (f.plot.width() <= 0 || f.plot.height() <= 0)
        return;
    const QFontMetrics fm = fontMetrics();
    const int plotRight = f.plot.left() + f.plot.width();

    const int maxTicks = std::max(1, f.plot.width() / (fm.horizontalAdvance(TickLabelSample()) + 8));
    const std::vector<double> ticks = TickValues(f.range, TickStep(f.range.Max - f.range.Min, maxTicks));
    const QPen gridPen(ToQColor(clGray), 0, Qt::DotLine);
    const QPen axisPen(Qt::black, 1);
    for (const double t : ticks) {
        const int x = int(std::lround(f.X(t)));
        p.setPen(gridPen);
        p.drawLine(x, f.plot.top() + 1, x, f.plot.bottom());
        p.setPen(axisPen);
        p.drawLine(x, f.plot.top() - TickLength, x, f.plot.top());
        p.drawText(QRect(x - 40, 0, 80, f.plot.top() - TickLength), Qt::AlignHCenter | Qt::AlignBottom,
                   QString::number(t, 'g', 6));
    }

    p.setClipRect(f.plot);
    for (int i = 0; i < Count(); ++i) {
        const QRect r = BarRect(f, i);
        if (!r.isEmpty())
            p.fillRect(r, bars_[std::size_t(i)].Color);
    }
    p.setClipping(false);

    p.setPen(axisPen);
    p.drawLine(f.plot.left(), f.plot.top(), plotRight, f.plot.top());
    p.drawLine(f.plot.left(), f.plot.top(), f.plot.left(), f.plot.bottom());

    const std::vector<TMark> marks = Marks(f);
    for (int i = 0; i < Count(); ++i)
        if (marks[std::size_t(i)].Shown)
            p.drawText(marks[std::size_t(i)].Ink.topLeft() - extents_[std::size_t(i)].Ink.topLeft(), Label(i));
}
