#include "settings/WaveformGeometry.h"

#include "model/DrawnWaveform.h"

#include <QImage>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

namespace {

constexpr int W = 231;
constexpr int H = 141;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Grey = 0xFF808080;

const std::set<int> GridColumns{19, 38, 57, 77, 96, 115, 134, 154, 173, 192, 211};

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000;
}

// Rows 1..H-2 of column x that are black.
std::vector<int> blackRowsInColumn(const QImage &image, int x)
{
    std::vector<int> rows;
    for (int y = 1; y < image.height() - 1; ++y)
        if (at(image, x, y) == Black)
            rows.push_back(y);
    return rows;
}

} // namespace

TEST(WaveformGeometry, ColumnsOfTheThirteenPoints)
{
    const std::vector<int> expected{0, 19, 38, 57, 77, 96, 115, 134, 154, 173, 192, 211, 231};
    for (int i = 0; i <= 12; ++i)
        EXPECT_EQ(waveformColumn(i, W), expected[std::size_t(i)]) << "point " << i;
}

TEST(WaveformGeometry, RowsOfValuesRoundTiesToEven)
{
    EXPECT_EQ(waveformRow(1.0, H), 0);
    EXPECT_EQ(waveformRow(0.0, H), 70);
    EXPECT_EQ(waveformRow(-1.0, H), 140);
    EXPECT_EQ(waveformRow(2.0, H), -70);
    // Half-height 5 (an odd height halves downward): 2.5 and 7.5 are ties.
    EXPECT_EQ(waveformRow(0.5, 11), 2);
    EXPECT_EQ(waveformRow(-0.5, 11), 8);
    EXPECT_EQ(waveformRow(0.5, 11, -2.0), 0);
    EXPECT_EQ(waveformRow(0.5, 11, 2.0), 4);
}

TEST(WaveformGeometry, FarOffValuesStayFarOffWithoutOverflow)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (const double v : {1e30, 3.4e38, inf}) {
        const int row = waveformRow(v, H);
        EXPECT_LT(row, -100000) << v;
        EXPECT_GT(row, INT_MIN / 2) << v;
        EXPECT_EQ(waveformRow(v, H, -2.0), row) << v;
    }
    for (const double v : {-1e30, -3.4e38, -inf}) {
        const int row = waveformRow(v, H);
        EXPECT_GT(row, 100000) << v;
        EXPECT_LT(row, INT_MAX / 2) << v;
    }
}

TEST(WaveformGeometry, HitZonesSharedBoundaryGoesToHigherPoint)
{
    for (int i = 1; i <= 11; ++i)
        EXPECT_EQ(waveformHitPoint(waveformColumn(i, W), W), i);
    EXPECT_EQ(waveformHitPoint(28.875, W), 2); // (231·1.5)/12, shared by points 1 and 2
    EXPECT_EQ(waveformHitPoint(28.87, W), 1);
    EXPECT_EQ(waveformHitPoint(115.5 + 9.625, W), 7); // (231·6.5)/12
    EXPECT_EQ(waveformHitPoint(9.625, W), 1);
    EXPECT_EQ(waveformHitPoint(221.375, W), 11);
}

TEST(WaveformGeometry, NoPointNearTheEnds)
{
    for (const double x : {-3.0, 0.0, 5.0, 9.62, 221.38, 225.0, 231.0, 400.0})
        EXPECT_EQ(waveformHitPoint(x, W), 0) << x;
}

TEST(WaveformGeometry, ShiftSnapsToTensTruncatingTowardZero)
{
    EXPECT_EQ(waveformSnapRow(34), 30);
    EXPECT_EQ(waveformSnapRow(35), 40);
    EXPECT_EQ(waveformSnapRow(-4), 0);
    EXPECT_EQ(waveformSnapRow(-5), 0);
    EXPECT_EQ(waveformSnapRow(-6), 0);
    EXPECT_EQ(waveformSnapRow(-15), -10);
    EXPECT_EQ(waveformSnapRow(-16), -10);
    EXPECT_EQ(waveformSnapRow(0), 0);
    EXPECT_EQ(waveformSnapRow(140), 140);
    EXPECT_EQ(waveformSnapRow(INT_MAX) % 10, 0);
    EXPECT_GT(waveformSnapRow(INT_MAX), INT_MAX - 10);
    EXPECT_EQ(waveformSnapRow(INT_MIN + 3) % 10, 0);
}

TEST(WaveformGeometry, ValueOfADraggedRow)
{
    EXPECT_EQ(waveformValueAt(0, H), 1.0f);
    EXPECT_EQ(waveformValueAt(70, H), 0.0f);
    EXPECT_EQ(waveformValueAt(140, H), -1.0f);
    EXPECT_EQ(waveformValueAt(-70, H), 2.0f);
    EXPECT_EQ(waveformValueAt(30, H), float(4.0L / 7.0L));
    EXPECT_EQ(waveformValueAt(35, H), 0.5f);
}

class WaveformDrawing : public ::testing::Test {
protected:
    void draw() { drawWaveformWorking(image, waveform); }

    DrawnWaveform waveform;
    QImage image{W, H, QImage::Format_RGB32};
};

