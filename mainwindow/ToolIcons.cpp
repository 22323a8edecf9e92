#include "mainwindow/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace {

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

void sun(QPainter &p)
{
    p.setPen(QPen(QColor(200, 150, 0), 1));
    p.setBrush(QColor(255, 215, 0));
    p.drawEllipse(QPointF(6, 8), 3.2, 3.2);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        p.drawLine(QPointF(6 + 4.3 * std::cos(a), 8 + 4.3 * std::sin(a)),
                   QPointF(6 + 5.8 * std::cos(a), 8 + 5.8 * std::sin(a)));
    }
}

void arrow(QPainter &p, bool up)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 90, 200));
    p.drawRect(QRectF(12, up ? 7 : 2, 2, 7));
    if (up)
        triangle(p, {13, 1}, {9.5, 7}, {16.5, 7});
    else
        triangle(p, {13, 15}, {9.5, 9}, {16.5, 9});
}

void figure(QPainter &p, bool running)
{
    p.setPen(QPen(QColor(30, 30, 30), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(running ? 10 : 8, 2.8), 1.8, 1.8);
    if (running) {
        p.drawLine(QPointF(9.5, 5), QPointF(7, 10)); // body leaning forward
        p.drawLine(QPointF(7, 10), QPointF(11, 12)); // front leg
        p.drawLine(QPointF(11, 12), QPointF(10, 15));
        p.drawLine(QPointF(7, 10), QPointF(4, 13)); // back leg
        p.drawLine(QPointF(4, 13), QPointF(1.5, 12));
        p.drawLine(QPointF(9, 6.5), QPointF(13, 7.5)); // arms
        p.drawLine(QPointF(9, 6.5), QPointF(5, 5.5));
        p.setPen(QPen(QColor(120, 120, 120), 1));
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

void magnifier(QPainter &p, bool plus)
{
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(220, 240, 255));
    p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
    p.setPen(QPen(QColor(0, 0, 0), 1.5));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void draw(QPainter &p, ToolPicture picture)
{
    const QColor ink(20, 20, 20);
    switch (picture) {
    case ToolPicture::Settings:
        p.setPen(QPen(QColor(0, 0, 160), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(sineCurve(1, 15, 6, 4, 2));
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(2.5, 11.5, 11, 3));
        p.setBrush(QColor(250, 200, 60));
        p.drawRect(QRectF(7.5, 10.5, 3, 5));
        break;
    case ToolPicture::VisualSettings:
        p.setPen(QPen(QColor(110, 80, 40), 1));
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
        p.setPen(QPen(QColor(128, 128, 128), 1.2));
        p.drawPath(sineCurve(1, 15, 8, 5, 1));
        p.setPen(QPen(QColor(230, 0, 0), 1.2));
        p.drawPath(sineCurve(1, 15, 8, 4, 2));
        p.drawPath(sineCurve(1, 15, 8, 3, 3));
        break;
    case ToolPicture::Monitor:
        p.setPen(QPen(ink, 1));
        p.drawLine(1, 1, 1, 15);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 0, 0));
        p.drawRect(2, 2, 12, 3);
        p.setBrush(QColor(0, 150, 0));
        p.drawRect(2, 7, 8, 3);
        p.setBrush(QColor(0, 0, 220));
        p.drawRect(2, 12, 5, 3);
        break;
    case ToolPicture::Copy:
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 8, 10));
        p.drawRect(QRectF(6.5, 4.5, 8, 10));
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
        sun(p);
        arrow(p, true);
        break;
    case ToolPicture::QualityDown:
        sun(p);
        arrow(p, false);
        break;
    case ToolPicture::SpeedDown:
        figure(p, false);
        break;
    case ToolPicture::SpeedUp:
        figure(p, true);
        break;
    case ToolPicture::ZoomUp:
        magnifier(p, true);
        break;
    case ToolPicture::ZoomDown:
        magnifier(p, false);
        break;
    }
}

} // namespace

QIcon makeToolIcon(ToolPicture picture)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, picture);
    }
    return QIcon(pm);
}

QPixmap makeProgramPicture(int size)
{
    QPixmap pm(size, size);
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
