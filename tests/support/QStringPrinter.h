#pragma once
#include <QString>

#include <ostream>

// Lets failing expectations show QStrings as text.
inline void printTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
