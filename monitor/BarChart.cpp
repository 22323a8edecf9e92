#include "monitor/BarChart.h"

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
    int markStep = 1;

    double X(double v) const { return plot.left() + (v - range.Min) * scale; }
    double CentreY(int fromTop) const { return barsTop + (fromTop + 0.5) * slot; }
};

TBarChart::TBarChart(QWidget *parent)
    : QWidget(parent)
{
    QFont markFont(QStringLiteral("ＭＳ Ｐ明朝"));
    markFont.setPixelSize(12);
    setFont(markFont);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBarChart::Clear()
{
    bars_.clear();
    longestLabel_ = -1;
    update();
}

void TBarChart::Add(double value, const QString &label, const QColor &color)
{
    bars_.push_back({value, label, color});
    if (longestLabel_ < 0 || label.size() > bars_[std::size_t(longestLabel_)].Label.size())
        longestLabel_ = Count() - 1;
    update();
}

void TBarChart::SetBars(std::vector<TBar> bars)
{
    bars_ = std::move(bars);
    longestLabel_ = -1;
    for (int i = 0; i < Count(); ++i)
        if (longestLabel_ < 0 || Label(i).size() > Label(longestLabel_).size())
            longestLabel_ = i;
    update();
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
    const int markWidth = longestLabel_ >= 0 ? fm.horizontalAdvance(Label(longestLabel_)) + MarkGap : 0;
    const int tickHalf = fm.horizontalAdvance(TickLabelSample()) / 2;
    const int side = std::max(markWidth, tickHalf) + Padding;
    const int top = fm.height() + TickLength + Padding;

    Frame f;
    f.plot = QRect(side, top, width() - 2 * side, height() - top - Padding);
    f.range = VisibleRange();
    if (f.plot.width() > 0)
        f.scale = f.plot.width() / (f.range.Max - f.range.Min);
    if (!bars_.empty() && f.plot.height() > 0) {
        const double n = double(bars_.size());
        f.barsTop = f.plot.top();
        f.slot = f.plot.height() / n;
        // Bars closer than a line of text leave half a line at either end, so
        // that the outermost marks stay inside the plot, clear of the axis labels.
        const double inset = std::ceil(fm.height() / 2.0);
        if (f.slot < fm.height() && f.plot.height() > 4 * inset) {
            f.barsTop += inset;
            f.slot = (f.plot.height() - 2 * inset) / n;
        }
        f.thickness = std::max(1, int(std::lround(f.slot * BarFraction)));
        f.markStep = ::MarkStep(f.slot, fm.height());
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

int TBarChart::MarkStep() const
{
    return Layout().markStep;
}

bool TBarChart::HasMark(int i) const
{
    return (Count() - 1 - i) % MarkStep() == 0;
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

    // Marks sit beside the outer end of their bar, centred on it; where bars
    // are closer than a line of text only every markStep-th one, counted from
    // the top, gets its mark so that none overlap.
    const int baselineShift = (fm.ascent() - fm.descent()) / 2;
    for (int fromTop = 0; fromTop < Count(); fromTop += f.markStep) {
        const int i = Count() - 1 - fromTop;
        const TBar &bar = bars_[std::size_t(i)];
        if (std::isnan(bar.Value))
            continue;
        const QRect r = BarRect(f, i);
        const int y = int(std::lround(f.CentreY(fromTop))) + baselineShift;
        const int x = bar.Value >= 0 ? r.left() + r.width() + MarkGap
                                     : r.left() - MarkGap - fm.horizontalAdvance(bar.Label);
        p.drawText(QPoint(x, y), bar.Label);
    }
}
