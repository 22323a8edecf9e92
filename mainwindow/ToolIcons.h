#pragma once
#include <QIcon>
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

// The 16 × 16 pictures of the tool buttons, drawn here rather than shipped.
QIcon makeToolIcon(ToolPicture picture);

// The program's own picture: a string vibrating between two fixed ends.
QPixmap makeProgramPicture(int size);
