#include "platform/ProfileFile.h"
#include "platform/IniText.h"
#include "support/QStringPrinter.h"

#include "support/Files.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {

// Every test works in a directory of its own; the settings file is "Visual.ini" in it.
class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString pathOf(const QString &name) const { return dir.filePath(name); }
    QString iniPath() const { return pathOf(QStringLiteral("Visual.ini")); }

    static void put(const QString &path, const QByteArray &bytes) { putFile(path, bytes); }

    static QByteArray get(const QString &path) { return fileBytes(path); }

    // The bytes after writing one key into a file holding `before`.
    QByteArray afterWrite(const QByteArray &before, const QString &section, const QString &key, const QString &value)
    {
        put(iniPath(), before);
        ProfileFile(iniPath()).writeString(section, key, value);
        return get(iniPath());
    }

    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir dir;
};

QString expectedWriteError(const QString &path)
{
    return QFileInfo(path).absoluteFilePath() + QStringLiteral(" に書き込めません");
}

// The message of the write error thrown by the call, or nothing when none is thrown.
template <typename Call> std::optional<QString> writeErrorOf(Call &&call)
{
    try {
        call();
    } catch (const ProfileWriteError &e) {
        return e.message();
    }
    return std::nullopt;
}

// ---- reading ------------------------------------------------------------

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    const ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("general", "BGColor", "clWhite"), "clWhite");
    EXPECT_FALSE(QFile::exists(iniPath())) << "reading must not make the file";

    put(iniPath(), "[general]\nAxisWidth=3\n");
    EXPECT_EQ(ini.readString("general", "AxisWidth", "1"), "3");
    EXPECT_EQ(ini.readString("general", "AxisStyle", "0"), "0");
    EXPECT_EQ(ini.readString("wave1", "AxisWidth", "7"), "7");
}

TEST_F(ProfileFileTest, MakingTheObjectTouchesNothing)
{
    {
        ProfileFile ini(iniPath());
        ProfileFile inMissingDir(pathOf("no/such/dir/Visual.ini"));
    }
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(ProfileFileTest, NamesIgnoreLetterCaseAndValuesAreTrimmed)
{
    put(iniPath(), "[GeNeRaL]\n  bgcolor  =   clBlue \t \n[ Wave3 ]\nCOLOR=clRed\n");
    const ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("general", "BGColor", "x"), "clBlue");
    EXPECT_EQ(ini.readString("GENERAL", "BGCOLOR", "x"), "clBlue");
    EXPECT_EQ(ini.readString("wave3", "Color", "x"), "clRed");
}

TEST_F(ProfileFileTest, AnEmptyValueIsAValue)
{
    put(iniPath(), "[a]\nk=\nj=   \n");
    const ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("a", "k", "dflt"), "");
    EXPECT_EQ(ini.readString("a", "j", "dflt"), "");
}

TEST_F(ProfileFileTest, EveryKindOfLineEndReads)
{
    const ProfileFile ini(iniPath());
    for (const QByteArray &text :
         {QByteArray("[a]\nk=1\nm=2\n[b]\nk=3"), QByteArray("[a]\r\nk=1\r\nm=2\r\n[b]\r\nk=3\r\n"),
          QByteArray("[a]\rk=1\rm=2\r[b]\rk=3\r"), QByteArray("[a]\r\nk=1\nm=2\r[b]\nk=3")}) {
        put(iniPath(), text);
        EXPECT_EQ(ini.readString("a", "k", "x"), "1") << text.toStdString();
        EXPECT_EQ(ini.readString("a", "m", "x"), "2") << text.toStdString();
        EXPECT_EQ(ini.readString("b", "k", "x"), "3") << text.toStdString();
    }
}

TEST_F(ProfileFileTest, CommentsStrayLinesAndKeysBeforeAnySectionAreNotKeys)
{
    put(iniPath(), "k=0\n[a]\n;k=1\n  ; m=2\nno equals sign\nk=3\n");
    const ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("a", "k", "x"), "3");
    EXPECT_EQ(ini.readString("a", "m", "x"), "x");
    EXPECT_EQ(ini.readString("a", ";k", "x"), "x");
    EXPECT_EQ(ini.readString("a", "no equals sign", "x"), "x");
}

