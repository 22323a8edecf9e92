#pragma once
#include <QComboBox>
#include <QPalette>
#include <QRect>
#include <QStyledItemDelegate>

#include <functional>

class QPainter;

// One item to be drawn by the program: the canvas, the item's number and its
// rectangle, and whether it is to show the selection colours.
struct DrawItem {
    QPainter &canvas;
    int index;
    QRect rect;
    bool selected;
    QPalette palette;
    QPalette::ColorGroup group;

    // Fills the rectangle in the item's background (the selection colours for
    // a selected item) and takes the matching text colour.
    void fillBackground() const;
    // The text with its top left corner at (x, y), clipped to the rectangle.
    void textOut(int x, int y, const QString &text) const;
    // The row halfway down the rectangle, its lower edge exclusive.
    int middle() const { return (rect.top() + rect.top() + rect.height()) / 2; }
    // The right edge, exclusive.
    int right() const { return rect.left() + rect.width(); }
};

using DrawItemHandler = std::function<void(const DrawItem &item)>;

// Lets the program draw every item of a list, each of a fixed height.
class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    OwnerDrawDelegate(int itemHeight, DrawItemHandler drawItem, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int itemHeight_;
    DrawItemHandler drawItem_;
};

// A drop-down list whose items, the chosen one in the closed field included,
// are drawn by the program. The closed field stays empty without a choice.
class OwnerDrawComboBox : public QComboBox {
public:
    OwnerDrawComboBox(int itemHeight, DrawItemHandler drawItem, QWidget *parent = nullptr);

    // Repaints the closed field and the open list.
    void repaint();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DrawItemHandler drawItem_;
};
