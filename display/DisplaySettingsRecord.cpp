#include "display/DisplaySettingsRecord.h"

DisplaySettings::DisplaySettings()
{
    wavePens[0] = Pen{colors::Red, 0, 1};
    for (int k = 1; k <= CustomWavePenCount; ++k)
        wavePens[std::size_t(k)] = wavePens[0];
}

const Pen *DisplaySettings::getWavePen(int k) const
{
    if (k < 0)
        return nullptr;
    if (k <= CustomWavePenCount)
        return &wavePens[std::size_t(k)];
    return &wavePens[0];
}

Pen *DisplaySettings::GetWavePen(int k)
{
    return const_cast<Pen *>(static_cast<const DisplaySettings *>(this)->getWavePen(k));
}