TEST_F(ProfileFileTest, FirstOccurrenceWinsAndRepeatedSectionsReadAsOne)
{
    put(iniPath(), "[a]\nk=first\nk=second\n[b]\nk=other\n[A]\nk=third\nm=late\n");
    const ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("a", "k", "x"), "first");
    EXPECT_EQ(ini.readString("a", "m", "x"), "late");
    EXPECT_EQ(ini.readString("b", "k", "x"), "other");
}

TEST_F(ProfileFileTest, ValuesKeepEqualsSignsAndLatin1Bytes)
{
    put(iniPath(), QByteArray("[a]\nk=x=y\nm=caf\xE9\xA0\n"));
    const ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("a", "k", ""), "x=y");
    // 0xA0 is no ASCII blank, so it is part of the value.
    EXPECT_EQ(ini.readString("a", "m", ""), QString::fromLatin1("caf\xE9\xA0"));
}

TEST_F(ProfileFileTest, ADirectoryOrUnreadablePathReadsAsMissing)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("Visual.ini"));
    EXPECT_EQ(ProfileFile(iniPath()).readString("general", "BGColor", "clWhite"), "clWhite");
}

// ---- writing ------------------------------------------------------------

TEST_F(ProfileFileTest, WriteMakesFileSectionAndKey)
{
    ProfileFile ini(iniPath());
    ini.writeString("general", "BGColor", "clWhite");
    EXPECT_EQ(get(iniPath()), "[general]\nBGColor=clWhite\n");
    ini.writeString("general", "AxisWidth", "1");
    ini.writeString("wave1", "Width", "1");
    EXPECT_EQ(get(iniPath()), "[general]\nBGColor=clWhite\nAxisWidth=1\n\n[wave1]\nWidth=1\n");
}

TEST_F(ProfileFileTest, WriteReplacesTheValueOnItsOwnLine)
{
    EXPECT_EQ(afterWrite("; top\n[general]\nBGColor=clRed\nAxisWidth=3\n", "general", "BGColor", "clBlue"),
              "; top\n[general]\nBGColor=clBlue\nAxisWidth=3\n");
    // The key keeps its spelling and the blanks around the '='.
    EXPECT_EQ(afterWrite("[GENERAL]\n  bgcolor =  clRed  \r\nX=1\r\n", "general", "BGColor", "clBlue"),
              "[GENERAL]\n  bgcolor =  clBlue  \r\nX=1\r\n");
    EXPECT_EQ(afterWrite("[a]\nk=\nm=1", "a", "k", "v"), "[a]\nk=v\nm=1");
    EXPECT_EQ(afterWrite("[a]\nk=old", "a", "k", ""), "[a]\nk=");
    // Only the first of two lines of the key changes, as only it is read.
    EXPECT_EQ(afterWrite("[a]\nk=1\nk=2\n[A]\nk=3\n", "A", "K", "9"), "[a]\nk=9\nk=2\n[A]\nk=3\n");
}

TEST_F(ProfileFileTest, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    EXPECT_EQ(afterWrite("[a]\nk=1\n\n; about b\n[b]\nj=2\n", "a", "m", "5"), "[a]\nk=1\nm=5\n\n; about b\n[b]\nj=2\n");
    EXPECT_EQ(afterWrite("[a]\n\n[b]\n", "a", "m", "5"), "[a]\nm=5\n\n[b]\n");
    EXPECT_EQ(afterWrite("[a]\r\nk=1\r\n[b]\r\n", "a", "m", "5"), "[a]\r\nk=1\r\nm=5\r\n[b]\r\n");
    EXPECT_EQ(afterWrite("[a]\rk=1\r[b]\r", "a", "m", "5"), "[a]\rk=1\rm=5\r[b]\r");
    // A last line without a line break gets one; the file still ends without.
    EXPECT_EQ(afterWrite("[x]\r\n[a]\nk=1", "a", "m", "5"), "[x]\r\n[a]\nk=1\nm=5");
    EXPECT_EQ(afterWrite("[a]", "a", "m", "5"), "[a]\nm=5");
    // A repeated section gets the key in its first occurrence, where it is read.
    EXPECT_EQ(afterWrite("[a]\nk=1\n[b]\n[a]\nj=2\n", "a", "m", "5"), "[a]\nk=1\nm=5\n[b]\n[a]\nj=2\n");
}

