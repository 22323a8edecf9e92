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
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString PathOf(const QString &name) const { return dir_.filePath(name); }
    QString IniPath() const { return PathOf(QStringLiteral("Visual.ini")); }

    static void Put(const QString &path, const QByteArray &bytes) { PutFile(path, bytes); }

    static QByteArray Get(const QString &path) { return FileBytes(path); }

    // The bytes after writing one key into a file holding `before`.
    QByteArray AfterWrite(const QByteArray &before, const QString &section, const QString &key, const QString &value)
    {
        Put(IniPath(), before);
        TProfileFile(IniPath()).WriteString(section, key, value);
        return Get(IniPath());
    }

    QStringList Entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir dir_;
};

QString ExpectedWriteError(const QString &path)
{
    return QFileInfo(path).absoluteFilePath() + QStringLiteral(" に書き込めません");
}

// The message of the write error thrown by the call, or nothing when none is thrown.
template <typename Call> std::optional<QString> WriteErrorOf(Call &&call)
{
    try {
        call();
    } catch (const TProfileWriteError &e) {
        return e.Message();
    }
    return std::nullopt;
}

// ---- reading ------------------------------------------------------------

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    const TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("general", "BGColor", "clWhite"), "clWhite");
    EXPECT_FALSE(QFile::exists(IniPath())) << "reading must not make the file";

    Put(IniPath(), "[general]\nAxisWidth=3\n");
    EXPECT_EQ(ini.ReadString("general", "AxisWidth", "1"), "3");
    EXPECT_EQ(ini.ReadString("general", "AxisStyle", "0"), "0");
    EXPECT_EQ(ini.ReadString("wave1", "AxisWidth", "7"), "7");
}

TEST_F(ProfileFileTest, MakingTheObjectTouchesNothing)
{
    {
        TProfileFile ini(IniPath());
        TProfileFile inMissingDir(PathOf("no/such/dir/Visual.ini"));
    }
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(ProfileFileTest, NamesIgnoreLetterCaseAndValuesAreTrimmed)
{
    Put(IniPath(), "[GeNeRaL]\n  bgcolor  =   clBlue \t \n[ Wave3 ]\nCOLOR=clRed\n");
    const TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("general", "BGColor", "x"), "clBlue");
    EXPECT_EQ(ini.ReadString("GENERAL", "BGCOLOR", "x"), "clBlue");
    EXPECT_EQ(ini.ReadString("wave3", "Color", "x"), "clRed");
}

TEST_F(ProfileFileTest, AnEmptyValueIsAValue)
{
    Put(IniPath(), "[a]\nk=\nj=   \n");
    const TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("a", "k", "dflt"), "");
    EXPECT_EQ(ini.ReadString("a", "j", "dflt"), "");
}

TEST_F(ProfileFileTest, EveryKindOfLineEndReads)
{
    const TProfileFile ini(IniPath());
    for (const QByteArray &text :
         {QByteArray("[a]\nk=1\nm=2\n[b]\nk=3"), QByteArray("[a]\r\nk=1\r\nm=2\r\n[b]\r\nk=3\r\n"),
          QByteArray("[a]\rk=1\rm=2\r[b]\rk=3\r"), QByteArray("[a]\r\nk=1\nm=2\r[b]\nk=3")}) {
        Put(IniPath(), text);
        EXPECT_EQ(ini.ReadString("a", "k", "x"), "1") << text.toStdString();
        EXPECT_EQ(ini.ReadString("a", "m", "x"), "2") << text.toStdString();
        EXPECT_EQ(ini.ReadString("b", "k", "x"), "3") << text.toStdString();
    }
}

TEST_F(ProfileFileTest, CommentsStrayLinesAndKeysBeforeAnySectionAreNotKeys)
{
    Put(IniPath(), "k=0\n[a]\n;k=1\n  ; m=2\nno equals sign\nk=3\n");
    const TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("a", "k", "x"), "3");
    EXPECT_EQ(ini.ReadString("a", "m", "x"), "x");
    EXPECT_EQ(ini.ReadString("a", ";k", "x"), "x");
    EXPECT_EQ(ini.ReadString("a", "no equals sign", "x"), "x");
}

