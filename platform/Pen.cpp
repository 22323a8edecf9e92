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
    // Qt refuses widths beyond its fixed-point range; a pen this wide covers
    // any picture whole anyway.
    constexpr int WidestDrawable = 1 << 16;
    q.setWidth(std::clamp(pen.Width, 0, std::clamp(maxWidth, 0, WidestDrawable)));
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::BevelJoin);
    return q;
}
