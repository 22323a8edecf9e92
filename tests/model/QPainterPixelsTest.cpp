#include "model/DashedThinLine.h"
#include "model/PolylineRaster.h"
#include "model/WidePolyline.h"
#include "model/WideStrokeStamps.h"

#include "model/VectorUnit.h"

#include "support/Pictures.h"
#include "support/SeededRandom.h"

#include <QPainter>
#include <QPen>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr QRgb Ink = 0xFF123456;

QImage byQPainter(int w, int h, const std::vector<QPoint> &points, const QPen &pen)
{
    QImage img = whitePicture(w, h);
    QPainter painter(&img);
    painter.setPen(pen);
    painter.drawPolyline(points.data(), int(points.size()));
    return img;
}

QImage byQPainter(int w, int h, const std::vector<QPoint> &points, int penWidth)
{
    QPen pen(QColor::fromRgb(Ink), penWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::BevelJoin);
    return byQPainter(w, h, points, pen);
}

// The first pixel where two pictures differ, or an empty string.
std::string firstDifference(const QImage &a, const QImage &b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

void expectSameAsQPainter(int w, int h, const std::vector<QPoint> &points, int penWidth, const char *what, int trial)
{
    QImage mine = whitePicture(w, h);
    WidePolylineDrawer().draw(mine, points.data(), int(points.size()), penWidth, Ink);
    const std::string where = firstDifference(mine, byQPainter(w, h, points, penWidth));
    EXPECT_EQ(where, "") << what << " trial " << trial << " width " << penWidth << " in " << w << "x" << h;
}

// Curves as a frame has them: from the left border's axis row to the right
// border, columns never going back; steep spikes, flat runs, columns with
// several rows and rows far above and below the picture included.
TEST(WidePolylineTest, FrameCurvesGetQPaintersPixels)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 400; ++trial) {
        const int w = 1 + int(random() % 300), h = 1 + int(random() % 200);
        const int segments = 1 + int(random() % 400);
        const int maxStep = 1 + int(random() % 40);
        std::vector<QPoint> points{{0, h / 2}};
        for (int i = 1; i <= segments; ++i) {
            const int column = int((long long)w * i / segments);
            int row = points.back().y() + int(random() % (2 * maxStep + 1)) - maxStep;
            if (random() % 8 == 0)
                row = points.back().y();
            points.emplace_back(column, std::clamp(row, -3 * h, 4 * h));
        }
        expectSameAsQPainter(w, h, points, 2 + int(random() % 4), "curve", trial);
        if (HasFailure())
            return;
    }
}

// Any direction, sharp reversals and vertices on every border.
TEST(WidePolylineTest, PolylinesInEveryDirectionGetQPaintersPixels)
{
    std::mt19937 random(11);
    for (int trial = 0; trial < 1500; ++trial) {
        const int w = 1 + int(random() % 60), h = 1 + int(random() % 60);
        std::vector<QPoint> points;
        const int count = 2 + int(random() % 12);
        for (int i = 0; i < count; ++i) {
            const int x = random() % 5 == 0 ? (random() % 2 ? 0 : w) : int(random() % unsigned(w + 1));
            const int y = random() % 5 == 0 ? (random() % 2 ? 0 : h - 1) : int(random() % unsigned(h));
            points.emplace_back(x, y);
        }
        const int penWidth = random() % 4 == 0 ? 2 + int(random() % 63) : 2 + int(random() % 7);
        expectSameAsQPainter(w, h, points, penWidth, "polyline", trial);
        if (HasFailure())
            return;
    }
}

