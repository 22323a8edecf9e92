#pragma once
#include <QStringView>

#include <optional>

// A whole decimal number in the 32-bit range with an optional sign; anything
// else (blanks, the empty text included) fails.
std::optional<int> tryStrToInt(QStringView text);
