#include "display/OwnerDraw.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>

#include <algorithm>

namespace {

QPalette::ColorGroup GroupOf(QStyle::State state)
{
    if (!(state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

} // namespace

void TDrawItem::FillBackground() const
{
    const QPalette::ColorRole back = Selected ? QPalette::Highlight : QPalette::Base;
    const QPalette::ColorRole text = Selected ? QPalette::HighlightedText : QPalette::Text;
    Canvas.fillRect(Rect, Palette.color(Group, back));
    Canvas.setPen(Palette.color(Group, text));
}

void TDrawItem::TextOut(int x, int y, const QString &text) const
{
    Canvas.save();
    Canvas.setClipRect(Rect, Qt::IntersectClip);
    const QRect room(x, y, std::max(0, Right() - x), std::max(0, Rect.top() + Rect.height() - y));
    Canvas.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    Canvas.restore();
}

TOwnerDrawDelegate::TOwnerDrawDelegate(int itemHeight, TDrawItemHandler drawItem, QObject *parent)
    : QStyledItemDelegate(parent)
    , itemHeight_(itemHeight)
    , drawItem_(std::move(drawItem))
{
}

void TOwnerDrawDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    painter->setClipRect(option.rect, Qt::IntersectClip);
    drawItem_(TDrawItem{*painter, index.row(), option.rect, bool(option.state & QStyle::State_Selected), option.palette,
                        GroupOf(option.state)});
    painter->restore();
}

QSize TOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    // The width is the list's; what an item draws beyond it is clipped.
    return {1, itemHeight_};
}

TOwnerDrawComboBox::TOwnerDrawComboBox(int itemHeight, TDrawItemHandler drawItem, QWidget *parent)
    : QComboBox(parent)
    , drawItem_(drawItem)
{
    setEditable(false);
    setItemDelegate(new TOwnerDrawDelegate(itemHeight, std::move(drawItem), this));
}

void TOwnerDrawComboBox::Repaint()
{
    update();
    view()->viewport()->update();
}

void TOwnerDrawComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0)
        return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    painter.setClipRect(field);
    // As a closed list does, the field shows the selection colours while the
    // box has the focus.
    drawItem_(TDrawItem{painter, currentIndex(), field, hasFocus(), palette(), GroupOf(opt.state)});
}