TEST_F(ProfileFileTest, NewSectionGoesAtTheEndAfterABlankLine)
{
    EXPECT_EQ(afterWrite("[a]\nk=1\n", "b", "m", "5"), "[a]\nk=1\n\n[b]\nm=5\n");
    EXPECT_EQ(afterWrite("[a]\nk=1", "b", "m", "5"), "[a]\nk=1\n\n[b]\nm=5\n");
    EXPECT_EQ(afterWrite("[a]\nk=1\n\n", "b", "m", "5"), "[a]\nk=1\n\n[b]\nm=5\n");
    EXPECT_EQ(afterWrite("[a]\r\nk=1\r\n", "b", "m", "5"), "[a]\r\nk=1\r\n\r\n[b]\r\nm=5\r\n");
    EXPECT_EQ(afterWrite("; only a comment", "b", "m", "5"), "; only a comment\n\n[b]\nm=5\n");
    EXPECT_EQ(afterWrite("", "b", "m", "5"), "[b]\nm=5\n");
}

TEST_F(ProfileFileTest, UnknownSectionsKeysCommentsAndBytesSurviveARewrite)
{
    const QByteArray before("; Velmora settings\r\n"
                            "[general]\r\n"
                            "BGColor=clRed\r\n"
                            "Unknown=keep me\r\n"
                            "\r\n"
                            "[extra]\r\n"
                            "junk line without equals\r\n"
                            "name=caf\xE9\r\n"
                            "; trailing comment");
    QByteArray expected = before;
    expected.replace("BGColor=clRed", "BGColor=clNavy");
    expected.replace("Unknown=keep me\r\n", "Unknown=keep me\r\nAxisWidth=2\r\n");
    EXPECT_EQ(afterWrite(before, "general", "BGColor", "clNavy"), QByteArray(before).replace("clRed", "clNavy"));
    ProfileFile(iniPath()).writeString("general", "AxisWidth", "2");
    EXPECT_EQ(get(iniPath()), expected);
}

TEST_F(ProfileFileTest, AWholeSaveReadsBackKeyForKey)
{
    put(iniPath(), "[user]\nnote=hello\n[general]\nBGColor=clRed\nFuture=1\n");
    ProfileFile ini(iniPath());
    auto valueOf = [](int s, int k) { return QStringLiteral("v%1_%2").arg(s).arg(k); };
    for (int s = 0; s <= 20; ++s) {
        const QString section = s == 0 ? QStringLiteral("general") : QStringLiteral("wave%1").arg(s);
        for (int k = 0; k < (s == 0 ? 15 : 3); ++k)
            ini.writeString(section, QStringLiteral("Key%1").arg(k), valueOf(s, k));
    }
    // Writing again changes nothing that was written last time.
    const QByteArray once = get(iniPath());
    ini.writeString("wave20", "Key2", valueOf(20, 2));
    EXPECT_EQ(get(iniPath()), once);

    const ProfileFile again(iniPath());
    for (int s = 0; s <= 20; ++s) {
        const QString section = s == 0 ? QStringLiteral("general") : QStringLiteral("wave%1").arg(s);
        for (int k = 0; k < (s == 0 ? 15 : 3); ++k)
            EXPECT_EQ(again.readString(section, QStringLiteral("Key%1").arg(k), "missing"), valueOf(s, k));
    }
    EXPECT_EQ(again.readString("user", "note", ""), "hello");
    EXPECT_EQ(again.readString("general", "BGColor", ""), "clRed");
    EXPECT_EQ(again.readString("general", "Future", ""), "1");
    EXPECT_TRUE(once.startsWith("[user]\nnote=hello\n[general]\nBGColor=clRed\nFuture=1\nKey0=v0_0\n"));
    EXPECT_EQ(once.count("[wave"), 20);
    EXPECT_EQ(entries(), QStringList{"Visual.ini"}) << "no temporary file may be left behind";
}

