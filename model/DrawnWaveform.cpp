#include "model/DrawnWaveform.h"

float waveformPoints[WaveformPointCount] = {};
bool waveformDefined[WaveformPointCount]
    = {true, false, false, false, false, false, false, false, false, false, false, false, true};

void resetWaveform()
{
    for (int i = 0; i < WaveformPointCount; ++i) {
        waveformPoints[i] = 0.0f;
        waveformDefined[i] = (i == 0 || i == WaveformPointCount - 1);
    }
}
