#include "display/ColorPicker.h"

#include <QColorDialog>
#include <QPointer>

ColorPicker platformColorPicker(QWidget *parent)
{
    return [owner = QPointer<QWidget>(parent)](const QColor &initial) -> std::optional<QColor> {
        const QColor picked = QColorDialog::getColor(initial, owner);
        if (!picked.isValid())
            return std::nullopt;
        return picked;
    };
}
