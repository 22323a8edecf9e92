#pragma once
#include <QSize>
#include <QString>

#include <optional>

// Far beyond any screen, yet small enough that the picture can be allocated.
inline constexpr int MaxPictureSide = 16384;

// The size "WIDTHxHEIGHT" names, each side 1..MaxPictureSide.
std::optional<QSize> pictureSizeNamed(const QString &text);
