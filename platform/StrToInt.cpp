#include "platform/StrToInt.h"

std::optional<int> TryStrToInt(const QString &text)
{
    const QString &t = text;
    if (t.isEmpty())
        return std::nullopt;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        const bool sign = i == 0 && (c == u'-' || c == u'+');
        if (!sign && !(c >= u'0' && c <= u'9'))
            return std::nullopt;
    }
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}
