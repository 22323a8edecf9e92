#pragma once
#include <QIcon>
#include <QPalette>
#include <QPixmap>

enum class ToolPicture {
    Settings,       // a string with a wrench-like knob
    VisualSettings, // a palette
    ShowAll,        // red and grey curves
    Monitor,        // bar chart
    Copy,           // two overlapping sheets
    Rewind,         // bar, then triangle pointing left
    Prev,           // triangle pointing left, then bar
    Pause,          // two upright bars
    Next,           // bar, then triangle pointing right
    QualityUp,      // yellow sun, arrow up
    QualityDown,    // yellow sun, arrow down
    SpeedDown,      // walking figure
    SpeedUp,        // running figure
    ZoomUp,         // magnifier with plus
    ZoomDown,       // magnifier with minus
};

// Whether buttons are darker than their text, as under a dark desktop theme.
bool isDarkPalette(const QPalette &palette);

// The 16 × 16 pictures of the tool buttons, drawn here rather than shipped, at
// the pixel density they are shown at. Under a dark palette the black line art
// is drawn in the button text colour; under a light one the pictures are as
// designed. A picture keeps the palette it was made for.
QIcon makeToolIcon(ToolPicture picture, const QPalette &palette = QPalette());

// The program's own picture: a string vibrating between two fixed ends, drawn
// at the screens' pixel density.
QPixmap makeProgramPicture(int size);
