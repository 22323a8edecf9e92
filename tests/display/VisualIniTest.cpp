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
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString IniPath() const { return dir_.filePath(QStringLiteral("Visual.ini")); }

    static void Put(const QString &path, const QByteArray &bytes) { PutFile(path, bytes); }

    static QString Text(const QString &path) { return QString::fromLatin1(FileBytes(path)); }

    QString Value(const QString &section, const QString &key) const
    {
        return TProfileFile(IniPath()).ReadString(section, key, QStringLiteral("<missing>"));
    }

    // Loads the file given, noting what reaches the window's two controls.
    TDisplaySettings Load(const QByteArray &file)
    {
        Put(IniPath(), file);
        TDisplaySettings s;
        LoadDisplaySettings(IniPath(), s, Controls());
        return s;
    }

    TVisualIniControls Controls()
    {
        return {[this](bool v) { shownVisible_ = v; }, [this](int n) { givenCount_ = n; }};
    }

    QTemporaryDir dir_;
    std::optional<bool> shownVisible_;
    std::optional<int> givenCount_;
};

TEST_F(VisualIniTest, WithoutAFileTheDefaultsAreLoadedAndEveryKeyIsWritten)
{
    TDisplaySettings s;
    LoadDisplaySettings(IniPath(), s, Controls());
    EXPECT_FALSE(QFile::exists(IniPath())) << "loading makes no file";
    EXPECT_EQ(s.BGColor, clWhite);
    EXPECT_EQ(s.AxisPen, (TPen{clSilver, 0, 1}));
    EXPECT_EQ(s.MainWavePen, (TPen{clBlack, 0, 2}));
    EXPECT_EQ(s.VertLinePen, (TPen{clSilver, 0, 1}));
    for (const TPen &p : s.WavePens)
        EXPECT_EQ(p, (TPen{clRed, 0, 1}));
    EXPECT_EQ(shownVisible_, false);
    EXPECT_EQ(givenCount_, 2);

    SaveDisplaySettings(IniPath(), s, 2);
    EXPECT_EQ(Text(IniPath()), DefaultIniText());
}

TEST_F(VisualIniTest, ModePensDefaultToTheDefaultPenAsRead)
{
    TDisplaySettings s = Load("[general]\nDefaultColor=clBlue\n");
    for (const TPen &p : s.WavePens)
        EXPECT_EQ(p, (TPen{clBlue, 0, 1}));

    s = Load("[general]\nDefaultWidth=3\nDefaultStyle=2\nDefaultColor=$00123456\n"
             "[wave2]\nColor=clLime\n[wave20]\nWidth=0\nStyle=4\n");
    EXPECT_EQ(s.WavePens[0], (TPen{0x00123456, 2, 3}));
    EXPECT_EQ(s.WavePens[1], (TPen{0x00123456, 2, 3}));
    EXPECT_EQ(s.WavePens[2], (TPen{clLime, 2, 3}));
    EXPECT_EQ(s.WavePens[20], (TPen{0x00123456, 4, 0}));
}

TEST_F(VisualIniTest, ColourTextsReadAndAreWrittenBackByName)
{
    TDisplaySettings s = Load("[wave3]\nColor=clblue\n[wave4]\nColor=$0000FF00\n[wave5]\nColor=16711680\n"
                              "[wave6]\nColor=$00FF8000\n[wave7]\nColor=CLBTNFACE\n");
    EXPECT_EQ(s.WavePens[3].Color, clBlue);
    EXPECT_EQ(s.WavePens[4].Color, clLime);
    EXPECT_EQ(s.WavePens[5].Color, clBlue);
    EXPECT_EQ(s.WavePens[6].Color, 0x00FF8000u);
    EXPECT_EQ(s.WavePens[7].Color, clBtnFace);

    SaveDisplaySettings(IniPath(), s, 2);
    EXPECT_EQ(Value("wave3", "Color"), "clBlue");
    EXPECT_EQ(Value("wave4", "Color"), "clLime");
    EXPECT_EQ(Value("wave5", "Color"), "clBlue");
    EXPECT_EQ(Value("wave6", "Color"), "$00FF8000");
    EXPECT_EQ(Value("wave7", "Color"), "clBtnFace");
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
        const TDisplaySettings s = Load(QByteArray("[general]\nAxisWidth=") + c.text + "\n");
        EXPECT_EQ(s.AxisPen.Width, c.width) << "AxisWidth=" << c.text;
    }
    // A width that is no integer gives the key's default; a negative one is
    // ignored, leaving the width of a pen made for loading.
    EXPECT_EQ(Load("[general]\nMainWaveWidth=abc\n").MainWavePen.Width, 2);
    EXPECT_EQ(Load("[general]\nMainWaveWidth=-1\n").MainWavePen.Width, 1);
    EXPECT_EQ(Load("[wave9]\nWidth=-8\n").WavePens[9].Width, 1);
}

