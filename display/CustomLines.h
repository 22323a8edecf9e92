#pragma once
#include "model/DisplaySettings.h"

#include <QString>

// The rows of the wave line style list: the superposed wave, modes 1 to 20,
// and the default pen that draws every later mode.
inline constexpr int CustomLineCount = CustomWavePenCount + 2;

// What the row shows.
QString customLineText(int item);

// The pen the row shows and edits; null outside the list.
Pen *customLinePen(DisplaySettings &s, int item);
