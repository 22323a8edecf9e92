#pragma once
#include <QColor>

#include <functional>
#include <optional>

class QWidget;

// Asks the user for a colour, starting from `initial`; nothing when cancelled.
using ColorPicker = std::function<std::optional<QColor>(const QColor &initial)>;

// The platform's colour dialog, modal over the parent.
ColorPicker platformColorPicker(QWidget *parent);
