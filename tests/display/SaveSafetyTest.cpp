#include "display/VisualIni.h"
#include "platform/ProfileFile.h"
#include "support/Files.h"
#include "support/SaveLoopSettings.h"

#include "DisplayTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <random>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QByteArray savedText(const QTemporaryDir &dir, int which)
{
    const QString path = dir.filePath(QStringLiteral("reference%1.ini").arg(which));
    saveDisplaySettings(path, saveLoopSettings(which));
    return fileBytes(path);
}

// The message of the save's failure, or nothing.
std::optional<QString> saveError(const QString &path)
{
    try {
        saveDisplaySettings(path, saveLoopSettings(1));
    } catch (const ProfileWriteError &e) {
        return e.message();
    }
    return std::nullopt;
}

TEST(SaveSafetyTest, AKilledSaveLeavesTheOldOrTheNewWholeFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray texts[2] = {savedText(dir, 0), savedText(dir, 1)};
    ASSERT_NE(texts[0], texts[1]);
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    saveDisplaySettings(path, saveLoopSettings(0));

    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMs(0, 40);
    int sawOld = 0, sawNew = 0;
    const int kills = 150;
    for (int i = 0; i < kills; ++i) {
        QProcess saver;
        saver.start(QStringLiteral(VELMORA_SAVE_LOOP), {path});
        ASSERT_TRUE(saver.waitForStarted());
        QThread::msleep(std::uint64_t(delayMs(random)));
        ::kill(pid_t(saver.processId()), SIGKILL);
        saver.waitForFinished();
        const QByteArray now = fileBytes(path);
        ASSERT_TRUE(now == texts[0] || now == texts[1]) << "after kill " << i << ":\n" << now.constData();
        (now == texts[0] ? sawOld : sawNew)++;
    }
    std::printf("%d kills survived: %d left the first settings, %d the second\n", kills, sawOld, sawNew);
    EXPECT_GT(sawNew, 0) << "the kills never came after a save";
}

