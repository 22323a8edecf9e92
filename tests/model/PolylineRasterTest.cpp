#include "model/PolylineRaster.h"

#include "support/Pictures.h"
#include "support/SeededRandom.h"

#include <QPen>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr QRgb Ink = 0xFF102030;

int countInk(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == Ink;
    return n;
}

// Distance from pixel centre (x, y) to the infinite line through a and b.
double distanceToLine(QPointF a, QPointF b, int x, int y)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    return std::abs(dy * (x - a.x()) - dx * (y - a.y())) / std::hypot(dx, dy);
}

TEST(PolylineRasterTest, SegmentsAreConnectedAndHitBothEnds)
{
    QImage img = whitePicture(50, 50);
    const QPointF pts[] = {{2, 3}, {40, 10}, {41, 45}, {5, 48}};
    drawThinPolyline(img, pts, 4, Ink);
    for (QPointF p : pts)
        EXPECT_EQ(img.pixel(p.toPoint()), Ink) << p.x() << "," << p.y();
    // One pixel per step along the major axis, the shared corners once.
    EXPECT_EQ(countInk(img), (38 + 1) + 35 + 36);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            if (img.pixel(x, y) == Ink) {
                double best = 1e9;
                for (int i = 1; i < 4; ++i)
                    best = std::min(best, distanceToLine(pts[i - 1], pts[i], x, y));
                ASSERT_LE(best, 0.75) << x << "," << y;
            }
}

// A polyline is the union of its segments, each with both ends. Steps of a
// pixel or two, as curves across a picture have, must come out the same as
// long ones.
TEST(PolylineRasterTest, ShortStepsDrawTheSamePixelsAsSeparateSegments)
{
    SeededRandom random(12345);
    auto next = [&random](int range) { return random.below(range); };
    for (int run = 0; run < 50; ++run) {
        std::vector<QPointF> pts{{double(next(10)), double(next(60))}};
        while (pts.size() < 40) {
            const bool longStep = next(10) == 0;
            const int dx = longStep ? next(20) - 5 : next(4), dy = longStep ? next(40) - 20 : next(7) - 3;
            pts.emplace_back(std::clamp(pts.back().x() + dx, -3.0, 63.0), std::clamp(pts.back().y() + dy, -3.0, 63.0));
        }
        QImage whole = whitePicture(60, 60), pieces = whitePicture(60, 60);
        drawThinPolyline(whole, pts.data(), int(pts.size()), Ink);
        for (std::size_t i = 1; i < pts.size(); ++i)
            drawThinPolyline(pieces, &pts[i - 1], 2, Ink);
        ASSERT_EQ(whole, pieces) << "run " << run;
    }
}

// A frame's curves, whose steps all fit within 2 or 4 pixels or do not, are
// drawn through different loops, and the short ones through vector loops a
// block of segments at a time; each must give the segments' own pixels. Half
// the runs step across as a frame's columns do, by the widest step or one less.
TEST(PolylineRasterTest, CurvesOfEveryStepSizeDrawTheSamePixelsAsSeparateSegments)
{
    SeededRandom random(777);
    auto next = [&random](int range) { return random.below(range); };
    constexpr int Width = 700, Height = 60;
    for (int reach : {1, 2, 3, 4, 9}) {
        for (int run = 0; run < 20; ++run) {
            const int startRow = 30;
            // Narrow steps may still rise by up to 4 rows.
            const int rise = run % 4 == 0 ? std::max(reach, 4) : reach;
            std::vector<int> columns, rows;
            int x = 0, y = startRow;
            // Past the right edge at the end, as a frame's last vertex may be.
            while (x < Width + 4) {
                x += run % 2 == 0 ? reach - next(2) : next(reach + 1);
                y = std::clamp(y + next(2 * rise + 1) - rise, 0, Height - 1);
                columns.push_back(x);
                rows.push_back(y);
            }
            QImage pieces = whitePicture(Width, Height);
            QPointF from(0, startRow);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const QPointF to(columns[i], rows[i]);
                const QPointF segment[] = {from, to};
                drawThinPolyline(pieces, segment, 2, Ink);
                from = to;
            }
            for (InstructionSet set : runnableInstructionSets()) {
                QImage curve = whitePicture(Width, Height);
                ThinLineCanvas(curve, set).drawCurve(startRow, columns.data(), rows.data(), int(columns.size()), Ink);
                ASSERT_EQ(curve, pieces) << "steps up to " << reach << ", run " << run << ", set " << int(set);
            }
        }
    }
}

TEST(PolylineRasterTest, VerticesFarOutsideAreClippedToTheBorder)
{
    QImage img = whitePicture(20, 20);
    const QPointF pts[] = {{0, 10}, {10, 1000000}, {19, -1000000}};
    drawThinPolyline(img, pts, 3, Ink);
    EXPECT_EQ(img.pixel(0, 10), Ink);
    bool reachesBottom = false, reachesTop = false;
    for (int x = 0; x < 20; ++x) {
        reachesBottom |= img.pixel(x, 19) == Ink;
        reachesTop |= img.pixel(x, 0) == Ink;
    }
    EXPECT_TRUE(reachesBottom);
    EXPECT_TRUE(reachesTop);
    EXPECT_LT(countInk(img), 60) << "only the visible parts are drawn";

    QImage none = whitePicture(20, 20);
    const QPointF outside[] = {{-5, -5}, {30, -1}, {30, 40}};
    drawThinPolyline(none, outside, 3, Ink);
    EXPECT_EQ(countInk(none), 0);
}

TEST(PolylineRasterTest, OnlySolidOpaqueThinPensQualify)
{
    EXPECT_TRUE(isThinSolidPen(QPen(Qt::red, 1)));
    EXPECT_TRUE(isThinSolidPen(QPen(Qt::red, 0)));
    EXPECT_FALSE(isThinSolidPen(QPen(Qt::red, 2)));
    QPen dash(Qt::red, 1);
    dash.setStyle(Qt::DashLine);
    EXPECT_FALSE(isThinSolidPen(dash));
    EXPECT_FALSE(isThinSolidPen(QPen(QColor(0, 0, 0, 0), 1)));
}

} // namespace
