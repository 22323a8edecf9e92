#include "mainwindow/ToolIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOption>

#include <cmath>
#include <numbers>

namespace {

// The colours a picture takes from the palette. Under a light palette every
// picture keeps the colours it was designed in; under a dark one the black line
// art takes the button text colour and the darker colours lighter shades.
struct Inks {
    bool dark = false;
    QColor text;

    QColor line(const QColor &designed) const { return dark ? text : designed; }
    QColor shade(const QColor &designed, const QColor &onDark) const { return dark ? onDark : designed; }
};

void triangle(QPainter &p, QPointF a, QPointF b, QPointF c)
{
    p.drawPolygon(QPolygonF{} << a << b << c);
}

QPainterPath sineCurve(double x0, double x1, double mid, double amp, double cycles)
{
    QPainterPath path;
    for (int i = 0; i <= 32; ++i) {
        const double t = i / 32.0;
        const QPointF pt(x0 + (x1 - x0) * t, mid - amp * std::sin(cycles * std::numbers::pi * t));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

void sun(QPainter &p, const Inks &k)
{
    p.setPen(QPen(k.shade(QColor(200, 150, 0), QColor(255, 200, 40)), 1));
    p.setBrush(QColor(255, 215, 0));
    p.drawEllipse(QPointF(6, 8), 3.2, 3.2);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        p.drawLine(QPointF(6 + 4.3 * std::cos(a), 8 + 4.3 * std::sin(a)),
                   QPointF(6 + 5.8 * std::cos(a), 8 + 5.8 * std::sin(a)));
    }
}

void arrow(QPainter &p, const Inks &k, bool up)
{
    p.setPen(Qt::NoPen);
    p.setBrush(k.shade(QColor(0, 90, 200), QColor(90, 160, 255)));
    p.drawRect(QRectF(12, up ? 7 : 2, 2, 7));
    if (up)
        triangle(p, {13, 1}, {9.5, 7}, {16.5, 7});
    else
        triangle(p, {13, 15}, {9.5, 9}, {16.5, 9});
}

void figure(QPainter &p, const Inks &k, bool running)
{
    const QColor body = k.line(QColor(30, 30, 30));
    p.setPen(QPen(body, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(body);
    p.drawEllipse(QPointF(running ? 10 : 8, 2.8), 1.8, 1.8);
    if (running) {
        p.drawLine(QPointF(9.5, 5), QPointF(7, 10)); // body leaning forward
        p.drawLine(QPointF(7, 10), QPointF(11, 12)); // front leg
        p.drawLine(QPointF(11, 12), QPointF(10, 15));
        p.drawLine(QPointF(7, 10), QPointF(4, 13)); // back leg
        p.drawLine(QPointF(4, 13), QPointF(1.5, 12));
        p.drawLine(QPointF(9, 6.5), QPointF(13, 7.5)); // arms
        p.drawLine(QPointF(9, 6.5), QPointF(5, 5.5));
        p.setPen(QPen(k.shade(QColor(120, 120, 120), QColor(170, 170, 170)), 1));
        p.drawLine(QPointF(0.5, 7), QPointF(3.5, 7)); // speed lines
        p.drawLine(QPointF(0.5, 9), QPointF(2.5, 9));
    } else {
        p.drawLine(QPointF(8, 5), QPointF(8, 10));
        p.drawLine(QPointF(8, 10), QPointF(10, 15));
        p.drawLine(QPointF(8, 10), QPointF(6, 15));
        p.drawLine(QPointF(8, 6.5), QPointF(10.5, 9));
        p.drawLine(QPointF(8, 6.5), QPointF(5.5, 9));
    }
}

void magnifier(QPainter &p, const Inks &k, bool plus)
{
    p.setPen(QPen(k.line(QColor(40, 40, 40)), 1.5));
    p.setBrush(QColor(220, 240, 255));
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    p.setPen(QPen(k.shade(QColor(120, 70, 20), QColor(200, 140, 70)), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
    // The sign stays black: it lies on the light glass.
    p.setPen(QPen(QColor(0, 0, 0), 1.5));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void draw(QPainter &p, ToolPicture picture, const Inks &k)
{
    const QColor ink = k.line(QColor(20, 20, 20));
    const QColor red = k.shade(QColor(230, 0, 0), QColor(255, 100, 100));
    switch (picture) {
    case ToolPicture::Settings:
        p.setPen(QPen(k.shade(QColor(0, 0, 160), QColor(110, 160, 255)), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(sineCurve(1, 15, 6, 4, 2));
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(2.5, 11.5, 11, 3));
        p.setBrush(QColor(250, 200, 60));
        p.drawRect(QRectF(7.5, 10.5, 3, 5));
        break;
    case ToolPicture::VisualSettings:
        p.setPen(QPen(k.shade(QColor(110, 80, 40), QColor(210, 170, 110)), 1));
        p.setBrush(QColor(235, 205, 150));
        p.drawEllipse(QRectF(1, 2, 14, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(5, 6), 1.6, 1.6);
        p.setBrush(QColor(0, 160, 0));
        p.drawEllipse(QPointF(9, 5), 1.6, 1.6);
        p.setBrush(Qt::blue);
        p.drawEllipse(QPointF(11.5, 9), 1.6, 1.6);
        p.setBrush(QColor(240, 240, 240));
        p.drawEllipse(QPointF(6, 10.5), 1.8, 1.8);
        break;
    case ToolPicture::ShowAll:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(k.shade(QColor(128, 128, 128), QColor(170, 170, 170)), 1.2));
        p.drawPath(sineCurve(1, 15, 8, 5, 1));
        p.setPen(QPen(red, 1.2));
        p.drawPath(sineCurve(1, 15, 8, 4, 2));
        p.drawPath(sineCurve(1, 15, 8, 3, 3));
        break;
    case ToolPicture::Monitor:
        p.setPen(QPen(ink, 1));
        p.drawLine(1, 1, 1, 15);
        p.setPen(Qt::NoPen);
        p.setBrush(k.shade(QColor(220, 0, 0), QColor(255, 100, 100)));
        p.drawRect(2, 2, 12, 3);
        p.setBrush(k.shade(QColor(0, 150, 0), QColor(90, 210, 90)));
        p.drawRect(2, 7, 8, 3);
        p.setBrush(k.shade(QColor(0, 0, 220), QColor(110, 150, 255)));
        p.drawRect(2, 12, 5, 3);
        break;
    case ToolPicture::Copy:
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 8, 10));
        p.drawRect(QRectF(6.5, 4.5, 8, 10));
        if (k.dark) {
            // Where the front sheet lies on the back one, a dark edge parts them.
            p.setPen(QPen(QColor(20, 20, 20), 1));
            p.drawLine(QPointF(6.5, 5), QPointF(6.5, 11.5));
            p.drawLine(QPointF(7, 4.5), QPointF(9.5, 4.5));
        }
        p.setPen(QPen(QColor(0, 0, 160), 1));
        for (int y = 7; y <= 12; y += 2)
            p.drawLine(8, y, 13, y);
        break;
    case ToolPicture::Rewind:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(2, 3, 2, 10);
        triangle(p, {5, 8}, {13, 3}, {13, 13});
        break;
    case ToolPicture::Prev:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        triangle(p, {3, 8}, {11, 3}, {11, 13});
        p.drawRect(12, 3, 2, 10);
        break;
    case ToolPicture::Pause:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(4, 3, 3, 10);
        p.drawRect(9, 3, 3, 10);
        break;
    case ToolPicture::Next:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(2, 3, 2, 10);
        triangle(p, {13, 8}, {5, 3}, {5, 13});
        break;
    case ToolPicture::QualityUp:
        sun(p, k);
        arrow(p, k, true);
        break;
    case ToolPicture::QualityDown:
        sun(p, k);
        arrow(p, k, false);
        break;
    case ToolPicture::SpeedDown:
        figure(p, k, false);
        break;
    case ToolPicture::SpeedUp:
        figure(p, k, true);
        break;
    case ToolPicture::ZoomUp:
        magnifier(p, k, true);
        break;
    case ToolPicture::ZoomDown:
        magnifier(p, k, false);
        break;
    }
}

} // namespace

bool isDarkPalette(const QPalette &palette)
{
    return palette.color(QPalette::Button).lightness() < palette.color(QPalette::ButtonText).lightness();
}

namespace {

// Draws a picture afresh at every size and pixel density asked for, so that a
// scaled screen shows it sharp rather than enlarged.
class ToolIconEngine : public QIconEngine {
public:
    ToolIconEngine(ToolPicture picture, const QPalette &palette)
        : picture_(picture)
        , palette_(palette)
        , inks_{isDarkPalette(palette), palette.color(QPalette::ButtonText)}
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // The size is in device pixels.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        {
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            if (size != QSize(16, 16))
                p.scale(size.width() / 16.0, size.height() / 16.0);
            draw(p, picture_, inks_);
        }
        if (mode != QIcon::Normal) {
            // Greyed or highlighted as the style does it for any picture.
            QStyleOption option;
            option.palette = palette_;
            pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        pm.setDevicePixelRatio(scale);
        return pm;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(16, 16)}; }
    QString key() const override { return QStringLiteral("velmora-tool"); }
    QIconEngine *clone() const override { return new ToolIconEngine(*this); }

private:
    ToolPicture picture_;
    QPalette palette_;
    Inks inks_;
};

} // namespace

QIcon makeToolIcon(ToolPicture picture, const QPalette &palette)
{
    return QIcon(new ToolIconEngine(picture, palette));
}

QPixmap makeProgramPicture(int size)
{
    // Drawn at the screens' pixel density, so that a scaled screen shows it sharp.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pm(QSize(size, size) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.setBrush(QColor(255, 255, 224));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
    p.setPen(QPen(QColor(90, 90, 90), 3));
    p.drawLine(QPointF(8, 14), QPointF(8, 50));
    p.drawLine(QPointF(56, 14), QPointF(56, 50));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 0, 0), 1.5));
    p.drawPath(sineCurve(8, 56, 32, 10, 2));
    p.drawPath(sineCurve(8, 56, 32, 7, 3));
    p.setPen(QPen(QColor(0, 0, 0), 2.5));
    p.drawPath(sineCurve(8, 56, 32, 16, 1));
    return pm;
}