// Short steps in any direction, reversals included, from vertices in and
// around every border of pictures up to 2000 px a side: each vertex stamps
// pixels worked out at the origin.
TEST(WideStrokeStampsTest, ShortStepsGetQPaintersPixelsAnywhere)
{
    std::mt19937 random(3);
    int stamped = 0;
    constexpr int Trials = 600;
    for (int trial = 0; trial < Trials; ++trial) {
        const bool large = trial % 20 == 0;
        const int w = large ? 1500 + int(random() % 500) : 1 + int(random() % 120);
        const int h = large ? 1500 + int(random() % 500) : 1 + int(random() % 120);
        const int penWidth = 2 + int(random() % 7);
        std::vector<QPoint> points{{int(random() % unsigned(w + 1)), int(random() % unsigned(h + 20)) - 10}};
        const int count = 2 + int(random() % 200);
        const bool forward = random() % 2 == 0;
        for (int i = 1; i < count; ++i) {
            const int dx = forward ? int(random() % 3) : int(random() % 7) - 3;
            // Wide pens and long steps make stamps too large to keep.
            const int reach = penWidth <= 3 ? 24 : 8;
            const int dy = random() % 4 == 0 ? int(random() % unsigned(2 * reach + 1)) - reach : int(random() % 7) - 3;
            points.emplace_back(std::clamp(points.back().x() + dx, 0, w), points.back().y() + dy);
        }
        if (points.front() == points.back())
            continue;
        QImage mine = whitePicture(w, h);
        if (!WideStrokeStamps(penWidth).draw(mine, points.data(), int(points.size()), Ink))
            continue;
        ++stamped;
        ASSERT_EQ(firstDifference(mine, byQPainter(w, h, points, penWidth)), "")
            << "trial " << trial << " width " << penWidth << " in " << w << "x" << h;
    }
    EXPECT_GT(stamped, Trials * 3 / 4);
}

// Short steps with a few long ones among them: a sum's curve leaving the
// picture and coming back, reversals at the long steps, repeated vertices.
// The short steps' vertices are stamped, the rest stroked in pieces.
TEST(WidePolylineTest, ShortStepsWithAFewLongOnesGetQPaintersPixels)
{
    std::mt19937 random(13);
    WidePolylineDrawer drawer;
    for (int trial = 0; trial < 1500; ++trial) {
        const int w = 1 + int(random() % 160), h = 1 + int(random() % 160);
        const int penWidth = 2 + int(random() % (trial % 3 == 0 ? 15 : 3));
        std::vector<QPoint> points{{int(random() % unsigned(w + 1)), int(random() % unsigned(h))}};
        const int count = 2 + int(random() % 150);
        for (int i = 1; i < count; ++i) {
            QPoint step(int(random() % 7) - 3, int(random() % 9) - 4);
            if (random() % 25 == 0)
                step = QPoint(int(random() % 41) - 20, int(random() % unsigned(6 * h + 1)) - 3 * h);
            else if (points.size() >= 2 && random() % 3 == 0
                     && (points.back() - points[points.size() - 2]).manhattanLength() > 30)
                step = points[points.size() - 2] - points.back() + QPoint(int(random() % 3) - 1, 0);
            points.push_back(points.back() + step);
            points.back().setX(std::clamp(points.back().x(), 0, w));
        }
        QImage mine = whitePicture(w, h);
        drawer.draw(mine, points.data(), int(points.size()), penWidth, Ink);
        ASSERT_EQ(firstDifference(mine, byQPainter(w, h, points, penWidth)), "")
            << "trial " << trial << " width " << penWidth << " in " << w << "x" << h;
    }
}

// A spike to the farthest row the drawer takes, past the picture, has
// its joins worked out in 1/64 pixel without overflowing an int, which the
// sanitized build would report.
TEST(WidePolylineTest, SpikesToTheFarthestRowsTakenGetQPaintersPixels)
{
    for (const int far : {-DrawableRowMargin, 80 + DrawableRowMargin}) {
        std::vector<QPoint> points;
        for (int x = 10; x <= 22; ++x)
            points.emplace_back(x, 40 - (x % 3 != 1));
        points.emplace_back(22, far);
        for (int x = 24; x <= 36; ++x)
            points.emplace_back(x, 41 - (x % 3 != 0));
        QImage mine = whitePicture(100, 80);
        WidePolylineDrawer().draw(mine, points.data(), int(points.size()), 2, Ink);
        EXPECT_EQ(firstDifference(mine, byQPainter(100, 80, points, 2)), "") << far;
    }
}

