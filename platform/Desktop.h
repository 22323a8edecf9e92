#pragma once
class QRect;
class QSize;
class QWidget;

// Moves a top-level window so that its outer frame (the window itself where
// the frame is not yet known) is centred on the primary screen's free area.
void centreOnDesktop(QWidget *window);

// Lays the window and every layout inside it out at once, so that sizes and
// positions hold before the first showing (hidden widgets otherwise wait).
void layOutNow(QWidget *window);

// Where an outer frame goes so that it lies on the free area: where it is if
// it lies there already, moved in if it fits; otherwise at the area's
// top-left, shrunk to the area's size but not below the smallest frame.
QRect frameOnDesktop(const QRect &frame, const QRect &area, const QSize &smallest);

// Keeps a top-level window on its screen's free area, frame included, each
// time it is shown: the window's own placement stands wherever it fits. The
// frame a window manager adds is known only once the window is mapped, so the
// window is looked at again then.
void keepOnDesktop(QWidget *window);
