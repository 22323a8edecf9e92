#pragma once
#include <QImage>
#include <QList>
#include <QPoint>

// Draws a one-pixel dashed polyline, solid and opaque in colour, into a 32-bit
// image with exactly the pixels QPainter gives it without antialiasing: Qt's
// own stepping of each segment in 1/64 pixel, its pixel added or dropped where
// two segments meet, and the dash pattern running on along the polyline.
// QPainter spends most of a frame's time on a thousand such curves.
// Every vertex must lie in columns 0..W and rows 0..H−1; `dashPattern` is the
// pen's, in pixels. Pictures with a side past 32767 are drawn by QPainter.
void drawDashedThinPolyline(QImage &image, const QPoint *points, int count, const QList<qreal> &dashPattern,
                            QRgb color);
