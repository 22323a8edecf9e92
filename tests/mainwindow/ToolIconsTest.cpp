#include "mainwindow/ToolIcons.h"
#include "mainwindow/BandButton.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QScopeGuard>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int PictureCount = int(ToolPicture::ZoomDown) + 1;

// The pictures under a light palette as they were designed, before they
// followed the palette: MD5 of their 16 × 16 ARGB pixels, in ToolPicture order.
const char *const DesignedPictures[PictureCount] = {
    "782de29b257acf7054180e59c873b9f2", "afa4bcc4370c4c8a860b3b37b223f387", "cf2e281a77e765798ec96bcb1a2ba3d8",
    "a190676fc07b8ab8802cf23847ad8099", "cd8f045e52c6e8dfdd166e42f5ef4079", "a5bb38ff8f13dd857bb0e73451ee18aa",
    "2553d64f50d06c4a45581fac78c446ad", "007255d4c729a8c0e3a67520cc66bfcf", "94eb88f40c746262f74efb3056fe3319",
    "ecc3a1685f92d071647a05499d7dbc47", "63ba53ed5b9bd4e719a937b60b71ad7a", "6831723dc4ecb1a019c5ff23178da9aa",
    "68ec5dfdb00c736ed2de069507933c37", "95e78cc47b809823219656542db4d3ac", "ccb7d255d062f8316363ea7980696567",
};

QImage pixels(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

QByteArray md5(const QImage &image)
{
    QByteArray bytes;
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
}

QPalette darkPalette(const QColor &face, const QColor &text)
{
    QPalette palette = QApplication::palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, face);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    return palette;
}

// The share of the picture's solid pixels, laid over the button, whose grey
// stands off the button's by at least the margin.
double shareStandingOut(const QImage &picture, const QColor &button, int margin)
{
    int solid = 0;
    int standing = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb px = picture.pixel(x, y);
            const int a = qAlpha(px);
            if (a < 128)
                continue;
            const auto over = [a](int fore, int back) { return (fore * a + back * (255 - a)) / 255; };
            const int grey
                = qGray(over(qRed(px), button.red()), over(qGreen(px), button.green()), over(qBlue(px), button.blue()));
            ++solid;
            if (std::abs(grey - qGray(button.rgb())) >= margin)
                ++standing;
        }
    }
    return solid ? double(standing) / solid : 0.0;
}

TEST(ToolIconsTest, UnderTheDefaultPaletteThePicturesAreAsDesigned)
{
    ASSERT_FALSE(isDarkPalette(QApplication::palette()));
    for (int i = 0; i < PictureCount; ++i)
        EXPECT_EQ(md5(pixels(makeToolIcon(ToolPicture(i)))), DesignedPictures[i]) << "picture " << i;
}

TEST(ToolIconsTest, UnderADarkPaletteEveryPictureStandsOffTheButton)
{
    for (const QPalette &dark :
         {darkPalette(QColor(53, 53, 53), Qt::white), darkPalette(QColor(35, 38, 41), QColor(220, 220, 220))}) {
        ASSERT_TRUE(isDarkPalette(dark));
        const QColor button = dark.color(QPalette::Button);
        for (int i = 0; i < PictureCount; ++i)
            EXPECT_GE(shareStandingOut(pixels(makeToolIcon(ToolPicture(i), dark)), button, 64), 0.75)
                << "picture " << i << " on " << button.name().toStdString();
    }
}

TEST(ToolIconsTest, PicturesAreDrawnAtThePixelDensityOfTheScreen)
{
    for (const qreal ratio : {1.5, 2.0}) {
        const QPixmap pm = makeToolIcon(ToolPicture::SpeedUp).pixmap(QSize(16, 16), ratio);
        EXPECT_EQ(pm.size(), QSize(16, 16) * ratio) << ratio;
        EXPECT_EQ(pm.devicePixelRatio(), ratio);
    }
}

TEST(ToolIconsTest, BandButtonRedrawsItsPictureWhenTheThemeChanges)
{
    const QPalette light = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
    const QPalette dark = darkPalette(QColor(53, 53, 53), Qt::white);
    QAction action;
    const BandButton button(&action, ToolPicture::Pause, QStringLiteral("hint"));
    const QByteArray designed = md5(pixels(button.icon()));
    ASSERT_EQ(designed, DesignedPictures[int(ToolPicture::Pause)]);

    // A new desktop theme comes as a new application palette, announced by a posted event.
    QApplication::setPalette(dark);
    QApplication::processEvents();
    EXPECT_EQ(md5(pixels(button.icon())), md5(pixels(makeToolIcon(ToolPicture::Pause, dark))));
    QApplication::setPalette(light);
    QApplication::processEvents();
    EXPECT_EQ(md5(pixels(button.icon())), designed);
}

} // namespace
