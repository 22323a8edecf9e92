#include "display/DisplaySettingsRecord.h"

TDisplaySettings::TDisplaySettings()
{
    wavePens[0] = TPen{clRed, 0, 1};
    for (int k = 1; k <= CustomWavePenCount; ++k)
        wavePens[std::size_t(k)] = wavePens[0];
}

const TPen *TDisplaySettings::getWavePen(int k) const
{
    if (k < 0)
        return nullptr;
    if (k <= CustomWavePenCount)
        return &wavePens[std::size_t(k)];
    return &wavePens[0];
}

TPen *TDisplaySettings::GetWavePen(int k)
{
    return const_cast<TPen *>(static_cast<const TDisplaySettings *>(this)->getWavePen(k));
}
