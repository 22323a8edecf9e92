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
    q.setWidth(std::clamp(pen.Width, 0, std::max(0, maxWidth)));
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::BevelJoin);
    return q;
}