TEST_F(ProfileFileTest, FirstOccurrenceWinsAndRepeatedSectionsReadAsOne)
{
    Put(IniPath(), "[a]\nk=first\nk=second\n[b]\nk=other\n[A]\nk=third\nm=late\n");
    const TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("a", "k", "x"), "first");
    EXPECT_EQ(ini.ReadString("a", "m", "x"), "late");
    EXPECT_EQ(ini.ReadString("b", "k", "x"), "other");
}

TEST_F(ProfileFileTest, ValuesKeepEqualsSignsAndLatin1Bytes)
{
    Put(IniPath(), QByteArray("[a]\nk=x=y\nm=caf\xE9\xA0\n"));
    const TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("a", "k", ""), "x=y");
    // 0xA0 is no ASCII blank, so it is part of the value.
    EXPECT_EQ(ini.ReadString("a", "m", ""), QString::fromLatin1("caf\xE9\xA0"));
}

TEST_F(ProfileFileTest, ADirectoryOrUnreadablePathReadsAsMissing)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Visual.ini"));
    EXPECT_EQ(TProfileFile(IniPath()).ReadString("general", "BGColor", "clWhite"), "clWhite");
}

// ---- writing ------------------------------------------------------------

TEST_F(ProfileFileTest, WriteMakesFileSectionAndKey)
{
    TProfileFile ini(IniPath());
    ini.WriteString("general", "BGColor", "clWhite");
    EXPECT_EQ(Get(IniPath()), "[general]\nBGColor=clWhite\n");
    ini.WriteString("general", "AxisWidth", "1");
    ini.WriteString("wave1", "Width", "1");
    EXPECT_EQ(Get(IniPath()), "[general]\nBGColor=clWhite\nAxisWidth=1\n\n[wave1]\nWidth=1\n");
}

TEST_F(ProfileFileTest, WriteReplacesTheValueOnItsOwnLine)
{
    EXPECT_EQ(AfterWrite("; top\n[general]\nBGColor=clRed\nAxisWidth=3\n", "general", "BGColor", "clBlue"),
              "; top\n[general]\nBGColor=clBlue\nAxisWidth=3\n");
    // The key keeps its spelling and the blanks around the '='.
    EXPECT_EQ(AfterWrite("[GENERAL]\n  bgcolor =  clRed  \r\nX=1\r\n", "general", "BGColor", "clBlue"),
              "[GENERAL]\n  bgcolor =  clBlue  \r\nX=1\r\n");
    EXPECT_EQ(AfterWrite("[a]\nk=\nm=1", "a", "k", "v"), "[a]\nk=v\nm=1");
    EXPECT_EQ(AfterWrite("[a]\nk=old", "a", "k", ""), "[a]\nk=");
    // Only the first of two lines of the key changes, as only it is read.
    EXPECT_EQ(AfterWrite("[a]\nk=1\nk=2\n[A]\nk=3\n", "A", "K", "9"), "[a]\nk=9\nk=2\n[A]\nk=3\n");
}

TEST_F(ProfileFileTest, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    EXPECT_EQ(AfterWrite("[a]\nk=1\n\n; about b\n[b]\nj=2\n", "a", "m", "5"), "[a]\nk=1\nm=5\n\n; about b\n[b]\nj=2\n");
    EXPECT_EQ(AfterWrite("[a]\n\n[b]\n", "a", "m", "5"), "[a]\nm=5\n\n[b]\n");
    EXPECT_EQ(AfterWrite("[a]\r\nk=1\r\n[b]\r\n", "a", "m", "5"), "[a]\r\nk=1\r\nm=5\r\n[b]\r\n");
    EXPECT_EQ(AfterWrite("[a]\rk=1\r[b]\r", "a", "m", "5"), "[a]\rk=1\rm=5\r[b]\r");
    // A last line without a line break gets one; the file still ends without.
    EXPECT_EQ(AfterWrite("[x]\r\n[a]\nk=1", "a", "m", "5"), "[x]\r\n[a]\nk=1\nm=5");
    EXPECT_EQ(AfterWrite("[a]", "a", "m", "5"), "[a]\nm=5");
    // A repeated section gets the key in its first occurrence, where it is read.
    EXPECT_EQ(AfterWrite("[a]\nk=1\n[b]\n[a]\nj=2\n", "a", "m", "5"), "[a]\nk=1\nm=5\n[b]\n[a]\nj=2\n");
}

