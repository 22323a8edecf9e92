#pragma once
#include <QComboBox>
#include <QPalette>
#include <QRect>
#include <QStyledItemDelegate>

#include <functional>

class QPainter;

// One item to be drawn by the program: the canvas, the item's number and its
// rectangle, and whether it is to show the selection colours.
struct TDrawItem {
    QPainter &Canvas;
    int Index;
    QRect Rect;
    bool Selected;
    QPalette Palette;
    QPalette::ColorGroup Group;

    // Fills the rectangle in the item's background (the selection colours for
    // a selected item) and takes the matching text colour.
    void FillBackground() const;
    // The text with its top left corner at (x, y), clipped to the rectangle.
    void TextOut(int x, int y, const QString &text) const;
    // The row halfway down the rectangle, its lower edge exclusive.
    int Middle() const { return (Rect.top() + Rect.top() + Rect.height()) / 2; }
    // The right edge, exclusive.
    int Right() const { return Rect.left() + Rect.width(); }
};

using TDrawItemHandler = std::function<void(const TDrawItem &item)>;

// Lets the program draw every item of a list, each of a fixed height.
class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    TOwnerDrawDelegate(int itemHeight, TDrawItemHandler drawItem, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int itemHeight_;
    TDrawItemHandler drawItem_;
};

// A drop-down list whose items, the chosen one in the closed field included,
// are drawn by the program. The closed field stays empty without a choice.
class TOwnerDrawComboBox : public QComboBox {
public:
    TOwnerDrawComboBox(int itemHeight, TDrawItemHandler drawItem, QWidget *parent = nullptr);

    // Repaints the closed field and the open list.
    void Repaint();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TDrawItemHandler drawItem_;
};
