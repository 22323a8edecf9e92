#pragma once

// The waveform drawn in the settings dialog: 13 points across the string, the
// ends fixed at zero. One copy for the whole program, shared by the editor and
// the drawn amplitude rule.
inline constexpr int WaveformPointCount = 13;
extern float waveformPoints[WaveformPointCount];
extern bool waveformDefined[WaveformPointCount];

// The state at program start: only the two ends defined, every height 0.
void resetWaveform();
