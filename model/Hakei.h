#pragma once

// The waveform drawn in the settings dialog: 13 points across the string, the
// ends fixed at zero. One copy for the whole program, shared by the editor and
// the drawn amplitude rule.
inline constexpr int HakeiPointCount = 13;
extern float HakeiPoints[HakeiPointCount];
extern bool HakeiDefined[HakeiPointCount];

// The state at program start: only the two ends defined, every height 0.
void ResetHakei();
