#pragma once
#include "model/DisplaySettings.h"

// Two clearly different sets of display settings; the guide-line count is 2 + which.
inline DisplaySettings saveLoopSettings(int which)
{
    DisplaySettings s;
    s.numOfVertLines = 2 + which;
    if (which == 1) {
        s.bgColor = colors::Navy;
        s.mainWavePen = Pen{colors::Yellow, 3, 4};
        s.visibleVertLines = true;
        for (int k = 1; k <= CustomWavePenCount; ++k)
            s.wavePens[std::size_t(k)] = Pen{colors::Lime, k % 5, k};
    }
    return s;
}
