#pragma once
#include <QStringView>

// The settings file's names and values are ASCII, so letter case and white space
// are judged by ASCII alone: a Latin-1 byte such as 0xA0 is data, not a blank.

inline bool isAsciiBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\v' || u == u'\f';
}

inline QStringView asciiTrimmed(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isAsciiBlank(s[b]))
        ++b;
    while (e > b && isAsciiBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

inline char16_t asciiLower(char16_t u)
{
    return (u >= u'A' && u <= u'Z') ? char16_t(u + (u'a' - u'A')) : u;
}

inline bool asciiEqualsIgnoringCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i].unicode()) != asciiLower(b[i].unicode()))
            return false;
    }
    return true;
}
