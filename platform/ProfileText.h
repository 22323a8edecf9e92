#pragma once
#include <QByteArray>
#include <QString>

// The settings file's bytes as text. A file that starts with a UTF-16
// byte-order mark is UTF-16 in that byte order, kept unit for unit (an
// unpaired surrogate or an odd last byte included) and written back so.
// Anything else is Latin-1, so that a rewrite gives back every byte it did not
// change; a UTF-8 byte-order mark from an editor is dropped, as it would hide
// the first section's name.
struct ProfileText {
    enum class Encoding { Latin1, Utf16Le, Utf16Be };

    QString text;
    Encoding encoding = Encoding::Latin1;
    QByteArray oddByte; // the last byte of a UTF-16 file of odd length
};

ProfileText decodeProfileText(const QByteArray &bytes);

// The text in its file's encoding. A Latin-1 text must hold Latin-1 only.
QByteArray encodeProfileText(const ProfileText &text);
