#include "display/DisplaySettingsRecord.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplaySettingsRecordTest, DefaultsWithoutAFile)
{
    DisplaySettings s;
    EXPECT_EQ(s.bgColor, colors::White);
    EXPECT_EQ(s.axisPen, (Pen{colors::Silver, 0, 1}));
    EXPECT_EQ(s.mainWavePen, (Pen{colors::Black, 0, 2}));
    EXPECT_EQ(s.vertLinePen, (Pen{colors::Silver, 0, 1}));
    EXPECT_FALSE(s.visibleVertLines);
    EXPECT_EQ(s.numOfVertLines(), 2);
    for (const Pen &p : s.wavePens)
        EXPECT_EQ(p, (Pen{colors::Red, 0, 1}));
}

TEST(DisplaySettingsRecordTest, ModesAboveTwentyShareTheDefaultPen)
{
    DisplaySettings s;
    EXPECT_EQ(s.GetWavePen(1), &s.wavePens[1]);
    EXPECT_EQ(s.GetWavePen(20), &s.wavePens[20]);
    EXPECT_EQ(s.GetWavePen(0), &s.wavePens[0]);
    EXPECT_EQ(s.GetWavePen(21), &s.wavePens[0]);
    EXPECT_EQ(s.GetWavePen(1000), &s.wavePens[0]);
    EXPECT_EQ(s.GetWavePen(-1), nullptr);

    s.wavePens[0] = Pen{colors::Blue, 2, 3};
    EXPECT_EQ(s.GetWavePen(21)->color, colors::Blue);
    EXPECT_EQ(s.GetWavePen(5)->color, colors::Red) << "modes 1..20 have pens of their own";
}

TEST(DisplaySettingsRecordTest, SettersCopyThePen)
{
    DisplaySettings s;
    Pen pen{colors::Green, 3, 4};
    s.setAxisPen(pen);
    pen.color = colors::Yellow;
    EXPECT_EQ(s.axisPen, (Pen{colors::Green, 3, 4}));
    s.setMainWavePen(pen);
    s.setVertLinePen(pen);
    s.setBgColor(colors::Navy);
    EXPECT_EQ(s.mainWavePen.color, colors::Yellow);
    EXPECT_EQ(s.vertLinePen.color, colors::Yellow);
    EXPECT_EQ(s.bgColor, colors::Navy);
}

TEST(DisplaySettingsRecordTest, GuideLineCountComesFromItsSource)
{
    DisplaySettings s;
    int box = 150;
    s.setNumOfVertLinesSource([&] { return box; });
    EXPECT_EQ(s.getNumOfVertLines(), 150);
    box = -3;
    EXPECT_EQ(s.getNumOfVertLines(), -3);
}

} // namespace
