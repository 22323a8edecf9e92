#include "platform/RegularFile.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Qt's file classes open what they are given, follow it wherever it leads and
// cannot hand a temporary its owner: hence plain system calls here.

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : fd_(fd)
    {
    }
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd) { FileDescriptor old(std::exchange(fd_, fd)); }
    // Some file systems report a failed write only here.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n == 0 || (n < 0 && errno != EINTR))
            return false;
        done += std::max<ssize_t>(n, 0);
    }
    return true;
}

qint64 nanoseconds(const timespec &t)
{
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// When this process started, by the real-time clock, at most a clock tick early.
std::optional<qint64> processStartNs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The program's name may hold anything; the fields follow its last ')'.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.sliced(line.lastIndexOf(')') + 1).trimmed().split(' ');
    constexpr int StartTimeField = 22 - 3; // the state, field 3, comes first
    bool ok = false;
    const qint64 ticks = fields.size() > StartTimeField ? fields[StartTimeField].toLongLong(&ok) : 0;
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    timespec real{}, boot{};
    if (!ok || ticksPerSecond <= 0 || ::clock_gettime(CLOCK_REALTIME, &real) != 0
        || ::clock_gettime(CLOCK_BOOTTIME, &boot) != 0)
        return std::nullopt;
    const qint64 sinceBootNs
        = ticks / ticksPerSecond * 1000000000 + ticks % ticksPerSecond * 1000000000 / ticksPerSecond;
    return nanoseconds(real) - (nanoseconds(boot) - sinceBootNs);
}

constexpr int TemporarySuffixLength = 6;

// "<name>." and six ASCII letters: the temporaries made here, and by Qt
// before this code made them.
bool isTemporaryOf(const QString &entry, const QString &name)
{
    if (entry.size() != name.size() + 1 + TemporarySuffixLength || !entry.startsWith(name)
        || entry[name.size()] != u'.')
        return false;
    return std::all_of(entry.cbegin() + name.size() + 1, entry.cend(),
                       [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); });
}

// A temporary that a killed save left behind stays for ever otherwise. One
// made since this process started may be another instance's, saving now; file
// times are coarse, hence the second's margin.
void removeStaleTemporaries(const QString &target)
{
    const std::optional<qint64> startNs = processStartNs();
    if (!startNs)
        return;
    const QFileInfo info(target);
    const QString name = info.fileName();
    QDirIterator entries(info.absolutePath(), QDir::AllEntries | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (!isTemporaryOf(entries.fileName(), name))
            continue;
        struct stat st { };
        const QByteArray native = nativePath(path);
        if (::lstat(native.constData(), &st) == 0 && S_ISREG(st.st_mode)
            && nanoseconds(st.st_mtim) < *startNs - 1000000000)
            ::unlink(native.constData());
    }
}

// A new file beside the target, removed again unless it was renamed.
class Temporary {
public:
    explicit Temporary(const QString &target)
    {
        for (int attempt = 0; attempt < 100 && !fd_.valid(); ++attempt) {
            QString suffix;
            for (int i = 0; i < TemporarySuffixLength; ++i) {
                const int r = int(QRandomGenerator::global()->bounded(52));
                suffix += QChar(r < 26 ? u'A' + r : u'a' + (r - 26));
            }
            name_ = nativePath(target + u'.' + suffix);
            fd_.reset(::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (!fd_.valid() && errno != EEXIST)
                break;
        }
        made_ = fd_.valid();
    }
    ~Temporary()
    {
        if (made_ && !renamed_)
            ::unlink(name_.constData());
    }

    bool valid() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }
    bool close() { return fd_.close(); }
    bool renameTo(const QByteArray &target)
    {
        renamed_ = ::rename(name_.constData(), target.constData()) == 0;
        return renamed_;
    }

private:
    QByteArray name_;
    FileDescriptor fd_{-1};
    bool made_ = false;
    bool renamed_ = false;
};

enum class Replace { Done, InPlace, Failed };

// A folder that takes no new file (or a file that is a mount point, or in a
// sticky folder) does not stop the file itself from being written.
Replace failedFor(int error)
{
    const bool folderRefuses = error == EACCES || error == EPERM || error == EROFS || error == EBUSY || error == EXDEV;
    return folderRefuses ? Replace::InPlace : Replace::Failed;
}

Replace replace(const QByteArray &target, const QByteArray &bytes, const struct stat *old)
{
    Temporary temp(QFile::decodeName(target));
    if (!temp.valid())
        return failedFor(errno);
    // Before it holds anything, and in this order: a change of owner clears set-id bits.
    if (old && (::fchown(temp.fd(), old->st_uid, old->st_gid) != 0 || ::fchmod(temp.fd(), old->st_mode & 07777) != 0))
        return Replace::InPlace;
    if (!writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0 || !temp.close())
        return Replace::Failed;
    if (!temp.renameTo(target))
        return failedFor(errno);
    return Replace::Done;
}

bool rewriteInPlace(const QByteArray &target, const QByteArray &bytes)
{
    FileDescriptor fd(::open(target.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st { };
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // The room first, so that a full disk leaves the file as it was.
    if (bytes.size() > st.st_size && ::posix_fallocate(fd.get(), 0, bytes.size()) != 0) {
        (void)::ftruncate(fd.get(), st.st_size);
        return false;
    }
    return writeAll(fd.get(), bytes) && ::ftruncate(fd.get(), bytes.size()) == 0 && ::fsync(fd.get()) == 0
        && fd.close();
}

// The path, or what a symbolic link there leads to; nothing for a link that
// leads nowhere.
std::optional<QString> saveTarget(const QString &path)
{
    struct stat st { };
    if (::lstat(nativePath(path).constData(), &st) != 0)
        return errno == ENOENT ? std::optional<QString>(path) : std::nullopt;
    if (!S_ISLNK(st.st_mode))
        return path;
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? std::nullopt : std::optional<QString>(target);
}

} // namespace

FileRead readRegularFile(const QString &path, qint64 maxBytes)
{
    using S = FileRead::Status;
    const QByteArray native = nativePath(path);
    struct stat st { };
    // Looked at before it is opened: opening a device may do something.
    if (::stat(native.constData(), &st) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? S::Missing : S::Unreadable, {}};
    if (!S_ISREG(st.st_mode))
        return {S::Unreadable, {}};
    FileDescriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid())
        return {errno == ENOENT ? S::Missing : S::Unreadable, {}};
    // It may have been swapped for something else in between.
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return {S::Unreadable, {}};
    if (st.st_size > maxBytes)
        return {S::TooLarge, {}};
    // It may still grow while it is read.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > maxBytes)
                return {S::TooLarge, {}};
            bytes.resize(qsizetype(std::min<qint64>(2 * used, maxBytes + 1)));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + used, std::size_t(bytes.size() - used));
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR)
            return {S::Unreadable, {}};
        used += std::max<ssize_t>(n, 0);
    }
    if (used > maxBytes)
        return {S::TooLarge, {}};
    bytes.truncate(used);
    return {S::Read, bytes};
}

bool writeRegularFile(const QString &path, const QByteArray &bytes)
{
    const std::optional<QString> target = saveTarget(path);
    if (!target)
        return false;
    const QByteArray native = nativePath(*target);
    struct stat old { };
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0))
        return false;
    removeStaleTemporaries(*target);
    switch (replace(native, bytes, exists ? &old : nullptr)) {
    case Replace::Done:
        return true;
    case Replace::InPlace:
        return exists && rewriteInPlace(native, bytes);
    case Replace::Failed:
        break;
    }
    return false;
}