// ---- failed writes ------------------------------------------------------

TEST_F(ProfileFileTest, APathThatIsADirectoryCannotBeWritten)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("Visual.ini/inside"));
    ProfileFile ini(iniPath());
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("general", "BGColor", "clWhite"); }), expectedWriteError(iniPath()));
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
    EXPECT_TRUE(QFileInfo(pathOf("Visual.ini/inside")).isDir());
    EXPECT_EQ(entries(), QStringList{"Visual.ini"});
}

TEST_F(ProfileFileTest, APathUnderARegularFileCannotBeWritten)
{
    put(pathOf("plain"), "not a directory");
    const QString path = pathOf("plain/Visual.ini");
    ProfileFile ini(path);
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("general", "BGColor", "clWhite"); }), expectedWriteError(path));
    EXPECT_EQ(get(pathOf("plain")), "not a directory");
}

TEST_F(ProfileFileTest, TheErrorNamesTheFullPath)
{
    const QString relative
        = QStringLiteral("velmora-no-such-dir-%1/Visual.ini").arg(QRandomGenerator::global()->generate());
    ProfileFile ini(relative);
    const std::optional<QString> message = writeErrorOf([&] { ini.writeString("a", "k", "v"); });
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, QDir::current().absoluteFilePath(relative) + QStringLiteral(" に書き込めません"));
    EXPECT_TRUE(QFileInfo(message->section(' ', 0, 0)).isAbsolute());
}

TEST_F(ProfileFileTest, AReadOnlyDirectoryHasItsFileRewrittenInPlaceButNoFileMade)
{
    const QByteArray before("[general]\r\nBGColor=clRed\r\n; keep\r\n");
    put(iniPath(), before);
    QFile::Permissions dirPerms = QFile::permissions(dir.path());
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    struct Restore {
        QString path;
        QFile::Permissions perms;
        ~Restore() { QFile::setPermissions(path, perms); }
    } restore{dir.path(), dirPerms};

    QFile probe(pathOf("probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        GTEST_SKIP() << "permissions do not stop this user from writing (root)";
    }
    ProfileFile(iniPath()).writeString("general", "BGColor", "clBlue");
    EXPECT_EQ(get(iniPath()), QByteArray(before).replace("clRed", "clBlue"));
    ProfileFile other(pathOf("Other.ini"));
    EXPECT_EQ(writeErrorOf([&] { other.writeString("general", "BGColor", "clBlue"); }),
              expectedWriteError(pathOf("Other.ini")));
    EXPECT_EQ(entries(), QStringList{"Visual.ini"});
}

TEST_F(ProfileFileTest, AReadOnlyFileIsNotReplaced)
{
    const QByteArray before("[general]\nBGColor=clRed\n");
    put(iniPath(), before);
    ASSERT_TRUE(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (QFileInfo(iniPath()).isWritable())
        GTEST_SKIP() << "permissions do not stop this user from writing (root)";
    ProfileFile ini(iniPath());
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("general", "BGColor", "clBlue"); }), expectedWriteError(iniPath()));
    EXPECT_EQ(get(iniPath()), before);
    EXPECT_EQ(entries(), QStringList{"Visual.ini"});
}

TEST_F(ProfileFileTest, ARewrittenFileKeepsItsPermissions)
{
    put(iniPath(), "[general]\nBGColor=clRed\n");
    const QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(iniPath(), perms));
    ProfileFile(iniPath()).writeString("general", "BGColor", "clBlue");
    EXPECT_EQ(QFile::permissions(iniPath()) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), perms);
}