TEST_F(ProfileFileTest, NewSectionGoesAtTheEndAfterABlankLine)
{
    EXPECT_EQ(AfterWrite("[a]\nk=1\n", "b", "m", "5"), "[a]\nk=1\n\n[b]\nm=5\n");
    EXPECT_EQ(AfterWrite("[a]\nk=1", "b", "m", "5"), "[a]\nk=1\n\n[b]\nm=5\n");
    EXPECT_EQ(AfterWrite("[a]\nk=1\n\n", "b", "m", "5"), "[a]\nk=1\n\n[b]\nm=5\n");
    EXPECT_EQ(AfterWrite("[a]\r\nk=1\r\n", "b", "m", "5"), "[a]\r\nk=1\r\n\r\n[b]\r\nm=5\r\n");
    EXPECT_EQ(AfterWrite("; only a comment", "b", "m", "5"), "; only a comment\n\n[b]\nm=5\n");
    EXPECT_EQ(AfterWrite("", "b", "m", "5"), "[b]\nm=5\n");
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
    EXPECT_EQ(AfterWrite(before, "general", "BGColor", "clNavy"), QByteArray(before).replace("clRed", "clNavy"));
    TProfileFile(IniPath()).WriteString("general", "AxisWidth", "2");
    EXPECT_EQ(Get(IniPath()), expected);
}

TEST_F(ProfileFileTest, AWholeSaveReadsBackKeyForKey)
{
    Put(IniPath(), "[user]\nnote=hello\n[general]\nBGColor=clRed\nFuture=1\n");
    TProfileFile ini(IniPath());
    auto valueOf = [](int s, int k) { return QStringLiteral("v%1_%2").arg(s).arg(k); };
    for (int s = 0; s <= 20; ++s) {
        const QString section = s == 0 ? QStringLiteral("general") : QStringLiteral("wave%1").arg(s);
        for (int k = 0; k < (s == 0 ? 15 : 3); ++k)
            ini.WriteString(section, QStringLiteral("Key%1").arg(k), valueOf(s, k));
    }
    // Writing again changes nothing that was written last time.
    const QByteArray once = Get(IniPath());
    ini.WriteString("wave20", "Key2", valueOf(20, 2));
    EXPECT_EQ(Get(IniPath()), once);

    const TProfileFile again(IniPath());
    for (int s = 0; s <= 20; ++s) {
        const QString section = s == 0 ? QStringLiteral("general") : QStringLiteral("wave%1").arg(s);
        for (int k = 0; k < (s == 0 ? 15 : 3); ++k)
            EXPECT_EQ(again.ReadString(section, QStringLiteral("Key%1").arg(k), "missing"), valueOf(s, k));
    }
    EXPECT_EQ(again.ReadString("user", "note", ""), "hello");
    EXPECT_EQ(again.ReadString("general", "BGColor", ""), "clRed");
    EXPECT_EQ(again.ReadString("general", "Future", ""), "1");
    EXPECT_TRUE(once.startsWith("[user]\nnote=hello\n[general]\nBGColor=clRed\nFuture=1\nKey0=v0_0\n"));
    EXPECT_EQ(once.count("[wave"), 20);
    EXPECT_EQ(Entries(), QStringList{"Visual.ini"}) << "no temporary file may be left behind";
}

// ---- failed writes ------------------------------------------------------

TEST_F(ProfileFileTest, APathThatIsADirectoryCannotBeWritten)
{
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Visual.ini/inside"));
    TProfileFile ini(IniPath());
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("general", "BGColor", "clWhite"); }), ExpectedWriteError(IniPath()));
    EXPECT_TRUE(QFileInfo(IniPath()).isDir());
    EXPECT_TRUE(QFileInfo(PathOf("Visual.ini/inside")).isDir());
    EXPECT_EQ(Entries(), QStringList{"Visual.ini"});
}

TEST_F(ProfileFileTest, APathUnderARegularFileCannotBeWritten)
{
    Put(PathOf("plain"), "not a directory");
    const QString path = PathOf("plain/Visual.ini");
    TProfileFile ini(path);
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("general", "BGColor", "clWhite"); }), ExpectedWriteError(path));
    EXPECT_EQ(Get(PathOf("plain")), "not a directory");
}

TEST_F(ProfileFileTest, TheErrorNamesTheFullPath)
{
    const QString relative
        = QStringLiteral("velmora-no-such-dir-%1/Visual.ini").arg(QRandomGenerator::global()->generate());
    TProfileFile ini(relative);
    const std::optional<QString> message = WriteErrorOf([&] { ini.WriteString("a", "k", "v"); });
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, QDir::current().absoluteFilePath(relative) + QStringLiteral(" に書き込めません"));
    EXPECT_TRUE(QFileInfo(message->section(' ', 0, 0)).isAbsolute());
}

