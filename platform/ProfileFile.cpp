#include "platform/ProfileFile.h"
#include "platform/AsciiText.h"
#include "platform/RegularFile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

struct TReadText {
    TProfileFileState State = TProfileFileState::Readable;
    TProfileText Text; // empty unless readable
};

// A missing file reads as an empty one.
TReadText ReadText(const QString &path)
{
    using S = TFileRead::TStatus;
    const TFileRead read = ReadRegularFile(path, MaxProfileFileBytes);
    switch (read.Status) {
    case S::Read:
        return {TProfileFileState::Readable, DecodeProfileText(read.Bytes)};
    case S::Missing:
        return {};
    case S::TooLarge:
        return {TProfileFileState::TooLarge, {}};
    case S::Unreadable:
        break;
    }
    return {TProfileFileState::Unreadable, {}};
}

// The text to write into the file; throws when it cannot be written.
TProfileText WritableText(const QString &path)
{
    TReadText read = ReadText(path);
    if (read.State == TProfileFileState::TooLarge)
        throw TProfileWriteError::TooLarge(path);
    if (read.State == TProfileFileState::Unreadable)
        throw TProfileWriteError(path);
    return std::move(read.Text);
}

void WriteText(const QString &path, const TProfileText &text)
{
    const QByteArray bytes = EncodeProfileText(text);
    // Written, it would never be read again.
    if (bytes.size() > MaxProfileFileBytes)
        throw TProfileWriteError::TooLarge(path);
    if (!WriteRegularFile(path, bytes))
        throw TProfileWriteError(path);
}

bool IsLatin1(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}

QString FullPath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

TProfileWriteError::TProfileWriteError(const QString &path)
    : TProfileWriteError(TText{QStringLiteral("%1 に書き込めません").arg(FullPath(path))})
{
}

TProfileWriteError TProfileWriteError::TooLarge(const QString &path)
{
    return TProfileWriteError(TText{QStringLiteral("%1 は大きすぎるため書き込みません").arg(FullPath(path))});
}

TProfileWriteError::TProfileWriteError(const TText &text)
    : std::runtime_error(text.Text.toStdString())
{
}

TProfileReadError::TProfileReadError(const QString &path)
    : std::runtime_error(QStringLiteral("%1 は大きすぎるため読み込めません").arg(FullPath(path)).toStdString())
{
}

QString TProfileFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (updating_) {
        // The last write of the key wins, as it would on disk.
        const QStringView wantSection = AsciiTrimmed(section);
        const QStringView wantKey = AsciiTrimmed(key);
        // A reverse loop rather than std::views::reverse, which clang 14 cannot
        // compile with this standard library (the fuzzing build uses clang).
        for (auto w = pending_.crbegin(); w != pending_.crend(); ++w) {
            if (AsciiEqualsIgnoringCase(AsciiTrimmed(w->Section), wantSection)
                && AsciiEqualsIgnoringCase(AsciiTrimmed(w->Key), wantKey))
                return AsciiTrimmed(w->Value).toString();
        }
    }
    if (text_) {
        if (!index_)
            index_.emplace(text_->Text);
        return index_->Find(section, key).value_or(defaultValue);
    }
    return FindIniValue(ReadText(path_).Text.Text, section, key).value_or(defaultValue);
}

void TProfileFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (!CanWriteIniValue(section, key, value) || !IsLatin1(section) || !IsLatin1(key) || !IsLatin1(value))
        throw TProfileWriteError(path_);
    if (updating_) {
        pending_.push_back({section, key, value});
        return;
    }
    TProfileText text = WritableText(path_);
    text.Text = WithIniValue(text.Text, section, key, value);
    WriteText(path_, text);
    if (text_) {
        text_ = std::move(text);
        index_.reset();
    }
}

TProfileFileState TProfileFile::ReadOnce()
{
    TReadText read = ReadText(path_);
    text_ = std::move(read.Text);
    index_.reset();
    return read.State;
}

void TProfileFile::BeginUpdate()
{
    text_ = WritableText(path_);
    index_.reset();
    pending_.clear();
    updating_ = true;
}

void TProfileFile::EndUpdate()
{
    if (!updating_)
        return;
    TProfileText text = std::move(*text_);
    text.Text = WithIniValues(text.Text, pending_);
    text_.reset();
    index_.reset();
    pending_.clear();
    updating_ = false;
    WriteText(path_, text);
}