namespace {

// A frame's curve of short steps: up and down runs, steps of nothing on odd
// trials, long enough on some for the vector loops' blocks and their tails.
struct ShortStepCurve {
    int startRow;
    std::vector<int> columns, rows;
    std::vector<QPoint> points;
};

ShortStepCurve shortStepCurve(SeededRandom &random, int trial, int w, int h, bool rowsInPicture)
{
    const int startRow = rowsInPicture ? random.below(h) : random.below(h + 8) - 4;
    ShortStepCurve curve{startRow, {}, {}, {{0, startRow}}};
    while (curve.points.back().x() < w) {
        const int across
            = std::min(w - curve.points.back().x(), trial % 2 == 0 ? 1 + random.below(2) : random.below(3));
        int row = curve.points.back().y() + random.below(5) - 2;
        if (rowsInPicture)
            row = std::clamp(row, 0, h - 1);
        curve.points.emplace_back(curve.points.back().x() + across, row);
        curve.columns.push_back(curve.points.back().x());
        curve.rows.push_back(row);
    }
    return curve;
}

// A white picture inside white guard rows and columns of memory, so that a
// pixel written outside the picture shows.
class GuardedPicture {
public:
    GuardedPicture(int w, int h)
        : frame_(whitePicture(w + 2 * Guard, h + 2 * Guard))
        , picture_(frame_.bits() + Guard * frame_.bytesPerLine() + Guard * qsizetype(sizeof(QRgb)), w, h,
                   frame_.bytesPerLine(), QImage::Format_RGB32)
    {
    }

    QImage &picture() { return picture_; }

    // The first guard pixel written, or an empty string.
    std::string writtenGuard() const
    {
        for (int y = 0; y < frame_.height(); ++y)
            for (int x = 0; x < frame_.width(); ++x) {
                const bool inside
                    = x >= Guard && x < Guard + picture_.width() && y >= Guard && y < Guard + picture_.height();
                if (!inside && frame_.pixel(x, y) != 0xFFFFFFFF)
                    return std::to_string(x - Guard) + "," + std::to_string(y - Guard);
            }
        return {};
    }

private:
    static constexpr int Guard = 4;
    QImage frame_;
    QImage picture_;
};

} // namespace

// Stamped without a list of places, vertices on and beyond every border, in
// every set. Pens whose stamps of such steps cannot all be kept leave the
// picture as it was.
TEST(WidePolylineTest, FrameCurvesOfShortStepsGetQPaintersPixelsInEverySet)
{
    SeededRandom random(17);
    for (int trial = 0; trial < 300; ++trial) {
        const int w = 1 + random.below(trial % 10 == 0 ? 700 : 90), h = 1 + random.below(60);
        const int penWidth = 2 + random.below(trial % 3 == 0 ? 6 : 2);
        const ShortStepCurve curve = shortStepCurve(random, trial, w, h, false);
        const QImage expected = byQPainter(w, h, curve.points, penWidth);
        for (const InstructionSet set : runnableInstructionSets()) {
            GuardedPicture mine(w, h);
            const bool drawn
                = WidePolylineDrawer().drawCurve(mine.picture(), curve.startRow, curve.columns.data(),
                                                 curve.rows.data(), int(curve.columns.size()), penWidth, Ink, set);
            ASSERT_TRUE(drawn || penWidth > 2) << "trial " << trial;
            ASSERT_EQ(firstDifference(mine.picture(), drawn ? expected : whitePicture(w, h)), "")
                << "trial " << trial << " width " << penWidth << " in " << w << "x" << h << " set " << int(set);
            ASSERT_EQ(mine.writtenGuard(), "") << "trial " << trial << " set " << int(set);
        }
    }
}

