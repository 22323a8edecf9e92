#include "platform/Desktop.h"

#include <QApplication>
#include <QRect>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>

namespace {

// Rectangles compared as text, so that a failure reads as one.
std::string str(const QRect &r)
{
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x"
        + std::to_string(r.height());
}

// A 1280 × 720 screen scaled by 2, below a 24-pixel panel.
const QRect Area(0, 12, 640, 348);

TEST(DesktopTest, AFrameOnTheFreeAreaStaysWhereItIs)
{
    EXPECT_EQ(str(frameOnDesktop({52, 12, 535, 348}, Area, {100, 100})), str(QRect(52, 12, 535, 348)));
    EXPECT_EQ(str(frameOnDesktop({100, 50, 200, 100}, Area, {300, 300})), str(QRect(100, 50, 200, 100)));
}

TEST(DesktopTest, AFrameThatFitsIsMovedOnJustEnough)
{
    EXPECT_EQ(str(frameOnDesktop({-20, 0, 200, 100}, Area, {})), str(QRect(0, 12, 200, 100)));
    EXPECT_EQ(str(frameOnDesktop({600, 300, 200, 100}, Area, {})), str(QRect(440, 260, 200, 100)));
}

TEST(DesktopTest, AFrameLargerThanTheAreaGoesToItsTopLeftShrunkAsFarAsAllowed)
{
    EXPECT_EQ(str(frameOnDesktop({52, -38, 535, 437}, Area, {200, 100})), str(QRect(0, 12, 535, 348)));
    EXPECT_EQ(str(frameOnDesktop({-10, -10, 900, 500}, Area, {700, 100})), str(QRect(0, 12, 700, 348)));
    // A window that cannot shrink still shows its title bar and menu.
    EXPECT_EQ(str(frameOnDesktop({52, -38, 535, 437}, Area, {535, 437})), str(QRect(0, 12, 535, 437)));
}

class ShownWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
        area = QGuiApplication::primaryScreen()->availableGeometry();
        keepOnDesktop(&window);
    }

    void show()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QRect area;
    QWidget window;
};

TEST_F(ShownWindow, PlacedOnTheScreenItStaysExactlyThere)
{
    const QRect placed(area.left() + 30, area.top() + 40, 200, 100);
    window.setGeometry(placed);
    show();
    EXPECT_EQ(str(window.geometry()), str(placed));
}

TEST_F(ShownWindow, TooLargeItOpensAtTheTopLeftShrunkToTheScreen)
{
    window.setMinimumSize(100, 100);
    window.resize(area.size() + QSize(200, 100));
    window.move(area.center());
    show();
    EXPECT_EQ(str(window.frameGeometry()), str(area));
}

TEST_F(ShownWindow, TooLargeAndFixedItOpensAtTheTopLeft)
{
    window.setFixedSize(area.size() + QSize(200, 100));
    window.move(area.topLeft() - QPoint(50, 50));
    show();
    EXPECT_EQ(window.frameGeometry().topLeft(), area.topLeft());
    EXPECT_EQ(window.size(), area.size() + QSize(200, 100));
}

TEST_F(ShownWindow, MovedOffWhileHiddenItComesBackOnShowing)
{
    window.resize(200, 100);
    show();
    window.hide();
    window.move(area.right() - 50, area.bottom() - 20);
    show();
    EXPECT_TRUE(area.contains(window.frameGeometry())) << str(window.frameGeometry());
}

} // namespace
