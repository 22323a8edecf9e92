#pragma once
#include <QByteArray>
#include <QString>

// Reading and writing a whole file that must be a regular one: a device or a
// FIFO in its place, or at the end of a symbolic link, is neither read nor
// written, as reading could block or never end and writing would replace it.

struct FileRead {
    enum class Status { Read, Missing, Unreadable, TooLarge };

    Status status = Status::Missing;
    QByteArray bytes;
};

// The file's bytes, when it is a regular file of at most maxBytes.
FileRead readRegularFile(const QString &path, qint64 maxBytes);

// Puts the bytes in the file, or in the file a symbolic link at the path leads
// to (the link stays), and says whether they got there. The new bytes are
// written beside the file and renamed over it, with its owner, group and mode,
// so that the file on disk is always either the old or the new one. Where the
// folder takes no new file, or the file cannot be renamed over or given its
// owner back, an existing file is rewritten in place instead. A file that this
// process may not write is left alone. Temporaries left by a save that was
// killed before this process started are removed.
bool writeRegularFile(const QString &path, const QByteArray &bytes);
