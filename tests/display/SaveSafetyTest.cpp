#include "display/VisualIni.h"
#include "platform/ProfileFile.h"
#include "support/Files.h"
#include "support/SaveLoopSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <random>
#include <sys/mount.h>
#include <unistd.h>

namespace {


QByteArray SavedText(const QTemporaryDir &dir, int which)
{
    const QString path = dir.filePath(QStringLiteral("reference%1.ini").arg(which));
    SaveDisplaySettings(path, SaveLoopSettings(which), 2 + which);
    return FileBytes(path);
}

// The message of the save's failure, or nothing.
std::optional<QString> SaveError(const QString &path)
{
    try {
        SaveDisplaySettings(path, SaveLoopSettings(1), 3);
    } catch (const TProfileWriteError &e) {
        return e.Message();
    }
    return std::nullopt;
}

TEST(SaveSafetyTest, AKilledSaveLeavesTheOldOrTheNewWholeFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray texts[2] = {SavedText(dir, 0), SavedText(dir, 1)};
    ASSERT_NE(texts[0], texts[1]);
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    SaveDisplaySettings(path, SaveLoopSettings(0), 2);

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
        const QByteArray now = FileBytes(path);
        ASSERT_TRUE(now == texts[0] || now == texts[1]) << "after kill " << i << ":\n" << now.constData();
        (now == texts[0] ? sawOld : sawNew)++;
    }
    std::printf("%d kills survived: %d left the first settings, %d the second\n", kills, sawOld, sawNew);
    EXPECT_GT(sawNew, 0) << "the kills never came after a save";
}

TEST(SaveSafetyTest, AVisualIniThatIsADirectoryGivesTheMessage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/inside")));
    EXPECT_EQ(SaveError(path), path + QStringLiteral(" に書き込めません"));
    EXPECT_TRUE(QDir(path + QStringLiteral("/inside")).exists());
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
    bool Mounted() const { return mounted_; }
    bool MakeReadOnly()
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
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    SaveDisplaySettings(path, SaveLoopSettings(0), 2);
    const QByteArray old = FileBytes(path);
    QFile filler(dir.filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();
    EXPECT_EQ(SaveError(path), path + QStringLiteral(" に書き込めません"));
    EXPECT_EQ(FileBytes(path), old);
}

TEST(SaveSafetyTest, AReadOnlyDirectoryGivesTheMessageAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    ScratchMount disk(dir.path(), "size=64k");
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here (needs root)";
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    SaveDisplaySettings(path, SaveLoopSettings(0), 2);
    const QByteArray old = FileBytes(path);
    ASSERT_TRUE(disk.MakeReadOnly());
    EXPECT_EQ(SaveError(path), path + QStringLiteral(" に書き込めません"));
    EXPECT_EQ(FileBytes(path), old);
}

} // namespace
