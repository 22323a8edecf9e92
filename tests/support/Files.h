#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

// Writes the bytes as the whole file.
inline void putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// The file's bytes, or "<unreadable>".
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}
