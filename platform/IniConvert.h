#pragma once
#include <QString>
#include <QStringView>

#include <optional>

// Integers as the settings file holds them: decimal with an optional sign, or
// hexadecimal after "$", "0x" or "0X". Hexadecimal runs up to FFFFFFFF and is
// taken as the 32-bit two's complement pattern ("$FFFFFFFF" is -1); a sign may
// stand before it too ("-$10" is -16), as long as the result fits. Decimal must
// fit in 32 bits. No blanks, no digits other than ASCII; anything else, the
// empty text included, is no integer.
std::optional<qint32> parseIniInteger(QStringView text);

// Any non-zero integer is true; no integer is nothing.
std::optional<bool> parseIniBoolean(QStringView text);

inline QString iniBooleanText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}
