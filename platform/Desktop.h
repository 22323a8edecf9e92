#pragma once
class QWidget;

// Moves a top-level window so that its outer frame (the window itself where
// the frame is not yet known) is centred on the primary screen's free area.
void centreOnDesktop(QWidget *window);

// Lays the window and every layout inside it out at once, so that sizes and
// positions hold before the first showing (hidden widgets otherwise wait).
void layOutNow(QWidget *window);
