#include "display/DisplaySettingsRecord.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplaySettingsRecordTest, DefaultsWithoutAFile)
{
    TDisplaySettings s;
    EXPECT_EQ(s.bgColor, clWhite);
    EXPECT_EQ(s.axisPen, (TPen{clSilver, 0, 1}));
    EXPECT_EQ(s.mainWavePen, (TPen{clBlack, 0, 2}));
    EXPECT_EQ(s.vertLinePen, (TPen{clSilver, 0, 1}));
    EXPECT_FALSE(s.visibleVertLines);
    EXPECT_EQ(s.numOfVertLines(), 2);
    for (const TPen &p : s.wavePens)
        EXPECT_EQ(p, (TPen{clRed, 0, 1}));
}

TEST(DisplaySettingsRecordTest, ModesAboveTwentyShareTheDefaultPen)
{
    TDisplaySettings s;
    EXPECT_EQ(s.GetWavePen(1), &s.wavePens[1]);
    EXPECT_EQ(s.GetWavePen(20), &s.wavePens[20]);
    EXPECT_EQ(s.GetWavePen(0), &s.wavePens[0]);
    EXPECT_EQ(s.GetWavePen(21), &s.wavePens[0]);
    EXPECT_EQ(s.GetWavePen(1000), &s.wavePens[0]);
    EXPECT_EQ(s.GetWavePen(-1), nullptr);

    s.wavePens[0] = TPen{clBlue, 2, 3};
    EXPECT_EQ(s.GetWavePen(21)->color, clBlue);
    EXPECT_EQ(s.GetWavePen(5)->color, clRed) << "modes 1..20 have pens of their own";
}

TEST(DisplaySettingsRecordTest, SettersCopyThePen)
{
    TDisplaySettings s;
    TPen pen{clGreen, 3, 4};
    s.setAxisPen(pen);
    pen.color = clYellow;
    EXPECT_EQ(s.axisPen, (TPen{clGreen, 3, 4}));
    s.setMainWavePen(pen);
    s.setVertLinePen(pen);
    s.setBgColor(clNavy);
    EXPECT_EQ(s.mainWavePen.color, clYellow);
    EXPECT_EQ(s.vertLinePen.color, clYellow);
    EXPECT_EQ(s.bgColor, clNavy);
}

TEST(DisplaySettingsRecordTest, GuideLineCountComesFromItsSource)
{
    TDisplaySettings s;
    int box = 150;
    s.setNumOfVertLinesSource([&] { return box; });
    EXPECT_EQ(s.getNumOfVertLines(), 150);
    box = -3;
    EXPECT_EQ(s.getNumOfVertLines(), -3);
}

} // namespace
