#pragma once
#include <QColor>
#include <cstdint>

// A colour as the settings file stores it: 0x00BBGGRR for plain colours,
// 0x80000000 + i for the desktop's system colour number i, and clNone.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clMaroon = 0x00000080;
inline constexpr TColor clGreen = 0x00008000;
inline constexpr TColor clOlive = 0x00008080;
inline constexpr TColor clNavy = 0x00800000;
inline constexpr TColor clPurple = 0x00800080;
inline constexpr TColor clTeal = 0x00808000;
inline constexpr TColor clGray = 0x00808080;
inline constexpr TColor clSilver = 0x00C0C0C0;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clLime = 0x0000FF00;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clFuchsia = 0x00FF00FF;
inline constexpr TColor clAqua = 0x00FFFF00;
inline constexpr TColor clWhite = 0x00FFFFFF;

inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr int SystemColorCount = 25;
inline constexpr TColor clScrollBar = clSystemColor + 0;
inline constexpr TColor clWindow = clSystemColor + 5;
inline constexpr TColor clWindowText = clSystemColor + 8;
inline constexpr TColor clBtnFace = clSystemColor + 15;
inline constexpr TColor clInfoBk = clSystemColor + 24;
inline constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor rgbToColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

bool isSystemColor(TColor c);

// What the colour looks like now. System colours follow the current palette;
// clNone is fully transparent, so a pen or brush in it paints nothing.
QColor toQColor(TColor c);

TColor fromQColor(const QColor &c);