// Dashed without a list of places, in every style and set; a pattern with
// dashes or gaps shorter than a pixel is left to the drawer's other paths.
TEST(DashedThinLineTest, FrameCurvesOfShortStepsGetQPaintersPixelsInEverySet)
{
    SeededRandom random(19);
    const Qt::PenStyle styles[] = {Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
    for (int trial = 0; trial < 300; ++trial) {
        const int w = 1 + random.below(trial % 10 == 0 ? 700 : 90), h = 1 + random.below(60);
        const ShortStepCurve curve = shortStepCurve(random, trial, w, h, true);
        QPen pen(QColor::fromRgb(Ink), 1, styles[random.below(4)]);
        if (trial % 16 == 0)
            pen.setDashPattern({0.5, 1.75, 3, 0.25});
        else if (trial % 8 == 4)
            pen.setDashPattern({1, double(1 + random.below(2))}); // shorter than a step can move it on
        pen.setCapStyle(Qt::FlatCap);
        const QImage expected = byQPainter(w, h, curve.points, pen);
        for (const InstructionSet set : runnableInstructionSets()) {
            GuardedPicture mine(w, h);
            const bool drawn = DashedThinLineDrawer().drawCurve(mine.picture(), curve.startRow, curve.columns.data(),
                                                                curve.rows.data(), int(curve.columns.size()),
                                                                pen.dashPattern(), Ink, set);
            ASSERT_TRUE(drawn || trial % 16 == 0) << "trial " << trial;
            ASSERT_EQ(firstDifference(mine.picture(), drawn ? expected : whitePicture(w, h)), "")
                << "trial " << trial << " style " << int(pen.style()) << " in " << w << "x" << h << " set " << int(set);
            ASSERT_EQ(mine.writtenGuard(), "") << "trial " << trial << " set " << int(set);
        }
    }
}

// QPainter strokes a polyline that ends where it starts as a closed one.
TEST(WidePolylineTest, FrameCurvesEndingWhereTheyStartAreLeftToTheOtherPaths)
{
    const int columns[] = {0, 0}, rows[] = {6, 5};
    QImage picture = whitePicture(10, 10);
    EXPECT_FALSE(WidePolylineDrawer().drawCurve(picture, 5, columns, rows, 2, 2, Ink, fastestInstructionSet()));
    EXPECT_FALSE(DashedThinLineDrawer().drawCurve(picture, 5, columns, rows, 2, {3, 2}, Ink, fastestInstructionSet()));
}

// Curves of ever new steps fill a drawer's store of pixels; it starts again
// rather than leaving every pair of steps it has not seen to the slow path.
TEST(WideStrokeStampsTest, AFullStoreStartsAgain)
{
    WideStrokeStamps stamps(2);
    DashedThinLineDrawer dashed;
    QImage picture = whitePicture(120, 120);
    const QPoint middle(50, 60);
    int refused = 0;
    for (int in = 0; in < 4 * 49; ++in) {
        for (int out = 0; out < 4 * 49; ++out) {
            const QPoint stepIn(in % 4, in / 4 - 24), stepOut(out % 4, out / 4 - 24);
            if (stepIn.isNull() || stepOut.isNull())
                continue;
            const std::vector<QPoint> points{middle - stepIn, middle, middle + stepOut};
            refused += stamps.draw(picture, points.data(), 3, Ink) ? 0 : 1;
            dashed.draw(picture, points.data(), 3, {3, 2}, Ink);
        }
    }
    EXPECT_EQ(refused, 0);
    std::vector<QPoint> curve;
    for (int x = 0; x <= 100; ++x)
        curve.emplace_back(x, 60 + (x * x) % 23 - 11);
    QImage mine = whitePicture(101, 120);
    ASSERT_TRUE(stamps.draw(mine, curve.data(), int(curve.size()), Ink));
    EXPECT_EQ(firstDifference(mine, byQPainter(101, 120, curve, 2)), "");
    QPen pen(QColor::fromRgb(Ink), 1);
    pen.setDashPattern({3, 2});
    pen.setCapStyle(Qt::FlatCap);
    mine = whitePicture(101, 120);
    dashed.draw(mine, curve.data(), int(curve.size()), pen.dashPattern(), Ink);
    EXPECT_EQ(firstDifference(mine, byQPainter(101, 120, curve, pen)), "");
}

// One-pixel dashed pens, whose pattern runs on along the polyline and turns
// round on segments drawn backwards.
TEST(DashedThinLineTest, PolylinesGetQPaintersPixels)
{
    std::mt19937 random(5);
    const Qt::PenStyle styles[] = {Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
    for (int trial = 0; trial < 3000; ++trial) {
        const int w = 1 + int(random() % 80), h = 1 + int(random() % 80);
        std::vector<QPoint> points;
        const int count = 2 + int(random() % 30);
        for (int i = 0; i < count; ++i) {
            // Short steps as curves have, and in every other polyline long
            // jumps, which are stepped one by one rather than from tables.
            const QPoint last = points.empty() ? QPoint(0, h / 2) : points.back();
            const bool near = trial % 2 == 0 || random() % 2 == 0;
            const int x = near ? std::clamp(last.x() + int(random() % 7) - 2, 0, w) : int(random() % unsigned(w + 1));
            const int y = near ? std::clamp(last.y() + int(random() % 9) - 4, 0, h - 1) : int(random() % unsigned(h));
            points.emplace_back(x, y);
        }
        QPen pen(QColor::fromRgb(Ink), int(random() % 2));
        pen.setStyle(styles[random() % 4]);
        // Dashes and gaps shorter than a pixel, which a pixel's step can pass
        // two ends of.
        if (trial % 8 == 0)
            pen.setDashPattern({0.5, 1.75, 3, 0.25});
        pen.setCapStyle(Qt::FlatCap);
        QImage mine = whitePicture(w, h);
        drawDashedThinPolyline(mine, points.data(), int(points.size()), pen.dashPattern(), Ink);
        ASSERT_EQ(firstDifference(mine, byQPainter(w, h, points, pen)), "")
            << "trial " << trial << " style " << int(pen.style());
    }
}

// Qt steps a column in 16.16 in an int; a picture this wide must not make
// either drawer overflow where Qt does not.
TEST(DashedThinLineTest, ColumnsPast32767GetQPaintersPixels)
{
    const std::vector<QPoint> points{{32768, 0}, {32768, 19}, {32700, 10}};
    QPen pen(QColor::fromRgb(Ink), 1);
    pen.setStyle(Qt::DashLine);
    QImage mine = whitePicture(32770, 20);
    drawDashedThinPolyline(mine, points.data(), int(points.size()), pen.dashPattern(), Ink);
    EXPECT_EQ(firstDifference(mine, byQPainter(32770, 20, points, pen)), "");
    expectSameAsQPainter(32770, 20, points, 3, "wide picture", 0);
}

// What either drawer leaves to QPainter (here a polyline that ends where it
// starts) must still be drawn while a frame's painter is open on the picture.
TEST(WidePolylineTest, WhatIsLeftToQPainterIsDrawnWithAFramesPainterOpen)
{
    const std::vector<QPoint> closed{{5, 5}, {30, 12}, {12, 25}, {5, 5}};
    QImage mine = whitePicture(40, 30);
    QPainter frame(&mine);
    WidePolylineDrawer().draw(mine, closed.data(), int(closed.size()), 3, Ink);
    frame.end();
    EXPECT_EQ(firstDifference(mine, byQPainter(40, 30, closed, 3)), "");

    QPen pen(QColor::fromRgb(Ink), 1);
    pen.setStyle(Qt::DashLine);
    mine = whitePicture(40, 30);
    frame.begin(&mine);
    drawDashedThinPolyline(mine, closed.data(), int(closed.size()), pen.dashPattern(), Ink);
    frame.end();
    EXPECT_EQ(firstDifference(mine, byQPainter(40, 30, closed, pen)), "");
}

} // namespace
