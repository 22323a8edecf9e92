#include "monitor/AmplitudeText.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

constexpr int SignificantDigits = 15;
constexpr int LowestFixedExponent = -4;

} // namespace

QString formatGeneral15(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // Rounded once to 15 digits; the decimal exponent after rounding decides
    // the notation, so 9.99999999999999999E-5 reads 0.0001. to_chars, unlike
    // printf, ignores the locale that the application object installs.
    char buf[64];
    const auto [end, ec]
        = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, SignificantDigits - 1);
    if (ec != std::errc())
        return QStringLiteral("NAN");

    const char *p = buf;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::string digits;
    while (p < end && *p != 'e') {
        if (*p != '.')
            digits.push_back(*p);
        ++p;
    }
    int exponent = 0;
    if (p < end)
        std::from_chars(p[1] == '+' ? p + 2 : p + 1, end, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text;
    if (negative)
        text.push_back('-');
    if (exponent < LowestFixedExponent || exponent >= SignificantDigits) {
        text.push_back(digits[0]);
        if (digits.size() > 1) {
            text.push_back('.');
            text.append(digits, 1);
        }
        text.push_back('E');
        text.append(std::to_string(exponent));
    } else if (exponent < 0) {
        text.append("0.");
        text.append(std::size_t(-exponent - 1), '0');
        text.append(digits);
    } else {
        const std::size_t whole = std::size_t(exponent) + 1;
        if (digits.size() <= whole) {
            text.append(digits);
            text.append(whole - digits.size(), '0');
        } else {
            text.append(digits, 0, whole);
            text.push_back('.');
            text.append(digits, whole);
        }
    }
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString modeOrderText(int k)
{
    return QCoreApplication::translate("AmplitudeText", "%1次").arg(k);
}
