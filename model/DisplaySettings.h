#pragma once
#include "platform/Color.h"
#include "platform/Pen.h"

#include <array>

inline constexpr int CustomWavePenCount = 20;

// The colours and pens a frame is drawn with. Modes 1..20 have pens of their
// own; every later mode shares element 0, the default pen.
struct DisplaySettings {
    Color bgColor = colors::White;
    Pen axisPen{colors::Silver, 0, 1};
    Pen mainWavePen{colors::Black, 0, 2};
    Pen vertLinePen{colors::Silver, 0, 1};
    bool visibleVertLines = false;
    // As typed in the count box, which may not yet be in its range.
    int numOfVertLines = 2;
    std::array<Pen, CustomWavePenCount + 1> wavePens;

    DisplaySettings();

    // Mode k's pen; null below 0.
    const Pen *wavePen(int k) const;
    Pen *wavePen(int k);
};
