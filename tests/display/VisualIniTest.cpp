#include "DefaultIniText.h"
#include "DisplayTestSupport.h"
#include "support/Files.h"

#include "display/VisualIni.h"
#include "platform/ColorText.h"
#include "platform/ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class VisualIniTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString iniPath() const { return dir.filePath(QStringLiteral("Visual.ini")); }

    static void put(const QString &path, const QByteArray &bytes) { putFile(path, bytes); }

    static QString text(const QString &path) { return QString::fromLatin1(fileBytes(path)); }

    QString value(const QString &section, const QString &key) const
    {
        return ProfileFile(iniPath()).readString(section, key, QStringLiteral("<missing>"));
    }

    DisplaySettings load(const QByteArray &file)
    {
        put(iniPath(), file);
        DisplaySettings s;
        loadDisplaySettings(iniPath(), s);
        return s;
    }

    QTemporaryDir dir;
};

TEST_F(VisualIniTest, WithoutAFileTheDefaultsAreLoadedAndEveryKeyIsWritten)
{
    DisplaySettings s;
    loadDisplaySettings(iniPath(), s);
    EXPECT_FALSE(QFile::exists(iniPath())) << "loading makes no file";
    EXPECT_EQ(s.bgColor, colors::White);
    EXPECT_EQ(s.axisPen, (Pen{colors::Silver, 0, 1}));
    EXPECT_EQ(s.mainWavePen, (Pen{colors::Black, 0, 2}));
    EXPECT_EQ(s.vertLinePen, (Pen{colors::Silver, 0, 1}));
    for (const Pen &p : s.wavePens)
        EXPECT_EQ(p, (Pen{colors::Red, 0, 1}));
    EXPECT_FALSE(s.visibleVertLines);
    EXPECT_EQ(s.numOfVertLines, 2);

    saveDisplaySettings(iniPath(), s);
    EXPECT_EQ(text(iniPath()), defaultIniText());
}

TEST_F(VisualIniTest, ModePensDefaultToTheDefaultPenAsRead)
{
    DisplaySettings s = load("[general]\nDefaultColor=clBlue\n");
    for (const Pen &p : s.wavePens)
        EXPECT_EQ(p, (Pen{colors::Blue, 0, 1}));

    s = load("[general]\nDefaultWidth=3\nDefaultStyle=2\nDefaultColor=$00123456\n"
             "[wave2]\nColor=clLime\n[wave20]\nWidth=0\nStyle=4\n");
    EXPECT_EQ(s.wavePens[0], (Pen{0x00123456, 2, 3}));
    EXPECT_EQ(s.wavePens[1], (Pen{0x00123456, 2, 3}));
    EXPECT_EQ(s.wavePens[2], (Pen{colors::Lime, 2, 3}));
    EXPECT_EQ(s.wavePens[20], (Pen{0x00123456, 4, 0}));
}

TEST_F(VisualIniTest, ColourTextsReadAndAreWrittenBackByName)
{
    DisplaySettings s = load("[wave3]\nColor=clblue\n[wave4]\nColor=$0000FF00\n[wave5]\nColor=16711680\n"
                             "[wave6]\nColor=$00FF8000\n[wave7]\nColor=CLBTNFACE\n");
    EXPECT_EQ(s.wavePens[3].color, colors::Blue);
    EXPECT_EQ(s.wavePens[4].color, colors::Lime);
    EXPECT_EQ(s.wavePens[5].color, colors::Blue);
    EXPECT_EQ(s.wavePens[6].color, 0x00FF8000u);
    EXPECT_EQ(s.wavePens[7].color, colors::BtnFace);

    saveDisplaySettings(iniPath(), s);
    EXPECT_EQ(value("wave3", "Color"), "clBlue");
    EXPECT_EQ(value("wave4", "Color"), "clLime");
    EXPECT_EQ(value("wave5", "Color"), "clBlue");
    EXPECT_EQ(value("wave6", "Color"), "$00FF8000");
    EXPECT_EQ(value("wave7", "Color"), "clBtnFace");
}

TEST_F(VisualIniTest, WidthsFromTheFile)
{
    struct Case {
        const char *text;
        int width;
    };
    const Case cases[] = {
        {"0x10", 16}, {"$10", 16}, {"abc", 1}, {"", 1}, {"-3", 1}, {"0", 0}, {"7", 7}, {"1.5", 1},
    };
    for (const Case &c : cases) {
        const DisplaySettings s = load(QByteArray("[general]\nAxisWidth=") + c.text + "\n");
        EXPECT_EQ(s.axisPen.width, c.width) << "AxisWidth=" << c.text;
    }
    // A width that is no integer gives the key's default; a negative one is
    // ignored, leaving the width of a pen made for loading.
    EXPECT_EQ(load("[general]\nMainWaveWidth=abc\n").mainWavePen.width, 2);
    EXPECT_EQ(load("[general]\nMainWaveWidth=-1\n").mainWavePen.width, 1);
    EXPECT_EQ(load("[wave9]\nWidth=-8\n").wavePens[9].width, 1);
}