TEST_F(ProfileFileTest, AReadOnlyDirectoryHasItsFileRewrittenInPlaceButNoFileMade)
{
    const QByteArray before("[general]\r\nBGColor=clRed\r\n; keep\r\n");
    Put(IniPath(), before);
    QFile::Permissions dirPerms = QFile::permissions(dir_.path());
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner));
    struct Restore {
        QString path;
        QFile::Permissions perms;
        ~Restore() { QFile::setPermissions(path, perms); }
    } restore{dir_.path(), dirPerms};

    QFile probe(PathOf("probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        GTEST_SKIP() << "permissions do not stop this user from writing (root)";
    }
    TProfileFile(IniPath()).WriteString("general", "BGColor", "clBlue");
    EXPECT_EQ(Get(IniPath()), QByteArray(before).replace("clRed", "clBlue"));
    TProfileFile other(PathOf("Other.ini"));
    EXPECT_EQ(WriteErrorOf([&] { other.WriteString("general", "BGColor", "clBlue"); }),
              ExpectedWriteError(PathOf("Other.ini")));
    EXPECT_EQ(Entries(), QStringList{"Visual.ini"});
}

TEST_F(ProfileFileTest, AReadOnlyFileIsNotReplaced)
{
    const QByteArray before("[general]\nBGColor=clRed\n");
    Put(IniPath(), before);
    ASSERT_TRUE(QFile::setPermissions(IniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (QFileInfo(IniPath()).isWritable())
        GTEST_SKIP() << "permissions do not stop this user from writing (root)";
    TProfileFile ini(IniPath());
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("general", "BGColor", "clBlue"); }), ExpectedWriteError(IniPath()));
    EXPECT_EQ(Get(IniPath()), before);
    EXPECT_EQ(Entries(), QStringList{"Visual.ini"});
}

TEST_F(ProfileFileTest, ARewrittenFileKeepsItsPermissions)
{
    Put(IniPath(), "[general]\nBGColor=clRed\n");
    const QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(IniPath(), perms));
    TProfileFile(IniPath()).WriteString("general", "BGColor", "clBlue");
    EXPECT_EQ(QFile::permissions(IniPath()) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), perms);
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
    bool Ok() const { return ok_; }

private:
    rlimit old_{};
    bool ok_ = false;
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(ProfileFileTest, AWriteThatRunsOutOfSpaceLeavesTheOldFileAsItWas)
{
    const QByteArray before("[general]\nBGColor=clRed\n[wave1]\nWidth=3\n");
    Put(IniPath(), before);
    TProfileFile ini(IniPath());
    std::optional<QString> message;
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Ok());
        message = WriteErrorOf([&] { ini.WriteString("general", "BGColor", QString(100000, u'A')); });
    }
    EXPECT_EQ(message, ExpectedWriteError(IniPath()));
    EXPECT_EQ(Get(IniPath()), before);
    EXPECT_EQ(Entries(), QStringList{"Visual.ini"});
    // Once there is room again the same write goes through.
    ini.WriteString("general", "BGColor", QString(100000, u'A'));
    EXPECT_EQ(ini.ReadString("general", "BGColor", "").size(), 100000);
}

TEST_F(ProfileFileTest, AnExistingFileThatCannotBeReadIsNotOverwritten)
{
    const QByteArray before("[general]\nBGColor=clRed\nOther=1\n");
    Put(IniPath(), before);
    ASSERT_TRUE(QFile::setPermissions(IniPath(), QFile::WriteOwner));
    QFile probe(IniPath());
    if (probe.open(QIODevice::ReadOnly)) {
        QFile::setPermissions(IniPath(), QFile::ReadOwner | QFile::WriteOwner);
        GTEST_SKIP() << "permissions do not stop this user from reading (root)";
    }
    TProfileFile ini(IniPath());
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("general", "BGColor", "clBlue"); }), ExpectedWriteError(IniPath()));
    ASSERT_TRUE(QFile::setPermissions(IniPath(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(Get(IniPath()), before);
}

TEST_F(ProfileFileTest, TextThatWouldBreakTheLinesIsRefused)
{
    const QByteArray before("[a]\nk=1\n");
    Put(IniPath(), before);
    TProfileFile ini(IniPath());
    const QString expected = ExpectedWriteError(IniPath());
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("a", "k", "1\n[evil]\nx=1"); }), expected);
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("a", "k", "1\r2"); }), expected);
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("a]x", "k", "1"); }), expected);
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("a", "k=j", "1"); }), expected);
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("a", ";k", "1"); }), expected);
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("a", " [k", "1"); }), expected);
    EXPECT_EQ(WriteErrorOf([&] { ini.WriteString("a", "k", QStringLiteral("色")); }), expected);
    EXPECT_EQ(Get(IniPath()), before);
    // An '=' or ';' inside the value is fine.
    ini.WriteString("a", "k", "x=;y");
    EXPECT_EQ(ini.ReadString("a", "k", ""), "x=;y");
}

