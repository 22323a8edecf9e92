#include "platform/ProfileFile.h"

#include "platform/AsciiText.h"
#include "platform/RegularFile.h"
#include <QCoreApplication>

#include <QFileInfo>

#include <algorithm>

namespace {

struct ReadText {
    ProfileFileState state = ProfileFileState::Readable;
    ProfileText text; // empty unless readable
};

// A missing file reads as an empty one.
ReadText readText(const QString &path)
{
    using S = FileRead::Status;
    const FileRead read = readRegularFile(path, MaxProfileFileBytes);
    switch (read.status) {
    case S::Read:
        return {ProfileFileState::Readable, decodeProfileText(read.bytes)};
    case S::Missing:
        return {};
    case S::TooLarge:
        return {ProfileFileState::TooLarge, {}};
    case S::Unreadable:
        break;
    }
    return {ProfileFileState::Unreadable, {}};
}

// The text to write into the file; throws when it cannot be written.
ProfileText writableText(const QString &path)
{
    ReadText read = readText(path);
    if (read.state == ProfileFileState::TooLarge)
        throw ProfileWriteError::tooLarge(path);
    if (read.state == ProfileFileState::Unreadable)
        throw ProfileWriteError(path);
    return std::move(read.text);
}

void writeText(const QString &path, const ProfileText &text)
{
    const QByteArray bytes = encodeProfileText(text);
    // Written, it would never be read again.
    if (bytes.size() > MaxProfileFileBytes)
        throw ProfileWriteError::tooLarge(path);
    if (!writeRegularFile(path, bytes))
        throw ProfileWriteError(path);
}

bool isLatin1(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}

QString fullPath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

ProfileWriteError::ProfileWriteError(const QString &path)
    : ProfileWriteError(Text{QCoreApplication::translate("ProfileFile", "%1 に書き込めません").arg(fullPath(path))})
{
}

ProfileWriteError ProfileWriteError::tooLarge(const QString &path)
{
    return ProfileWriteError(
        Text{QCoreApplication::translate("ProfileFile", "%1 は大きすぎるため書き込みません").arg(fullPath(path))});
}

ProfileWriteError::ProfileWriteError(const Text &text)
    : std::runtime_error(text.text.toStdString())
{
}

ProfileReadError::ProfileReadError(const QString &path)
    : std::runtime_error(QCoreApplication::translate("ProfileFile", "%1 は大きすぎるため読み込めません")
                             .arg(fullPath(path))
                             .toStdString())
{
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (updating_) {
        // The last write of the key wins, as it would on disk.
        const QStringView wantSection = asciiTrimmed(section);
        const QStringView wantKey = asciiTrimmed(key);
        // A reverse loop rather than std::views::reverse, which clang 14 cannot
        // compile with this standard library (the fuzzing build uses clang).
        for (auto w = pending_.crbegin(); w != pending_.crend(); ++w) {
            if (asciiEqualsIgnoringCase(asciiTrimmed(w->section), wantSection)
                && asciiEqualsIgnoringCase(asciiTrimmed(w->key), wantKey))
                return asciiTrimmed(w->value).toString();
        }
    }
    if (text_) {
        if (!index_)
            index_.emplace(text_->text);
        return index_->find(section, key).value_or(defaultValue);
    }
    return findIniValue(readText(path_).text.text, section, key).value_or(defaultValue);
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    if (!canWriteIniValue(section, key, value) || !isLatin1(section) || !isLatin1(key) || !isLatin1(value))
        throw ProfileWriteError(path_);
    if (updating_) {
        pending_.push_back({section, key, value});
        return;
    }
    ProfileText text = writableText(path_);
    text.text = withIniValue(text.text, section, key, value);
    writeText(path_, text);
    if (text_) {
        text_ = std::move(text);
        index_.reset();
    }
}

ProfileFileState ProfileFile::readOnce()
{
    ReadText read = readText(path_);
    text_ = std::move(read.text);
    index_.reset();
    return read.state;
}

void ProfileFile::beginUpdate()
{
    text_ = writableText(path_);
    index_.reset();
    pending_.clear();
    updating_ = true;
}

void ProfileFile::endUpdate()
{
    if (!updating_)
        return;
    ProfileText text = std::move(*text_);
    text.text = withIniValues(text.text, pending_);
    text_.reset();
    index_.reset();
    pending_.clear();
    updating_ = false;
    writeText(path_, text);
}
