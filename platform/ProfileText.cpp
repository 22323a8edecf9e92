#include "platform/ProfileText.h"

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QByteArray Utf16LeBom("\xFF\xFE");
const QByteArray Utf16BeBom("\xFE\xFF");

// QStringDecoder would put U+FFFD for what is no UTF-16, and so change bytes
// that nobody wrote.
QString utf16Units(QByteArrayView bytes, bool bigEndian)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto first = char16_t(quint8(bytes[2 * i]));
        const auto second = char16_t(quint8(bytes[2 * i + 1]));
        out[i] = bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    return text;
}

} // namespace

ProfileText decodeProfileText(const QByteArray &bytes)
{
    using E = ProfileText::Encoding;
    const bool le = bytes.startsWith(Utf16LeBom);
    if (le || bytes.startsWith(Utf16BeBom)) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(2);
        const QByteArray oddByte = body.size() % 2 ? QByteArray(1, body.back()) : QByteArray();
        return {utf16Units(body, !le), le ? E::Utf16Le : E::Utf16Be, oddByte};
    }
    return {QString::fromLatin1(bytes.startsWith(Utf8Bom) ? bytes.sliced(Utf8Bom.size()) : bytes), E::Latin1, {}};
}

QByteArray encodeProfileText(const ProfileText &text)
{
    using E = ProfileText::Encoding;
    if (text.encoding == E::Latin1)
        return text.text.toLatin1();
    const bool le = text.encoding == E::Utf16Le;
    QByteArray bytes = le ? Utf16LeBom : Utf16BeBom;
    bytes.reserve(2 + 2 * text.text.size() + text.oddByte.size());
    for (const QChar c : text.text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(le ? low : high).append(le ? high : low);
    }
    return bytes.append(text.oddByte);
}