TEST_F(VisualIniTest, StyleNumbersAreKeptAsRead)
{
    DisplaySettings s = load("[general]\nAxisStyle=7\nVertLineStyle=-1\n[wave2]\nStyle=3\n");
    EXPECT_EQ(s.axisPen.style, 7);
    EXPECT_EQ(s.vertLinePen.style, -1);
    EXPECT_EQ(s.wavePens[2].style, 3);
    saveDisplaySettings(iniPath(), s);
    EXPECT_EQ(value("general", "AxisStyle"), "7");
    EXPECT_EQ(value("general", "VertLineStyle"), "-1");
}

TEST_F(VisualIniTest, GuideLineKeysAreTakenAsTheFileGivesThem)
{
    DisplaySettings s = load("[general]\nVisibleVertLines=2\nNumOfVertLines=500\n");
    EXPECT_TRUE(s.visibleVertLines);
    EXPECT_EQ(s.numOfVertLines, 500) << "the count box brings it into range, not the loader";
    s.numOfVertLines = 99;
    saveDisplaySettings(iniPath(), s);
    EXPECT_EQ(value("general", "VisibleVertLines"), "1");
    EXPECT_EQ(value("general", "NumOfVertLines"), "99");

    s = load("[general]\nVisibleVertLines=yes\nNumOfVertLines=many\n");
    EXPECT_FALSE(s.visibleVertLines);
    EXPECT_EQ(s.numOfVertLines, 2);
}

TEST_F(VisualIniTest, UnknownKeysAndSectionsSurviveASave)
{
    put(iniPath(), "; my notes\n[general]\nAxisWidth=3\nFoo=bar\n[mine]\nx=1\n[wave2]\nExtra=yes\n");
    DisplaySettings s;
    loadDisplaySettings(iniPath(), s);
    saveDisplaySettings(iniPath(), s);
    const QString saved = text(iniPath());
    EXPECT_TRUE(saved.startsWith("; my notes\n[general]\nAxisWidth=3\nFoo=bar\n")) << saved.toStdString();
    EXPECT_EQ(value("mine", "x"), "1");
    EXPECT_EQ(value("wave2", "Extra"), "yes");
    EXPECT_EQ(value("wave20", "Style"), "0");
}

TEST_F(VisualIniTest, ABadColourStopsLoadingAtItsKey)
{
    put(iniPath(),
        "[general]\nBGColor=clNavy\nAxisWidth=4\nAxisColor=xyz\nAxisStyle=3\nMainWaveWidth=5\n"
        "VisibleVertLines=1\nNumOfVertLines=9\nDefaultColor=clBlue\n[wave1]\nWidth=7\n");
    DisplaySettings s;
    try {
        loadDisplaySettings(iniPath(), s);
        FAIL() << "no error";
    } catch (const ConvertError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'xyz' は整数ではありません"));
    }
    EXPECT_EQ(s.bgColor, colors::Navy);
    EXPECT_EQ(s.axisPen, (Pen{colors::Silver, 0, 4})) << "the width before the bad colour is applied";
    EXPECT_EQ(s.mainWavePen, (Pen{colors::Black, 0, 2}));
    EXPECT_FALSE(s.visibleVertLines);
    EXPECT_EQ(s.numOfVertLines, 2) << "the count after the bad colour keeps its value";
    for (const Pen &p : s.wavePens)
        EXPECT_EQ(p, (Pen{colors::Red, 0, 1}));
}

TEST_F(VisualIniTest, ABadColourInAModeSectionLeavesEveryPenWhole)
{
    put(iniPath(), "[general]\nDefaultColor=clBlue\n[wave1]\nColor=clLime\n[wave2]\nWidth=4\nColor=\n");
    DisplaySettings s;
    try {
        loadDisplaySettings(iniPath(), s);
        FAIL() << "no error";
    } catch (const ConvertError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'' は整数ではありません"));
    }
    EXPECT_EQ(s.wavePens[0], (Pen{colors::Blue, 0, 1}));
    EXPECT_EQ(s.wavePens[1], (Pen{colors::Lime, 0, 1}));
    EXPECT_EQ(s.wavePens[2], (Pen{colors::Red, 0, 4}));
    for (int k = 3; k <= 20; ++k)
        EXPECT_EQ(s.wavePens[std::size_t(k)], (Pen{colors::Red, 0, 1})) << k;
}

} // namespace