TEST_F(WaveformDrawing, StartFaceIsFrameGridAndMiddleLine)
{
    draw();
    for (int x = 0; x < W; ++x) {
        const bool grid = GridColumns.count(x) != 0;
        EXPECT_EQ(at(image, x, 0), grid ? Grey : Black) << "top row, x " << x;
        EXPECT_EQ(at(image, x, H - 1), grid ? Grey : Black) << "bottom row, x " << x;
        EXPECT_EQ(at(image, x, 70), Black) << "middle row, x " << x;
        const QRgb inside = x == 0 || x == W - 1 ? Black : grid ? Grey : White;
        EXPECT_EQ(at(image, x, 30), inside) << "row 30, x " << x;
        EXPECT_EQ(at(image, x, 110), inside) << "row 110, x " << x;
    }
    for (int y = 1; y < H - 1; ++y) {
        EXPECT_EQ(at(image, 0, y), Black) << y;
        EXPECT_EQ(at(image, W - 1, y), Black) << y;
        if (y != 70) {
            EXPECT_EQ(at(image, 19, y), Grey) << y;
        }
    }
    // No markers: the pixels next to the line stay white.
    for (int x = 1; x < W - 1; ++x)
        if (GridColumns.count(x) == 0) {
            EXPECT_EQ(at(image, x, 69), White) << x;
            EXPECT_EQ(at(image, x, 71), White) << x;
        }
}

TEST_F(WaveformDrawing, MarkerIsFourByFour)
{
    // Points 4 to 6 level at row 35, so the curve runs flat through the marker
    // of 5 in column 96.
    for (const int i : {4, 5, 6}) {
        waveform.setHeight(i, 0.5f);
    }
    draw();
    for (int y = 33; y <= 36; ++y)
        for (int x = 94; x <= 97; ++x)
            EXPECT_EQ(at(image, x, y), Black) << x << "," << y;
    for (int x = 94; x <= 97; ++x) {
        EXPECT_EQ(at(image, x, 32), x == 96 ? Grey : White) << x;
        EXPECT_EQ(at(image, x, 37), x == 96 ? Grey : White) << x;
    }
    for (const int y : {33, 34, 36}) {
        EXPECT_EQ(at(image, 93, y), White) << y;
        EXPECT_EQ(at(image, 98, y), White) << y;
    }
    EXPECT_EQ(at(image, 93, 35), Black); // the curve
}

TEST_F(WaveformDrawing, MarkerRowsRoundFromTheirOwnCentre)
{
    // Half-height 5: value 0.5 puts the centre at 2.5; the curve takes row 2,
    // the marker rows Round(0.5) = 0 to Round(4.5) − 1 = 3.
    QImage small(W, 11, QImage::Format_RGB32);
    waveform.setHeight(5, 0.5f);
    drawWaveformWorking(small, waveform);
    for (int y = 0; y <= 3; ++y)
        EXPECT_EQ(at(small, 95, y), Black) << y;
    EXPECT_EQ(at(small, 95, 4), White);
}

TEST_F(WaveformDrawing, CurveSkipsUndefinedPoints)
{
    waveform.setHeight(3, -1.0f); // a value without its flag draws nothing
    waveform.undefine(3);
    waveform.setHeight(6, 1.0f);
    draw();
    EXPECT_EQ(at(image, 115, 0), Black);
    // Column 57 (point 3) is crossed by the straight segment from (0,70) to
    // (115,0), near row 70 − 57·70/115 ≈ 35.3.
    const std::vector<int> rows = blackRowsInColumn(image, 57);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(rows[0], 35, 1);
    // The right half runs down to the right end, not along the middle.
    EXPECT_EQ(at(image, 180, 70), White);
    const std::vector<int> right = blackRowsInColumn(image, 229);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_NEAR(right[0], 70.0 * 114 / 116, 1);
    // Only point 6 has a marker.
    EXPECT_EQ(at(image, 113, 1), Black);
    EXPECT_EQ(at(image, 116, 1), Black);
    EXPECT_EQ(at(image, 55, 139), White);
}

TEST_F(WaveformDrawing, PointAboveTheEditorLeavesTheVisibleArea)
{
    waveform.setHeight(5, 2.0f);
    draw();
    // The curve climbs from the left end through the top row halfway to point
    // 5 (column 96, row −70) and comes back down to the right end; no marker shows.
    EXPECT_TRUE(blackRowsInColumn(image, 95).empty());
    EXPECT_TRUE(blackRowsInColumn(image, 97).empty());
    const std::vector<int> left = blackRowsInColumn(image, 30);
    ASSERT_FALSE(left.empty());
    for (const int y : left)
        EXPECT_NEAR(y, 70 - 30.0 * 140 / 96, 1.5);
    EXPECT_TRUE(blackRowsInColumn(image, 50).empty());
}

TEST_F(WaveformDrawing, HugeValuesDrawAsVerticalStrokesAtTheEnds)
{
    for (const float v : {1e30f, -1e30f, 3.4e38f, -3.4e38f}) {
        waveform.clear();
        waveform.setHeight(6, v);
        draw();
        // Both segments leave the picture within the frame's own columns, so
        // the inside shows only white and the grid.
        for (int x = 1; x < W - 1; ++x)
            for (int y = 1; y < H - 1; ++y)
                ASSERT_NE(at(image, x, y), Black) << v << " at " << x << "," << y;
    }
}

TEST(WaveformBlankFace, PlainAreaWithBlackOutline)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QColor face(0xD4, 0xD0, 0xC8);
    drawWaveformBlank(image, face);
    for (int x = 0; x < W; ++x) {
        EXPECT_EQ(at(image, x, 0), Black) << x;
        EXPECT_EQ(at(image, x, H - 1), Black) << x;
    }
    for (int y = 1; y < H - 1; ++y) {
        EXPECT_EQ(at(image, 0, y), Black) << y;
        EXPECT_EQ(at(image, W - 1, y), Black) << y;
        for (int x = 1; x < W - 1; ++x)
            ASSERT_EQ(at(image, x, y), face.rgb()) << x << "," << y;
    }
}
