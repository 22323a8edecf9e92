#pragma once
#include "display/DisplaySettingsRecord.h"

// Two clearly different sets of display settings.
inline TDisplaySettings SaveLoopSettings(int which)
{
    TDisplaySettings s;
    if (which == 1) {
        s.BGColor = clNavy;
        s.MainWavePen = TPen{clYellow, 3, 4};
        s.VisibleVertLines = true;
        for (int k = 1; k <= CustomWavePenCount; ++k)
            s.WavePens[std::size_t(k)] = TPen{clLime, k % 5, k};
    }
    return s;
}
