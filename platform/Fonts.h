#pragma once
#include <QFont>
#include <QString>

// The window designs name Windows fonts that a Linux desktop lacks; map them
// to an installed Japanese font so the captions render.
void installFontSubstitutions();

// The font a design names, at a size in pixels.
QFont designFont(const QString &family, int pixels);

// The font at another size in pixels.
QFont withPixelSize(QFont font, int pixels);