// A small file system of our own, for the disk-full and read-only cases.
class ScratchMount {
public:
    explicit ScratchMount(const QString &where, const char *options)
        : where_(where)
    {
        mounted_ = ::mount("tmpfs", where.toLocal8Bit().constData(), "tmpfs", 0, options) == 0;
    }
    ~ScratchMount()
    {
        if (mounted_)
            ::umount2(where_.toLocal8Bit().constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    bool makeReadOnly()
    {
        return ::mount(nullptr, where_.toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QString where_;
    bool mounted_ = false;
};

TEST(SaveSafetyTest, AFullDiskGivesTheMessageAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    ScratchMount disk(dir.path(), "size=32k");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    saveDisplaySettings(path, saveLoopSettings(0));
    const QByteArray old = fileBytes(path);
    QFile filler(dir.filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size() && filler.flush()) { }
    filler.close();
    EXPECT_EQ(saveError(path), path + QStringLiteral(" に書き込めません"));
    EXPECT_EQ(fileBytes(path), old);
}

TEST(SaveSafetyTest, AReadOnlyDirectoryGivesTheMessageAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    ScratchMount disk(dir.path(), "size=64k");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    saveDisplaySettings(path, saveLoopSettings(0));
    const QByteArray old = fileBytes(path);
    ASSERT_TRUE(disk.makeReadOnly());
    EXPECT_EQ(saveError(path), path + QStringLiteral(" に書き込めません"));
    EXPECT_EQ(fileBytes(path), old);
}

// One file mounted over another, for a file the folder cannot replace.
class BindMount {
public:
    BindMount(const QString &source, const QString &target)
        : target_(target.toLocal8Bit())
    {
        mounted_ = ::mount(source.toLocal8Bit().constData(), target_.constData(), nullptr, MS_BIND, nullptr) == 0;
    }
    ~BindMount()
    {
        if (mounted_)
            ::umount2(target_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    QByteArray target_;
    bool mounted_ = false;
};

TEST(SaveSafetyTest, AFileTheFolderCannotReplaceIsRewrittenInPlace)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ScratchMount disk(folder, "size=64k");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    const QString real = dir.filePath(QStringLiteral("real.ini"));
    saveDisplaySettings(real, saveLoopSettings(0));
    const QString path = folder + QStringLiteral("/Visual.ini");
    putFile(path, {});
    const BindMount file(real, path);
    ASSERT_TRUE(file.mounted());

    // A mount point cannot be renamed over.
    EXPECT_EQ(saveError(path), std::nullopt);
    EXPECT_EQ(fileBytes(real), savedText(dir, 1));
    // A read-only folder takes no new file.
    ASSERT_TRUE(disk.makeReadOnly());
    saveDisplaySettings(path, saveLoopSettings(0));
    EXPECT_EQ(fileBytes(real), savedText(dir, 0));
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
              QStringList{"Visual.ini"});
}

TEST(SaveSafetyTest, ADeviceInThePlaceOfTheFileIsNotWritten)
{
    QTemporaryDir dir;
    const QString node = dir.filePath(QStringLiteral("null"));
    // Our own null device: a fault here must not replace the system's.
    if (::mknod(node.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node (needs root)";
    const QString itself = dir.filePath(QStringLiteral("Visual.ini"));
    ASSERT_EQ(::mknod(itself.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    const QString linked = dir.filePath(QStringLiteral("linked/Visual.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("linked")));
    ASSERT_TRUE(QFile::link(node, linked));
    for (const QString &path : {itself, linked}) {
        EXPECT_EQ(saveError(path), path + QStringLiteral(" に書き込めません"));
        struct stat st { };
        EXPECT_TRUE(::stat(path.toLocal8Bit().constData(), &st) == 0 && S_ISCHR(st.st_mode)) << path.toStdString();
    }
    EXPECT_TRUE(QFileInfo(linked).isSymLink());
}

TEST(SaveSafetyTest, AReplacedFileKeepsItsOwnerGroupAndMode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    saveDisplaySettings(path, saveLoopSettings(0));
    const QByteArray native = path.toLocal8Bit();
    if (::chown(native.constData(), 4321, 8765) != 0)
        GTEST_SKIP() << "cannot give a file away (needs root)";
    ASSERT_EQ(::chmod(native.constData(), 0444), 0);
    EXPECT_EQ(saveError(path), std::nullopt);
    EXPECT_EQ(fileBytes(path), savedText(dir, 1));
    struct stat st { };
    ASSERT_EQ(::stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 8765u);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

TEST(SaveSafetyTest, OnlyTemporariesOfSavesKilledBeforeThisRunAreRemoved)
{
    QTemporaryDir dir;
    const auto made = [&dir](const QString &name, bool old) {
        const QString path = dir.filePath(name);
        putFile(path, "x");
        if (old) {
            const timespec times[2] = {{946684800, 0}, {946684800, 0}}; // 2000-01-01
            ASSERT_EQ(::utimensat(AT_FDCWD, path.toLocal8Bit().constData(), times, 0), 0);
        }
    };
    const QStringList stale{"Visual.ini.AbCdEf", "Visual.ini.zzzzzz"};
    const QStringList otherNames{"Visual.ini.AbCd3f", "Visual.ini.AbCdEfG", "Visual.ini.bak", "Other.ini.AbCdEf"};
    for (const QString &name : stale + otherNames)
        made(name, true);
    // Younger than this process: another instance may be saving with it now.
    made(QStringLiteral("Visual.ini.GhIjKl"), false);

    saveDisplaySettings(dir.filePath(QStringLiteral("Visual.ini")), saveLoopSettings(0));
    QStringList expected = otherNames;
    expected << "Visual.ini"
             << "Visual.ini.GhIjKl";
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name), expected);
}

} // namespace