// ---- malformed files ----------------------------------------------------

TEST_F(ProfileFileTest, RandomBytesWithNulsReadAndKeepTheirBytes)
{
    QRandomGenerator random(20240611);
    QByteArray junk(256 * 1024, '\0');
    random.fillRange(reinterpret_cast<quint32 *>(junk.data()), junk.size() / 4);
    junk.append('\0');

    Put(IniPath(), junk);
    TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("velmora-test", "Key", "dflt"), "dflt");
    ini.WriteString("velmora-test", "Key", "v1");
    const QByteArray after = Get(IniPath());
    EXPECT_TRUE(after.startsWith(junk));
    EXPECT_EQ(ini.ReadString("velmora-test", "Key", "dflt"), "v1");

    // A key among the junk is found and replaced without touching its neighbours.
    const QByteArray framed = junk + QByteArray("\n[s]\nk=old\0tail\n", 16) + junk;
    Put(IniPath(), framed);
    EXPECT_EQ(ini.ReadString("s", "k", ""), QString::fromLatin1("old\0tail", 8));
    ini.WriteString("s", "k", "new");
    EXPECT_EQ(Get(IniPath()), junk + "\n[s]\nk=new\n" + junk);
}

TEST_F(ProfileFileTest, BrokenLinesDoNotHideTheRest)
{
    Put(IniPath(), QByteArray("[unclosed\nk=1\n[]\nk=2\n=no key\n[ok]\n\x00\x01\x02\nk=3\n", 42));
    const TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("unclosed", "k", "x"), "1");
    EXPECT_EQ(ini.ReadString("", "k", "x"), "2");
    EXPECT_EQ(ini.ReadString("", "", "x"), "no key");
    EXPECT_EQ(ini.ReadString("ok", "k", "x"), "3");
}

// How long such files take is measured by scripts/bench.
TEST_F(ProfileFileTest, FilesAsLargeAsAreReadAreReadAndWrittenWhole)
{
    // As large as a file that is read may be, less room for the keys written.
    const int almostAll = int(MaxProfileFileBytes) - 64;

    // One line, no line break at all.
    QByteArray line = "[big]\nk=" + QByteArray(almostAll - 8, 'v');
    Put(IniPath(), line);
    TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("big", "k", "").size(), almostAll - 8);
    EXPECT_EQ(ini.ReadString("big", "missing", "d"), "d");
    ini.WriteString("big", "j", "2");
    EXPECT_EQ(Get(IniPath()).size(), line.size() + 4);
    ini.WriteString("big", "k", "short");
    EXPECT_EQ(Get(IniPath()), "[big]\nk=short\nj=2");

    // Short lines; the key sought is at the end.
    QByteArray many;
    many.reserve(almostAll);
    many += "[s]\r";
    while (many.size() < almostAll - 16)
        many += "key=value\r";
    many += "last=1";
    Put(IniPath(), many);
    EXPECT_EQ(ini.ReadString("s", "last", ""), "1");
    ini.WriteString("s", "new", "2");
    ini.WriteString("t", "new", "3");
    EXPECT_EQ(ini.ReadString("s", "new", ""), "2");
    EXPECT_EQ(ini.ReadString("t", "new", ""), "3");
    EXPECT_TRUE(Get(IniPath()).endsWith("last=1\rnew=2\r\r[t]\rnew=3\r"));
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
        Put(IniPath(), bytesOf(text, bigEndian));
        TProfileFile ini(IniPath());
        EXPECT_EQ(ini.ReadString("a", "k", "?"), "1");
        ini.WriteString("a", "k", "2");
        EXPECT_EQ(Get(IniPath()), bytesOf(QString(text).replace("k=1", "k=2"), bigEndian)) << bigEndian;
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
        std::vector<TIniWrite> writes;
        QString oneByOne = text;
        const int count = 1 + int(random.bounded(6));
        for (int i = 0; i < count; ++i) {
            writes.push_back({any(names), any(keys), QString::number(i)});
            oneByOne = WithIniValue(oneByOne, writes.back().Section, writes.back().Key, writes.back().Value);
        }
        ASSERT_EQ(WithIniValues(text, writes), oneByOne) << "round " << round << ", text: " << text.toStdString();
    }
}

