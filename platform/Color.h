#pragma once
#include <QColor>
#include <cstdint>

// A colour as the settings file stores it: 0x00BBGGRR for plain colours,
// 0x80000000 + i for the desktop's system colour number i, and colors::None.
using Color = std::uint32_t;

inline constexpr int SystemColorCount = 25;

// The named colours, spelled in the settings file with a "cl" prefix.
namespace colors {

inline constexpr Color Black = 0x00000000;
inline constexpr Color Maroon = 0x00000080;
inline constexpr Color Green = 0x00008000;
inline constexpr Color Olive = 0x00008080;
inline constexpr Color Navy = 0x00800000;
inline constexpr Color Purple = 0x00800080;
inline constexpr Color Teal = 0x00808000;
inline constexpr Color Gray = 0x00808080;
inline constexpr Color Silver = 0x00C0C0C0;
inline constexpr Color Red = 0x000000FF;
inline constexpr Color Lime = 0x0000FF00;
inline constexpr Color Yellow = 0x0000FFFF;
inline constexpr Color Blue = 0x00FF0000;
inline constexpr Color Fuchsia = 0x00FF00FF;
inline constexpr Color Aqua = 0x00FFFF00;
inline constexpr Color White = 0x00FFFFFF;

inline constexpr Color SystemColor = 0x80000000;
inline constexpr Color ScrollBar = SystemColor + 0;
inline constexpr Color Window = SystemColor + 5;
inline constexpr Color WindowText = SystemColor + 8;
inline constexpr Color BtnFace = SystemColor + 15;
inline constexpr Color InfoBk = SystemColor + 24;
inline constexpr Color None = 0x1FFFFFFF;

} // namespace colors

constexpr Color rgbToColor(int r, int g, int b)
{
    return Color(r & 0xFF) | (Color(g & 0xFF) << 8) | (Color(b & 0xFF) << 16);
}

bool isSystemColor(Color c);

// What the colour looks like now. System colours follow the current palette;
// colors::None is fully transparent, so a pen or brush in it paints nothing.
QColor toQColor(Color c);

Color fromQColor(const QColor &c);
