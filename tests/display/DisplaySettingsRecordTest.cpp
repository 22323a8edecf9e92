#include "display/DisplaySettingsRecord.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplaySettingsRecordTest, DefaultsWithoutAFile)
{
    TDisplaySettings s;
    EXPECT_EQ(s.BGColor, clWhite);
    EXPECT_EQ(s.AxisPen, (TPen{clSilver, 0, 1}));
    EXPECT_EQ(s.MainWavePen, (TPen{clBlack, 0, 2}));
    EXPECT_EQ(s.VertLinePen, (TPen{clSilver, 0, 1}));
    EXPECT_FALSE(s.VisibleVertLines);
    EXPECT_EQ(s.NumOfVertLines(), 2);
    for (const TPen &p : s.WavePens)
        EXPECT_EQ(p, (TPen{clRed, 0, 1}));
}

TEST(DisplaySettingsRecordTest, ModesAboveTwentyShareTheDefaultPen)
{
    TDisplaySettings s;
    EXPECT_EQ(s.GetWavePen(1), &s.WavePens[1]);
    EXPECT_EQ(s.GetWavePen(20), &s.WavePens[20]);
    EXPECT_EQ(s.GetWavePen(0), &s.WavePens[0]);
    EXPECT_EQ(s.GetWavePen(21), &s.WavePens[0]);
    EXPECT_EQ(s.GetWavePen(1000), &s.WavePens[0]);
    EXPECT_EQ(s.GetWavePen(-1), nullptr);

    s.WavePens[0] = TPen{clBlue, 2, 3};
    EXPECT_EQ(s.GetWavePen(21)->Color, clBlue);
    EXPECT_EQ(s.GetWavePen(5)->Color, clRed) << "modes 1..20 have pens of their own";
}

TEST(DisplaySettingsRecordTest, SettersCopyThePen)
{
    TDisplaySettings s;
    TPen pen{clGreen, 3, 4};
    s.SetAxisPen(pen);
    pen.Color = clYellow;
    EXPECT_EQ(s.AxisPen, (TPen{clGreen, 3, 4}));
    s.SetMainWavePen(pen);
    s.SetVertLinePen(pen);
    s.SetBGColor(clNavy);
    EXPECT_EQ(s.MainWavePen.Color, clYellow);
    EXPECT_EQ(s.VertLinePen.Color, clYellow);
    EXPECT_EQ(s.BGColor, clNavy);
}

TEST(DisplaySettingsRecordTest, GuideLineCountComesFromItsSource)
{
    TDisplaySettings s;
    int box = 150;
    s.SetNumOfVertLinesSource([&] { return box; });
    EXPECT_EQ(s.GetNumOfVertLines(), 150);
    box = -3;
    EXPECT_EQ(s.GetNumOfVertLines(), -3);
}

} // namespace
