#pragma once
#include "platform/Color.h"

#include <QPen>

// A line style as the settings hold it. Style numbers: 0 solid, 1 dash, 2 dot,
// 3 dash-dot, 4 dash-dot-dot; any other number draws solid.
struct Pen {
    Color color = colors::Black;
    int style = 0;
    int width = 1;

    friend bool operator==(const Pen &, const Pen &) = default;
};

Qt::PenStyle toQtPenStyle(int style);

// The Qt pen that draws like the given pen. Caps are flat so that a polyline's
// segments meet without overdraw; width 0 is Qt's one-pixel cosmetic pen.
QPen toQPen(const Pen &pen, int maxWidth = 0x7FFFFFFF);