// Lowers the largest file this process may write, as a full disk would; the
// signal that would end the process is ignored so that the write just fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool ok() const { return ok_; }

private:
    rlimit old_{};
    bool ok_ = false;
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(ProfileFileTest, AWriteThatRunsOutOfSpaceLeavesTheOldFileAsItWas)
{
    const QByteArray before("[general]\nBGColor=clRed\n[wave1]\nWidth=3\n");
    put(iniPath(), before);
    ProfileFile ini(iniPath());
    std::optional<QString> message;
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.ok());
        message = writeErrorOf([&] { ini.writeString("general", "BGColor", QString(100000, u'A')); });
    }
    EXPECT_EQ(message, expectedWriteError(iniPath()));
    EXPECT_EQ(get(iniPath()), before);
    EXPECT_EQ(entries(), QStringList{"Visual.ini"});
    // Once there is room again the same write goes through.
    ini.writeString("general", "BGColor", QString(100000, u'A'));
    EXPECT_EQ(ini.readString("general", "BGColor", "").size(), 100000);
}

TEST_F(ProfileFileTest, AnExistingFileThatCannotBeReadIsNotOverwritten)
{
    const QByteArray before("[general]\nBGColor=clRed\nOther=1\n");
    put(iniPath(), before);
    ASSERT_TRUE(QFile::setPermissions(iniPath(), QFile::WriteOwner));
    QFile probe(iniPath());
    if (probe.open(QIODevice::ReadOnly)) {
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
        GTEST_SKIP() << "permissions do not stop this user from reading (root)";
    }
    ProfileFile ini(iniPath());
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("general", "BGColor", "clBlue"); }), expectedWriteError(iniPath()));
    ASSERT_TRUE(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(get(iniPath()), before);
}

TEST_F(ProfileFileTest, TextThatWouldBreakTheLinesIsRefused)
{
    const QByteArray before("[a]\nk=1\n");
    put(iniPath(), before);
    ProfileFile ini(iniPath());
    const QString expected = expectedWriteError(iniPath());
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("a", "k", "1\n[evil]\nx=1"); }), expected);
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("a", "k", "1\r2"); }), expected);
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("a]x", "k", "1"); }), expected);
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("a", "k=j", "1"); }), expected);
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("a", ";k", "1"); }), expected);
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("a", " [k", "1"); }), expected);
    EXPECT_EQ(writeErrorOf([&] { ini.writeString("a", "k", QStringLiteral("色")); }), expected);
    EXPECT_EQ(get(iniPath()), before);
    // An '=' or ';' inside the value is fine.
    ini.writeString("a", "k", "x=;y");
    EXPECT_EQ(ini.readString("a", "k", ""), "x=;y");
}

// ---- malformed files ----------------------------------------------------

TEST_F(ProfileFileTest, RandomBytesWithNulsReadAndKeepTheirBytes)
{
    QRandomGenerator random(20240611);
    QByteArray junk(256 * 1024, '\0');
    random.fillRange(reinterpret_cast<quint32 *>(junk.data()), junk.size() / 4);
    junk.append('\0');

    put(iniPath(), junk);
    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("velmora-test", "Key", "dflt"), "dflt");
    ini.writeString("velmora-test", "Key", "v1");
    const QByteArray after = get(iniPath());
    EXPECT_TRUE(after.startsWith(junk));
    EXPECT_EQ(ini.readString("velmora-test", "Key", "dflt"), "v1");

    // A key among the junk is found and replaced without touching its neighbours.
    const QByteArray framed = junk + QByteArray("\n[s]\nk=old\0tail\n", 16) + junk;
    put(iniPath(), framed);
    EXPECT_EQ(ini.readString("s", "k", ""), QString::fromLatin1("old\0tail", 8));
    ini.writeString("s", "k", "new");
    EXPECT_EQ(get(iniPath()), junk + "\n[s]\nk=new\n" + junk);
}

