#include "display/ChoiceListWidget.h"

#include <QKeyEvent>

namespace {

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

ChoiceListWidget::ChoiceListWidget(QWidget *parent)
    : QListWidget(parent)
{
    const auto choose = [this](const QModelIndex &index) { emit rowChosen(index.row()); };
    connect(this, &QAbstractItemView::clicked, this, choose);
    // A click that comes soon after the one before reaches the list as the
    // second half of a double click, and Qt then reports no click: the user
    // who closed the dialog quickly and clicked again still chose a row.
    connect(this, &QAbstractItemView::doubleClicked, this, choose);
}

void ChoiceListWidget::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    const bool beforeSelected = currentItem() && currentItem()->isSelected();
    QListWidget::keyPressEvent(event);
    const QListWidgetItem *reached = currentItem();
    // Focus alone makes the first row current without selecting it; that row
    // is chosen only once a key selects it.
    if (!reached || !reached->isSelected())
        return;
    if (isNavigationKey(event->key()) || currentRow() != before || !beforeSelected)
        emit rowChosen(currentRow());
}
