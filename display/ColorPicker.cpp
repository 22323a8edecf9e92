#include "display/ColorPicker.h"

#include "platform/Desktop.h"

#include <QColorDialog>
#include <QPointer>

ColorPicker platformColorPicker(QWidget *parent)
{
    return [owner = QPointer<QWidget>(parent)](const QColor &initial) -> std::optional<QColor> {
        QColorDialog dialog(initial, owner);
        // Qt's dialog is larger than a small or scaled screen may be.
        keepOnDesktop(&dialog);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.selectedColor();
    };
}