TEST_F(ProfileFileTest, BrokenLinesDoNotHideTheRest)
{
    put(iniPath(), QByteArray("[unclosed\nk=1\n[]\nk=2\n=no key\n[ok]\n\x00\x01\x02\nk=3\n", 42));
    const ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("unclosed", "k", "x"), "1");
    EXPECT_EQ(ini.readString("", "k", "x"), "2");
    EXPECT_EQ(ini.readString("", "", "x"), "no key");
    EXPECT_EQ(ini.readString("ok", "k", "x"), "3");
}

// How long such files take is measured by scripts/bench.
TEST_F(ProfileFileTest, FilesAsLargeAsAreReadAreReadAndWrittenWhole)
{
    // As large as a file that is read may be, less room for the keys written.
    const int almostAll = int(MaxProfileFileBytes) - 64;

    // One line, no line break at all.
    QByteArray line = "[big]\nk=" + QByteArray(almostAll - 8, 'v');
    put(iniPath(), line);
    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("big", "k", "").size(), almostAll - 8);
    EXPECT_EQ(ini.readString("big", "missing", "d"), "d");
    ini.writeString("big", "j", "2");
    EXPECT_EQ(get(iniPath()).size(), line.size() + 4);
    ini.writeString("big", "k", "short");
    EXPECT_EQ(get(iniPath()), "[big]\nk=short\nj=2");

    // Short lines; the key sought is at the end.
    QByteArray many;
    many.reserve(almostAll);
    many += "[s]\r";
    while (many.size() < almostAll - 16)
        many += "key=value\r";
    many += "last=1";
    put(iniPath(), many);
    EXPECT_EQ(ini.readString("s", "last", ""), "1");
    ini.writeString("s", "new", "2");
    ini.writeString("t", "new", "3");
    EXPECT_EQ(ini.readString("s", "new", ""), "2");
    EXPECT_EQ(ini.readString("t", "new", ""), "3");
    EXPECT_TRUE(get(iniPath()).endsWith("last=1\rnew=2\r\r[t]\rnew=3\r"));
}

TEST_F(ProfileFileTest, AUtf16FileKeepsEveryUnitItDoesNotChange)
{
    // A lone surrogate and an odd last byte: no UTF-16 a decoder would pass.
    const QString text = QStringLiteral("[a]\r\nk=1\r\n;") + QChar(0xD800) + QStringLiteral("\r\n");
    const auto bytesOf = [](const QString &t, bool bigEndian) {
        QByteArray b = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const QChar c : t) {
            const char high = char(c.unicode() >> 8);
            const char low = char(c.unicode());
            b.append(bigEndian ? high : low).append(bigEndian ? low : high);
        }
        return b + "A";
    };
    for (const bool bigEndian : {false, true}) {
        put(iniPath(), bytesOf(text, bigEndian));
        ProfileFile ini(iniPath());
        EXPECT_EQ(ini.readString("a", "k", "?"), "1");
        ini.writeString("a", "k", "2");
        EXPECT_EQ(get(iniPath()), bytesOf(QString(text).replace("k=1", "k=2"), bigEndian)) << bigEndian;
    }
}

// ---- the text functions alone -------------------------------------------

TEST(IniTextTest, WritingKeysTogetherIsWritingThemOneByOne)
{
    // Texts and keys from a few pieces, so that names meet, case differs,
    // sections repeat and lines end every way, with or without a last break.
    const QStringList pieces{"[a]", "[A ]", "[b]", "k=1", " K =2", "m=", "j", "; c", "", "=v", "[]", "[a"};
    const QStringList breaks{"\n", "\r\n", "\r"};
    const QStringList names{"a", "A", "b", "c", ""};
    const QStringList keys{"k", "K", "m", "n", ""};
    QRandomGenerator random(20261208);
    const auto any = [&random](const QStringList &list) { return list[int(random.bounded(qsizetype(list.size())))]; };
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int lines = int(random.bounded(8));
        for (int i = 0; i < lines; ++i)
            text += any(pieces) + (i + 1 < lines || random.bounded(2) ? any(breaks) : QString());
        std::vector<IniWrite> writes;
        QString oneByOne = text;
        const int count = 1 + int(random.bounded(6));
        for (int i = 0; i < count; ++i) {
            writes.push_back({any(names), any(keys), QString::number(i)});
            oneByOne = withIniValue(oneByOne, writes.back().section, writes.back().key, writes.back().value);
        }
        ASSERT_EQ(withIniValues(text, writes), oneByOne) << "round " << round << ", text: " << text.toStdString();
    }
}

