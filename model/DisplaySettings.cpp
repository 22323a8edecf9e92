#include "model/DisplaySettings.h"

DisplaySettings::DisplaySettings()
{
    wavePens.fill(Pen{colors::Red, 0, 1});
}

const Pen *DisplaySettings::wavePen(int k) const
{
    if (k < 0)
        return nullptr;
    if (k <= CustomWavePenCount)
        return &wavePens[std::size_t(k)];
    return &wavePens[0];
}

Pen *DisplaySettings::wavePen(int k)
{
    return const_cast<Pen *>(static_cast<const DisplaySettings *>(this)->wavePen(k));
}
