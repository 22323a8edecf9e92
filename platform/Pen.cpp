#include "platform/Pen.h"

#include <algorithm>

Qt::PenStyle toQtPenStyle(int style)
{
    // Qt numbers its styles from NoPen = 0, so ours are one lower.
    if (style < 0 || style > 4)
        return Qt::SolidLine;
    return Qt::PenStyle(style + 1);
}

QPen toQPen(const Pen &pen, int maxWidth)
{
    if (pen.color == colors::None)
        return QPen(Qt::NoPen);
    QPen q(toQColor(pen.color));
    q.setStyle(toQtPenStyle(pen.style));
    // Qt refuses a width from 2^15 up and would draw one pixel instead; the
    // widest pen it takes is at least as wide as any wider one would show.
    constexpr int WidestDrawable = (1 << 15) - 1;
    q.setWidth(std::clamp(pen.width, 0, std::clamp(maxWidth, 0, WidestDrawable)));
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::BevelJoin);
    return q;
}
