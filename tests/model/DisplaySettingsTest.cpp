#include "model/DisplaySettings.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplaySettingsTest, DefaultsWithoutAFile)
{
    DisplaySettings s;
    EXPECT_EQ(s.bgColor, colors::White);
    EXPECT_EQ(s.axisPen, (Pen{colors::Silver, 0, 1}));
    EXPECT_EQ(s.mainWavePen, (Pen{colors::Black, 0, 2}));
    EXPECT_EQ(s.vertLinePen, (Pen{colors::Silver, 0, 1}));
    EXPECT_FALSE(s.visibleVertLines);
    EXPECT_EQ(s.numOfVertLines, 2);
    for (const Pen &p : s.wavePens)
        EXPECT_EQ(p, (Pen{colors::Red, 0, 1}));
}

TEST(DisplaySettingsTest, ModesAboveTwentyShareTheDefaultPen)
{
    DisplaySettings s;
    EXPECT_EQ(s.wavePen(1), &s.wavePens[1]);
    EXPECT_EQ(s.wavePen(20), &s.wavePens[20]);
    EXPECT_EQ(s.wavePen(0), &s.wavePens[0]);
    EXPECT_EQ(s.wavePen(21), &s.wavePens[0]);
    EXPECT_EQ(s.wavePen(1000), &s.wavePens[0]);
    EXPECT_EQ(s.wavePen(-1), nullptr);

    s.wavePens[0] = Pen{colors::Blue, 2, 3};
    EXPECT_EQ(s.wavePen(21)->color, colors::Blue);
    EXPECT_EQ(s.wavePen(5)->color, colors::Red) << "modes 1..20 have pens of their own";
}

} // namespace
