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
const QString &tickLabelSample()
{
    static const QString Sample = QStringLiteral("-0.00");
    return Sample;
}

} // namespace

struct BarChart::Frame {
    QRect plot;
    ValueRange range;
    double scale = 0.0; // pixels per unit of value
    double barsTop = 0.0;
    double slot = 0.0; // pixels per bar
    int thickness = 0;

    double x(double v) const { return plot.left() + (v - range.min) * scale; }
    double centreY(int fromTop) const { return barsTop + (fromTop + 0.5) * slot; }
};

BarChart::BarChart(QWidget *parent)
    : QWidget(parent)
{
    setFont(designFont(QStringLiteral("ＭＳ Ｐ明朝"), 12));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarChart::clear()
{
    bars_.clear();
    measureMarks();
    update();
}

void BarChart::add(double value, const QString &label, const QColor &color)
{
    bars_.push_back({value, label, color});
    measure(label);
    update();
}

void BarChart::setBars(std::vector<Bar> bars)
{
    bars_ = std::move(bars);
    measureMarks();
    update();
}

void BarChart::measure(const QString &label)
{
    auto known = measured_.constFind(label);
    if (known == measured_.cend()) {
        const QFontMetrics fm = fontMetrics();
        known = measured_.insert(label, Extent{fm.tightBoundingRect(label), fm.horizontalAdvance(label)});
    }
    const Extent &e = extents_.emplace_back(*known);
    markWidth_ = std::max(markWidth_, e.advance);
    markHeight_ = std::max(markHeight_, e.ink.height());
}

void BarChart::measureMarks()
{
    extents_.clear();
    extents_.reserve(bars_.size());
    markWidth_ = markHeight_ = 0;
    for (const Bar &bar : bars_)
        measure(bar.label);
}

void BarChart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measured_.clear();
        measureMarks();
    }
}

void BarChart::setMinimum(double value)
{
    minimum_ = value;
    update();
}

void BarChart::setMaximum(double value)
{
    maximum_ = value;
    update();
}

void BarChart::setAutomatic(bool on)
{
    automatic_ = on;
    update();
}

ValueRange BarChart::visibleRange() const
{
    if (!automatic_)
        return drawableRange({minimum_, maximum_});
    std::vector<double> values;
    values.reserve(bars_.size());
    for (const Bar &b : bars_)
        values.push_back(b.value);
    return drawableRange(fitRange(values));
}

BarChart::Frame BarChart::layout() const
{
    const QFontMetrics fm = fontMetrics();
    const int markWidth = bars_.empty() ? 0 : markWidth_ + MarkGap;
    const int tickHalf = fm.horizontalAdvance(tickLabelSample()) / 2;
    const int side = std::max(markWidth, tickHalf) + Padding;
    const int top = fm.height() + TickLength + Padding;

    Frame f;
    f.plot = QRect(side, top, width() - 2 * side, height() - top - Padding);
    f.range = visibleRange();
    if (f.plot.width() > 0)
        f.scale = f.plot.width() / (f.range.max - f.range.min);
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

QRect BarChart::plotRect() const
{
    return layout().plot;
}

QRect BarChart::barRect(int i) const
{
    return barRect(layout(), i);
}

QRect BarChart::barRect(const Frame &f, int i) const
{
    const double v = value(i);
    if (std::isnan(v) || f.thickness == 0)
        return {};
    // Clamped just outside the plot so that huge values stay integers; the
    // painter clips the rest.
    const double lo = f.plot.left() - 1.0, hi = f.plot.left() + f.plot.width() + 1.0;
    const double x0 = std::clamp(f.x(0.0), lo, hi), x1 = std::clamp(f.x(v), lo, hi);
    const int left = int(std::lround(std::min(x0, x1)));
    const int right = int(std::lround(std::max(x0, x1)));
    const int top = int(std::lround(f.centreY(count() - 1 - i) - f.thickness / 2.0));
    return {left, top, right - left, f.thickness};
}

std::vector<Mark> BarChart::marks() const
{
    return marks(layout());
}

std::vector<Mark> BarChart::marks(const Frame &f) const
{
    std::vector<Mark> marks(bars_.size());
    if (f.thickness == 0)
        return marks;
    std::vector<QRect> shown;
    // From the top bar down, a mark is left out only where its ink would touch
    // that of a mark already placed.
    for (int fromTop = 0; fromTop < count(); ++fromTop) {
        const int i = count() - 1 - fromTop;
        const double v = value(i);
        if (std::isnan(v))
            continue;
        const Extent &e = extents_[std::size_t(i)];
        const QRect bar = barRect(f, i);
        const int x = v >= 0 ? bar.left() + bar.width() + MarkGap : bar.left() - MarkGap - e.advance;
        const int baseline = int(std::lround(f.centreY(fromTop) - e.ink.top() - e.ink.height() / 2.0));
        Mark &mark = marks[std::size_t(i)];
        mark.ink = e.ink.translated(x, baseline);
        mark.shown = std::none_of(shown.begin(), shown.end(), [&](const QRect &r) { return r.intersects(mark.ink); });
        if (mark.shown)
            shown.push_back(mark.ink);
    }
    return marks;
}

void BarChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(colors::Silver));
    const Frame f = layout();
    if (f.plot.width() <= 0 || f.plot.height() <= 0)
        return;
    const QFontMetrics fm = fontMetrics();
    const int plotRight = f.plot.left() + f.plot.width();

    const int maxTicks = std::max(1, f.plot.width() / (fm.horizontalAdvance(tickLabelSample()) + 8));
    const std::vector<double> ticks = tickValues(f.range, tickStep(f.range.max - f.range.min, maxTicks));
    const QPen gridPen(toQColor(colors::Gray), 0, Qt::DotLine);
    const QPen axisPen(Qt::black, 1);
    for (const double t : ticks) {
        const int x = int(std::lround(f.x(t)));
        p.setPen(gridPen);
        p.drawLine(x, f.plot.top() + 1, x, f.plot.bottom());
        p.setPen(axisPen);
        p.drawLine(x, f.plot.top() - TickLength, x, f.plot.top());
        p.drawText(QRect(x - 40, 0, 80, f.plot.top() - TickLength), Qt::AlignHCenter | Qt::AlignBottom,
                   QString::number(t, 'g', 6));
    }

    p.setClipRect(f.plot);
    for (int i = 0; i < count(); ++i) {
        const QRect r = barRect(f, i);
        if (!r.isEmpty())
            p.fillRect(r, bars_[std::size_t(i)].color);
    }
    p.setClipping(false);

    p.setPen(axisPen);
    p.drawLine(f.plot.left(), f.plot.top(), plotRight, f.plot.top());
    p.drawLine(f.plot.left(), f.plot.top(), f.plot.left(), f.plot.bottom());

    const std::vector<Mark> shownMarks = marks(f);
    for (int i = 0; i < count(); ++i)
        if (shownMarks[std::size_t(i)].shown)
            p.drawText(shownMarks[std::size_t(i)].ink.topLeft() - extents_[std::size_t(i)].ink.topLeft(), label(i));
}
