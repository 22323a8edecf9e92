#pragma once
#include <QString>

// The general number format with 15 significant digits: fixed notation from
// 0.0001 up to (but excluding) 1E15, scientific outside, trailing zeros and a
// bare decimal point dropped ("0.5", "1", "5E-5", "1.23456789012345E-6",
// "1E15"). Negative zero prints "0"; NaN and infinities print "NAN", "INF"
// and "-INF".
QString formatGeneral15(long double value);

// The heading of mode k in the table, "1次" for the fundamental.
QString modeOrderText(int k);