TEST(IniTextTest, WhatIsWrittenIsWhatIsRead)
{
    QString text;
    const QStringList sections{"general", "wave1", "General", "wave2"};
    for (const QString &s : sections) {
        for (const QString &k : {QStringLiteral("Width"), QStringLiteral("Color"), QStringLiteral("width")}) {
            text = WithIniValue(text, s, k, s + k);
            EXPECT_EQ(FindIniValue(text, s, k), s + k);
        }
    }
    // Names differing only in case are one name: the last write wins.
    EXPECT_EQ(FindIniValue(text, u"GENERAL", u"WIDTH"), "Generalwidth");
    EXPECT_EQ(FindIniValue(text, u"wave1", u"Color"), "wave1Color");
    EXPECT_EQ(text.count(u'['), 3);
    EXPECT_EQ(FindIniValue(text, u"wave3", u"Color"), std::nullopt);
}

TEST(IniTextTest, NamesAreComparedTrimmed)
{
    const QString text = WithIniValue(u"", u" general ", u" Key ", u"1");
    EXPECT_EQ(text, "[general]\nKey=1\n");
    EXPECT_EQ(FindIniValue(text, u"general", u"Key"), "1");
    EXPECT_EQ(WithIniValue(text, u"general ", u" key", u"2"), "[general]\nKey=2\n");
}

} // namespace

namespace {

TEST_F(ProfileFileTest, AnUpdateReachesTheDiskWholeAtItsEnd)
{
    Put(IniPath(), "; kept\n[general]\nBGColor=clRed\n[other]\nx=1\n");
    const QByteArray before = Get(IniPath());
    TProfileFile ini(IniPath());
    ini.BeginUpdate();
    ini.WriteString("general", "BGColor", "clBlue");
    ini.WriteString("wave1", "Width", "3");
    EXPECT_EQ(ini.ReadString("general", "bgcolor", "?"), "clBlue") << "reads see the gathered writes";
    EXPECT_EQ(Get(IniPath()), before) << "nothing reaches the disk before the end";
    ini.EndUpdate();
    EXPECT_EQ(Get(IniPath()), "; kept\n[general]\nBGColor=clBlue\n[other]\nx=1\n\n[wave1]\nWidth=3\n");
    ini.WriteString("general", "BGColor", "clLime");
    EXPECT_EQ(TProfileFile(IniPath()).ReadString("general", "BGColor", "?"), "clLime")
        << "after the end, writes go straight to disk";
}

TEST_F(ProfileFileTest, AFailedUpdateLeavesTheOldFile)
{
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Visual.ini"));
    TProfileFile dirIni(IniPath());
    EXPECT_EQ(WriteErrorOf([&] { dirIni.BeginUpdate(); }), ExpectedWriteError(IniPath()));
    EXPECT_TRUE(QFileInfo(IniPath()).isDir());

    Put(PathOf("plain"), "not a directory");
    TProfileFile under(PathOf("plain/Visual.ini"));
    under.BeginUpdate();
    under.WriteString("a", "k", "v");
    EXPECT_TRUE(WriteErrorOf([&] { under.EndUpdate(); }).has_value());
    EXPECT_EQ(Get(PathOf("plain")), "not a directory");
}

} // namespace

namespace {

TEST_F(ProfileFileTest, AByteOrderMarkDoesNotHideTheFirstSection)
{
    Put(IniPath(), "\xEF\xBB\xBF[general]\r\nBGColor=clBlue\r\n");
    TProfileFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("general", "BGColor", "?"), "clBlue");
    ini.WriteString("general", "BGColor", "clRed");
    EXPECT_EQ(Get(IniPath()), "[general]\r\nBGColor=clRed\r\n") << "one section, not a second one";
}

} // namespace