TEST_F(VisualIniTest, StyleNumbersAreKeptAsRead)
{
    TDisplaySettings s = Load("[general]\nAxisStyle=7\nVertLineStyle=-1\n[wave2]\nStyle=3\n");
    EXPECT_EQ(s.AxisPen.Style, 7);
    EXPECT_EQ(s.VertLinePen.Style, -1);
    EXPECT_EQ(s.WavePens[2].Style, 3);
    SaveDisplaySettings(IniPath(), s, 2);
    EXPECT_EQ(Value("general", "AxisStyle"), "7");
    EXPECT_EQ(Value("general", "VertLineStyle"), "-1");
}

TEST_F(VisualIniTest, GuideLineKeysGoToTheWindowsControls)
{
    TDisplaySettings s = Load("[general]\nVisibleVertLines=2\nNumOfVertLines=500\n");
    EXPECT_TRUE(s.VisibleVertLines);
    EXPECT_EQ(shownVisible_, true);
    EXPECT_EQ(givenCount_, 500) << "the count box brings it into range, not the loader";
    SaveDisplaySettings(IniPath(), s, 99);
    EXPECT_EQ(Value("general", "VisibleVertLines"), "1");
    EXPECT_EQ(Value("general", "NumOfVertLines"), "99");

    s = Load("[general]\nVisibleVertLines=yes\nNumOfVertLines=many\n");
    EXPECT_FALSE(s.VisibleVertLines);
    EXPECT_EQ(givenCount_, 2);
}

TEST_F(VisualIniTest, UnknownKeysAndSectionsSurviveASave)
{
    Put(IniPath(), "; my notes\n[general]\nAxisWidth=3\nFoo=bar\n[mine]\nx=1\n[wave2]\nExtra=yes\n");
    TDisplaySettings s;
    LoadDisplaySettings(IniPath(), s, Controls());
    SaveDisplaySettings(IniPath(), s, 2);
    const QString text = Text(IniPath());
    EXPECT_TRUE(text.startsWith("; my notes\n[general]\nAxisWidth=3\nFoo=bar\n")) << text.toStdString();
    EXPECT_EQ(Value("mine", "x"), "1");
    EXPECT_EQ(Value("wave2", "Extra"), "yes");
    EXPECT_EQ(Value("wave20", "Style"), "0");
}

TEST_F(VisualIniTest, ABadColourStopsLoadingAtItsKey)
{
    Put(IniPath(),
        "[general]\nBGColor=clNavy\nAxisWidth=4\nAxisColor=xyz\nAxisStyle=3\nMainWaveWidth=5\n"
        "VisibleVertLines=1\nNumOfVertLines=9\nDefaultColor=clBlue\n[wave1]\nWidth=7\n");
    TDisplaySettings s;
    try {
        LoadDisplaySettings(IniPath(), s, Controls());
        FAIL() << "no error";
    } catch (const TConvertError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'xyz' は整数ではありません"));
    }
    EXPECT_EQ(s.BGColor, clNavy);
    EXPECT_EQ(s.AxisPen, (TPen{clSilver, 0, 4})) << "the width before the bad colour is applied";
    EXPECT_EQ(s.MainWavePen, (TPen{clBlack, 0, 2}));
    EXPECT_FALSE(s.VisibleVertLines);
    EXPECT_FALSE(shownVisible_.has_value());
    EXPECT_FALSE(givenCount_.has_value());
    for (const TPen &p : s.WavePens)
        EXPECT_EQ(p, (TPen{clRed, 0, 1}));
}

TEST_F(VisualIniTest, ABadColourInAModeSectionLeavesEveryPenWhole)
{
    Put(IniPath(), "[general]\nDefaultColor=clBlue\n[wave1]\nColor=clLime\n[wave2]\nWidth=4\nColor=\n");
    TDisplaySettings s;
    try {
        LoadDisplaySettings(IniPath(), s, Controls());
        FAIL() << "no error";
    } catch (const TConvertError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'' は整数ではありません"));
    }
    EXPECT_EQ(s.WavePens[0], (TPen{clBlue, 0, 1}));
    EXPECT_EQ(s.WavePens[1], (TPen{clLime, 0, 1}));
    EXPECT_EQ(s.WavePens[2], (TPen{clRed, 0, 4}));
    for (int k = 3; k <= 20; ++k)
        EXPECT_EQ(s.WavePens[std::size_t(k)], (TPen{clRed, 0, 1})) << k;
}

} // namespace
