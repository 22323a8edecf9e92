#include "WaveSettingsDialogFixture.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace {

TEST_F(EditorTest, DraggingPointFiveToRows)
{
    const std::pair<int, float> cases[] = {{0, 1.0f}, {70, 0.0f}, {140, -1.0f}, {-70, 2.0f}, {35, 0.5f}};
    for (const auto &[row, value] : cases) {
        drag(96, row);
        EXPECT_TRUE(drawn().isDefined(5)) << row;
        EXPECT_EQ(drawn().height(5), value) << row;
        EXPECT_EQ(editor()->selectedPoint(), 0) << row;
    }
    for (int i = 1; i <= 11; ++i)
        EXPECT_EQ(drawn().isDefined(i), i == 5) << i;
}

TEST_F(EditorTest, DragShowsMarkerWhereThePointWent)
{
    drag(96, 35);
    for (int y = 33; y <= 36; ++y)
        for (int x = 94; x <= 97; ++x)
            EXPECT_EQ(pixel(x, y), Black) << x << "," << y;
    EXPECT_NE(pixel(95, 37), Black);
    EXPECT_NE(pixel(98, 34), Black);
}

TEST_F(EditorTest, ShiftSnapsTheRowToTens)
{
    const std::pair<int, float> cases[]
        = {{34, float(1.0L - 30.0L / 70)}, {35, float(1.0L - 40.0L / 70)}, {-4, 1.0f}, {-16, float(1.0L + 10.0L / 70)}};
    for (const auto &[row, value] : cases) {
        drag(96, row, Qt::ShiftModifier);
        EXPECT_EQ(drawn().height(5), value) << row;
    }
    EXPECT_FLOAT_EQ(drawn().height(5), 1.0f + 1.0f / 7);
    drag(96, 34);
    EXPECT_EQ(drawn().height(5), float(1.0L - 34.0L / 70));
}

TEST_F(EditorTest, PressNearTheEndsSelectsNothing)
{
    for (const int x : {5, 9, 222, 225}) {
        drag(x, 0);
        mouse(QEvent::MouseButtonPress, {x, 50}, Qt::RightButton, Qt::RightButton);
        mouse(QEvent::MouseButtonRelease, {x, 50}, Qt::RightButton, Qt::NoButton);
    }
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(drawn().height(i), 0.0f) << i;
        EXPECT_EQ(drawn().isDefined(i), i == 0 || i == 12) << i;
    }
}

TEST_F(EditorTest, ZoneEdgesInWholePixels)
{
    // Zone of point 1 starts at 9.625, the boundary with point 2 is at 28.875,
    // zone of point 11 ends at 221.375.
    const std::pair<int, int> cases[] = {{10, 1}, {28, 1}, {29, 2}, {221, 11}};
    for (const auto &[x, point] : cases) {
        editor()->clear();
        mouse(QEvent::MouseButtonPress, {x, 10}, Qt::LeftButton, Qt::LeftButton);
        EXPECT_EQ(editor()->selectedPoint(), point) << x;
        mouse(QEvent::MouseMove, {x, 0}, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, {x, 0}, Qt::LeftButton, Qt::NoButton);
        EXPECT_TRUE(drawn().isDefined(point)) << x;
        EXPECT_EQ(drawn().height(point), 1.0f) << x;
    }
}

TEST_F(EditorTest, RightClickRemovesThePointButKeepsItsValue)
{
    drag(96, 35);
    drag(115, 0);
    mouse(QEvent::MouseButtonPress, {97, 120}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(editor()->selectedPoint(), 0);
    // A right drag moves nothing.
    mouse(QEvent::MouseMove, {97, 100}, Qt::NoButton, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {97, 100}, Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(drawn().isDefined(5));
    EXPECT_EQ(drawn().height(5), 0.5f);
    EXPECT_TRUE(drawn().isDefined(6));
    // The marker has gone and the curve runs straight from the left end to point 6.
    EXPECT_NE(pixel(94, 34), Black);
    EXPECT_NE(pixel(96, 35), Black);
    EXPECT_EQ(pixel(115, 0), Black);

    // On an undefined point it changes nothing.
    mouse(QEvent::MouseButtonPress, {57, 120}, Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {57, 120}, Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(drawn().isDefined(3));
    EXPECT_TRUE(drawn().isDefined(6));
}

TEST_F(EditorTest, ClickWithoutMovingChangesNothing)
{
    drag(96, 20);
    const float before = drawn().height(5);
    for (const int x : {96, 115}) {
        mouse(QEvent::MouseButtonPress, {x, 130}, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, {x, 130}, Qt::LeftButton, Qt::NoButton);
    }
    EXPECT_EQ(drawn().height(5), before);
    EXPECT_TRUE(drawn().isDefined(5));
    EXPECT_FALSE(drawn().isDefined(6));
}

TEST_F(EditorTest, ReleaseEndsTheDrag)
{
    drag(96, 20);
    const float before = drawn().height(5);
    mouse(QEvent::MouseMove, {96, 100}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(drawn().height(5), before);
}

TEST_F(EditorTest, MiddleButtonDragsToo)
{
    drag(154, 140, Qt::NoModifier, Qt::MiddleButton);
    EXPECT_TRUE(drawn().isDefined(8));
    EXPECT_EQ(drawn().height(8), -1.0f);
}

TEST_F(EditorTest, ClearRemovesAllInnerPointsAndDraggingDefinesAgain)
{
    for (const int x : {19, 96, 211})
        drag(x, 10);
    QTest::mouseClick(clearButton(), Qt::LeftButton);
    for (int i = 1; i <= 11; ++i)
        EXPECT_FALSE(drawn().isDefined(i)) << i;
    EXPECT_EQ(drawn().height(5), float(1.0L - 10.0L / 70));
    for (int x = 0; x < 231; ++x)
        ASSERT_EQ(pixel(x, 70), Black) << x;
    EXPECT_NE(pixel(96, 10), Black);

    drag(96, 120);
    EXPECT_TRUE(drawn().isDefined(5));
    EXPECT_EQ(drawn().height(5), float(1.0L - 120.0L / 70));
    EXPECT_FALSE(drawn().isDefined(1));
}

// --- The drawn rule, end to end ----------------------------------------------

TEST_F(EditorTest, TriangleDrawnInTheEditorGivesItsSineSeries)
{
    drag(115, 0); // point 6, the middle, at height 1
    typeInto(modeCountBox(), "3");
    QTest::mouseClick(okButton(), Qt::LeftButton);
    const double pi2 = std::numbers::pi * std::numbers::pi;
    EXPECT_EQ(wave.rule, AmplitudeRule::Drawn);
    EXPECT_NEAR(wave.amplitudes[1], 8 / pi2, 1e-6);
    EXPECT_NEAR(wave.amplitudes[2], 0.0, 1e-6);
    EXPECT_NEAR(wave.amplitudes[3], -8 / (9 * pi2), 1e-6);
    EXPECT_EQ(applies, 1);
}

TEST_F(EditorTest, DrawnRuleWithNoInnerPointGivesZeros)
{
    typeInto(modeCountBox(), "4");
    wave.amplitudes.fill(0.5f);
    dlg->close();
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(wave.amplitudes[k], 0.0f) << k;
}

} // namespace
