#pragma once
#include <QImage>
#include <QPoint>

// Draws a one-pixel, solid, opaque polyline straight into a 32-bit image. A frame
// with every mode shown draws a thousand curves of a thousand segments; going
// through QPainter's general stroker costs most of that frame's time.
// Segments are clipped to the image first, so vertices far outside cost nothing.
void DrawThinPolyline(QImage &image, const QPoint *points, int count, QRgb color);

// Whether a pen can be drawn by DrawThinPolyline.
bool IsThinSolidPen(const class QPen &pen);
