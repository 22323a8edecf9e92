#pragma once
#include "model/DrawnWaveform.h"

#include <QColor>

class QImage;

// The geometry of the waveform editor: 13 points across an image W × H, point i
// in column (i·W) div 12, a value v at row (H div 2)·(1 − v).

// Column of point i (0..12); point 12 lies just past the last column.
int waveformColumn(int i, int width);

// Row of a value, nearest with ties to even, after moving `offset` rows down
// from the exact position. Far-off values stop at a row far outside the image,
// so they draw as if they were infinite and never overflow.
int waveformRow(double value, int height, double offset = 0.0);

// The inner point whose zone holds column x, 0 for none. A shared zone
// boundary belongs to the higher point.
int waveformHitPoint(double x, int width);

// Row y snapped as Shift drags do: ((y + 5) div 10) · 10, the division
// truncating toward zero, so 35 gives 40 but -5 gives 0 and -16 gives -10.
int waveformSnapRow(int y);

// The value a point dragged to row y takes.
float waveformValueAt(int y, int height);

// The editor while the drawn rule is chosen: white, framed, grid, the polyline
// from the left end through the defined points 1..12, markers on the inner ones.
void drawWaveformWorking(QImage &image, const DrawnWaveform &waveform);

// The editor while another rule is chosen: a framed plain area in `face`.
void drawWaveformBlank(QImage &image, const QColor &face);
