#pragma once
#include <QStringView>

// The settings file's names and values are ASCII, so letter case and white space
// are judged by ASCII alone: a Latin-1 byte such as 0xA0 is data, not a blank.

inline bool IsAsciiBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\v' || u == u'\f';
}

inline QStringView AsciiTrimmed(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && IsAsciiBlank(s[b]))
        ++b;
    while (e > b && IsAsciiBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

inline char16_t AsciiLower(char16_t u)
{
    return (u >= u'A' && u <= u'Z') ? char16_t(u + (u'a' - u'A')) : u;
}

inline bool AsciiEqualsIgnoringCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i].unicode()) != AsciiLower(b[i].unicode()))
            return false;
    }
    return true;
}
