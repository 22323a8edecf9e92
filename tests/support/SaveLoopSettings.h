#pragma once
#include "display/DisplaySettingsRecord.h"

// Two clearly different sets of display settings.
inline TDisplaySettings saveLoopSettings(int which)
{
    TDisplaySettings s;
    if (which == 1) {
        s.bgColor = clNavy;
        s.mainWavePen = TPen{clYellow, 3, 4};
        s.visibleVertLines = true;
        for (int k = 1; k <= CustomWavePenCount; ++k)
            s.wavePens[std::size_t(k)] = TPen{clLime, k % 5, k};
    }
    return s;
}
