#include "display/DisplaySettingsRecord.h"

TDisplaySettings::TDisplaySettings()
{
    WavePens[0] = TPen{clRed, 0, 1};
    for (int k = 1; k <= CustomWavePenCount; ++k)
        WavePens[std::size_t(k)] = WavePens[0];
}

const TPen *TDisplaySettings::GetWavePen(int k) const
{
    if (k < 0)
        return nullptr;
    if (k <= CustomWavePenCount)
        return &WavePens[std::size_t(k)];
    return &WavePens[0];
}

TPen *TDisplaySettings::GetWavePen(int k)
{
    return const_cast<TPen *>(static_cast<const TDisplaySettings *>(this)->GetWavePen(k));
}
