#pragma once
#include "platform/IniText.h"
#include "platform/ProfileText.h"

#include <QString>

#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

// Far more than any settings file holds. A larger file is neither read nor
// written, so that a stray huge file costs neither minutes nor gigabytes.
constexpr qint64 MaxProfileFileBytes = 4 * 1024 * 1024;

// A write to the settings file that did not happen; the file is as it was.
class ProfileWriteError : public std::runtime_error {
public:
    // "%s に書き込めません", with the full path.
    explicit ProfileWriteError(const QString &path);
    // The file is larger than MaxProfileFileBytes, or would become so.
    static ProfileWriteError tooLarge(const QString &path);
    QString message() const { return QString::fromUtf8(what()); }

private:
    struct Text {
        QString text;
    };
    explicit ProfileWriteError(const Text &text);
};

// A settings file larger than MaxProfileFileBytes, which reads as missing.
class ProfileReadError : public std::runtime_error {
public:
    explicit ProfileReadError(const QString &path);
    QString message() const { return QString::fromUtf8(what()); }
};

// What reading the file found; a missing file is readable, and empty.
enum class ProfileFileState { Readable, Unreadable, TooLarge };

// The settings file on disk, read and written one key at a time. Making the
// object touches nothing; each call reads the file afresh, so nothing read
// can be stale, unless ReadOnce or BeginUpdate says otherwise. Only a regular file is read or written; anything else in
// its place (a device, a FIFO, a directory) reads as missing and cannot be written. Its text is decoded as ProfileText
// says.
class ProfileFile {
public:
    explicit ProfileFile(QString path)
        : path_(std::move(path))
    {
    }

    const QString &fileName() const { return path_; }

    // The key's value, or the default when the file, section or key is
    // missing or the file cannot be read.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;

    // Sets the key, making file and section as needed. The whole new file is
    // written beside the old one and renamed over it, so the file on disk is
    // always either the old or the new one (see WriteRegularFile for where it
    // is rewritten in place instead). Throws ProfileWriteError when the file
    // cannot be written, when an existing file cannot be read (writing would
    // lose its other keys), or when the names or value hold what the file
    // cannot (a line break, a character beyond Latin-1, ...).
    void writeString(const QString &section, const QString &key, const QString &value);

    // Reads the file once for all the reads that follow, and says whether it
    // could be read: one that could not reads as missing.
    ProfileFileState readOnce();

    // Gathers the writes that follow in memory, to be put on disk together by
    // EndUpdate in one replacement: a save of many keys then leaves the file
    // either wholly as it was or wholly new, even if the program dies midway.
    // Throws ProfileWriteError if an existing file cannot be read.
    void beginUpdate();
    // Writes the gathered text; throws ProfileWriteError, the file unchanged.
    void endUpdate();

private:
    QString path_;
    std::optional<ProfileText> text_;       // as read once
    mutable std::optional<IniIndex> index_; // of text_, made at its first read
    std::vector<IniWrite> pending_;
    bool updating_ = false;
};
