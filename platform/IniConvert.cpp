#include "platform/IniConvert.h"

#include <cstdint>

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int d = 99;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'z')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'Z')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

// The digits' value, or nothing when there are none, when one is no digit of
// the base, or when the value passes the limit.
std::optional<std::uint64_t> parseDigits(QStringView digits, int base, std::uint64_t limit)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : digits) {
        const int d = digitValue(c, base);
        if (d < 0)
            return std::nullopt;
        value = value * std::uint64_t(base) + std::uint64_t(d);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<qint32> parseIniInteger(QStringView text)
{
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }

    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.sliced(1);
    } else if (text.startsWith(u"0x") || text.startsWith(u"0X")) {
        base = 16;
        text = text.sliced(2);
    }

    const std::uint64_t smallest = std::uint64_t(INT32_MAX) + 1;
    const std::uint64_t limit = negative ? smallest : base == 16 ? UINT32_MAX : std::uint64_t(INT32_MAX);
    const std::optional<std::uint64_t> magnitude = parseDigits(text, base, limit);
    if (!magnitude)
        return std::nullopt;
    if (negative)
        return qint32(-std::int64_t(*magnitude));
    return qint32(std::uint32_t(*magnitude));
}

std::optional<bool> parseIniBoolean(QStringView text)
{
    const std::optional<qint32> value = parseIniInteger(text);
    if (!value)
        return std::nullopt;
    return *value != 0;
}
