#include "platform/Pen.h"

#include <algorithm>

Qt::PenStyle ToQtPenStyle(int style)
{
    // Qt numbers its styles from NoPen = 0, so ours are one lower.
    if (style < 0 || style > 4)
        return Qt::SolidLine;
    return Qt::PenStyle(style + 1);
}

QPen ToQPen(const TPen &pen, int maxWidth)
{
    if (pen.Color == clNone)
        return QPen(Qt::NoPen);
    QPen q(ToQColor(pen.Color));
    q.setStyle(ToQtPenStyle(pen.Style));
    // Qt refuses a width from 2^15 up and would draw one pixel instead; the
    // widest pen it takes is at least as wide as any wider one would show.
    constexpr int WidestDrawable = (1 << 15) - 1;
    q.setWidth(std::clamp(pen.Width, 0, std::clamp(maxWidth, 0, WidestDrawable)));
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::BevelJoin);
    return q;
}
