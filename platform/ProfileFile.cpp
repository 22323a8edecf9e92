#include "platform/ProfileFile.h"
#include "platform/IniText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace {

// The file's text; empty when there is no file, nothing when there is one
// that cannot be read.
std::optional<QString> ReadText(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    // A byte-order mark from an editor would hide the first section's name.
    static const QByteArray Utf8Bom("\xEF\xBB\xBF");
    return QString::fromLatin1(bytes.startsWith(Utf8Bom) ? bytes.mid(Utf8Bom.size()) : bytes);
}

bool IsLatin1(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}


void WriteWhole(const QString &path, const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    QSaveFile file(path);
    // Writing in place would leave a half-written file behind a failure.
    file.setDirectWriteFallback(false);
    // The write is buffered; a full disk shows only when the buffer goes out,
    // and commit() would rename the short file over the old one regardless.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        throw TProfileWriteError(path);
    }
    if (!file.commit())
        throw TProfileWriteError(path);
}

} // namespace

TProfileWriteError::TProfileWriteError(const QString &path)
    : std::runtime_error(QStringLiteral("%1 に書き込めません").arg(QFileInfo(path).absoluteFilePath()).toStdString())
{
}

QString TProfileFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::optional<QString> text = pending_ ? pending_ : ReadText(path_);
    if (!text)
        return defaultValue;
    return FindIniValue(*text, section, key).value_or(defaultValue);
}

void TProfileFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (!CanWriteIniValue(section, key, value) || !IsLatin1(section) || !IsLatin1(key) || !IsLatin1(value))
        throw TProfileWriteError(path_);
    if (pending_) {
        pending_ = WithIniValue(*pending_, section, key, value);
        return;
    }
    const std::optional<QString> text = ReadText(path_);
    if (!text)
        throw TProfileWriteError(path_);
    WriteWhole(path_, WithIniValue(*text, section, key, value));
}

void TProfileFile::BeginUpdate()
{
    std::optional<QString> text = ReadText(path_);
    if (!text)
        throw TProfileWriteError(path_);
    pending_ = std::move(text);
}

void TProfileFile::EndUpdate()
{
    if (!pending_)
        return;
    const QString text = std::move(*pending_);
    pending_.reset();
    WriteWhole(path_, text);
}
