#include "model/DrawnWaveform.h"

float WaveformPoints[WaveformPointCount] = {};
bool WaveformDefined[WaveformPointCount]
    = {true, false, false, false, false, false, false, false, false, false, false, false, true};

void ResetWaveform()
{
    for (int i = 0; i < WaveformPointCount; ++i) {
        WaveformPoints[i] = 0.0f;
        WaveformDefined[i] = (i == 0 || i == WaveformPointCount - 1);
    }
}
