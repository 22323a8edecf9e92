#pragma once
#include "support/QStringPrinter.h"
#include <QAbstractItemView>
#include <QColor>
#include <QDialog>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QString>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Answers a modal dialog each time it is shown: runs the action inside the
// dialog's own event loop. A dialog the action left open is cancelled and
// counted as a failure, so a broken test cannot hang.
class ModalAnswerer : public QObject {
public:
    ModalAnswerer(QDialog *dialog, std::function<void()> action)
        : dialog_(dialog)
        , action_(std::move(action))
    {
        dialog_->installEventFilter(this);
    }
    ~ModalAnswerer() override { dialog_->removeEventFilter(this); }

    int shows() const { return shows_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == dialog_ && event->type() == QEvent::Show) {
            ++shows_;
            QTimer::singleShot(0, this, [this] {
                action_();
                if (dialog_->isVisible()) {
                    ADD_FAILURE() << "the dialog was left open";
                    dialog_->reject();
                }
            });
        }
        return false;
    }

private:
    QDialog *dialog_;
    std::function<void()> action_;
    int shows_ = 0;
};

// How many pixels of column x have exactly the colour.
inline int pixelsInColumn(const QImage &image, int x, const QColor &color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += image.pixelColor(x, y).rgb() == color.rgb();
    return n;
}

// How many pixels of row y have exactly the colour.
inline int pixelsInRow(const QImage &image, int y, const QColor &color)
{
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += image.pixelColor(x, y).rgb() == color.rgb();
    return n;
}

// How many pixels of the whole image have exactly the colour.
inline int pixelsInImage(const QImage &image, const QColor &color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += pixelsInRow(image, y, color);
    return n;
}

// One row of an owner-drawn list as its delegate draws it, unselected, into a
// white image of the given size.
inline QImage renderListRow(const QAbstractItemDelegate *delegate, const QAbstractItemModel *model,
                            const QPalette &palette, int row, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.palette = palette;
    option.state = QStyle::State_Enabled | QStyle::State_Active;
    delegate->paint(&painter, option, model->index(row, 0));
    return image;
}