TEST(IniTextTest, WhatIsWrittenIsWhatIsRead)
{
    QString text;
    const QStringList sections{"general", "wave1", "General", "wave2"};
    for (const QString &s : sections) {
        for (const QString &k : {QStringLiteral("Width"), QStringLiteral("Color"), QStringLiteral("width")}) {
            text = withIniValue(text, s, k, s + k);
            EXPECT_EQ(findIniValue(text, s, k), s + k);
        }
    }
    // Names differing only in case are one name: the last write wins.
    EXPECT_EQ(findIniValue(text, u"GENERAL", u"WIDTH"), "Generalwidth");
    EXPECT_EQ(findIniValue(text, u"wave1", u"Color"), "wave1Color");
    EXPECT_EQ(text.count(u'['), 3);
    EXPECT_EQ(findIniValue(text, u"wave3", u"Color"), std::nullopt);
}

TEST(IniTextTest, NamesAreComparedTrimmed)
{
    const QString text = withIniValue(u"", u" general ", u" Key ", u"1");
    EXPECT_EQ(text, "[general]\nKey=1\n");
    EXPECT_EQ(findIniValue(text, u"general", u"Key"), "1");
    EXPECT_EQ(withIniValue(text, u"general ", u" key", u"2"), "[general]\nKey=2\n");
}

} // namespace

namespace {

TEST_F(ProfileFileTest, AnUpdateReachesTheDiskWholeAtItsEnd)
{
    put(iniPath(), "; kept\n[general]\nBGColor=clRed\n[other]\nx=1\n");
    const QByteArray before = get(iniPath());
    ProfileFile ini(iniPath());
    ini.beginUpdate();
    ini.writeString("general", "BGColor", "clBlue");
    ini.writeString("wave1", "Width", "3");
    EXPECT_EQ(ini.readString("general", "bgcolor", "?"), "clBlue") << "reads see the gathered writes";
    EXPECT_EQ(get(iniPath()), before) << "nothing reaches the disk before the end";
    ini.endUpdate();
    EXPECT_EQ(get(iniPath()), "; kept\n[general]\nBGColor=clBlue\n[other]\nx=1\n\n[wave1]\nWidth=3\n");
    ini.writeString("general", "BGColor", "clLime");
    EXPECT_EQ(ProfileFile(iniPath()).readString("general", "BGColor", "?"), "clLime")
        << "after the end, writes go straight to disk";
}

TEST_F(ProfileFileTest, AFailedUpdateLeavesTheOldFile)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("Visual.ini"));
    ProfileFile dirIni(iniPath());
    EXPECT_EQ(writeErrorOf([&] { dirIni.beginUpdate(); }), expectedWriteError(iniPath()));
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());

    put(pathOf("plain"), "not a directory");
    ProfileFile under(pathOf("plain/Visual.ini"));
    under.beginUpdate();
    under.writeString("a", "k", "v");
    EXPECT_TRUE(writeErrorOf([&] { under.endUpdate(); }).has_value());
    EXPECT_EQ(get(pathOf("plain")), "not a directory");
}

} // namespace

namespace {

TEST_F(ProfileFileTest, AByteOrderMarkDoesNotHideTheFirstSection)
{
    put(iniPath(), "\xEF\xBB\xBF[general]\r\nBGColor=clBlue\r\n");
    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("general", "BGColor", "?"), "clBlue");
    ini.writeString("general", "BGColor", "clRed");
    EXPECT_EQ(get(iniPath()), "[general]\r\nBGColor=clRed\r\n") << "one section, not a second one";
}

} // namespace
