#pragma once
#include <QString>

#include <optional>
#include <stdexcept>
#include <utility>

// A write to the settings file that did not happen; the file is as it was.
class TProfileWriteError : public std::runtime_error {
public:
    explicit TProfileWriteError(const QString &path);
    QString Message() const { return QString::fromUtf8(what()); }
};

// The settings file on disk, read and written one key at a time. Making the
// object touches nothing; each call reads the file afresh, so nothing read
// can be stale. The bytes are taken as Latin-1, so that a rewrite gives back
// every byte it did not change.
class TProfileFile {
public:
    explicit TProfileFile(QString path) : path_(std::move(path)) {}

    const QString &FileName() const { return path_; }

    // The key's value, or the default when the file, section or key is
    // missing or the file cannot be read.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;

    // Sets the key, making file and section as needed. The whole new file is
    // written beside the old one and renamed over it, so the file on disk is
    // always either the old or the new one. Throws TProfileWriteError when the
    // file cannot be written, when an existing file cannot be read (writing
    // would lose its other keys), or when the names or value hold what the
    // file cannot (a line break, a character beyond Latin-1, ...).
    void WriteString(const QString &section, const QString &key, const QString &value);

    // Gathers the writes that follow in memory, to be put on disk together by
    // EndUpdate in one replacement: a save of many keys then leaves the file
    // either wholly as it was or wholly new, even if the program dies midway.
    // Throws TProfileWriteError if an existing file cannot be read.
    void BeginUpdate();
    // Writes the gathered text; throws TProfileWriteError, the file unchanged.
    void EndUpdate();

private:
    QString path_;
    std::optional<QString> pending_;
};
