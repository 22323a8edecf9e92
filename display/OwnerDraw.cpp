#include "display/OwnerDraw.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>

#include <algorithm>

namespace {

QPalette::ColorGroup groupOf(QStyle::State state)
{
    if (!(state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

} // namespace

void DrawItem::fillBackground() const
{
    const QPalette::ColorRole back = selected ? QPalette::Highlight : QPalette::Base;
    const QPalette::ColorRole text = selected ? QPalette::HighlightedText : QPalette::Text;
    canvas.fillRect(rect, palette.color(group, back));
    canvas.setPen(palette.color(group, text));
}

void DrawItem::textOut(int x, int y, const QString &text) const
{
    canvas.save();
    canvas.setClipRect(rect, Qt::IntersectClip);
    const QRect room(x, y, std::max(0, right() - x), std::max(0, rect.top() + rect.height() - y));
    canvas.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    canvas.restore();
}

OwnerDrawDelegate::OwnerDrawDelegate(int itemHeight, DrawItemHandler drawItem, QObject *parent)
    : QStyledItemDelegate(parent)
    , itemHeight_(itemHeight)
    , drawItem_(std::move(drawItem))
{
}

void OwnerDrawDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    painter->setClipRect(option.rect, Qt::IntersectClip);
    drawItem_(DrawItem{*painter, index.row(), option.rect, bool(option.state & QStyle::State_Selected), option.palette,
                       groupOf(option.state)});
    painter->restore();
}

QSize OwnerDrawDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    // The width is the list's; what an item draws beyond it is clipped.
    return {1, itemHeight_};
}

OwnerDrawComboBox::OwnerDrawComboBox(int itemHeight, DrawItemHandler drawItem, QWidget *parent)
    : QComboBox(parent)
    , drawItem_(drawItem)
{
    setEditable(false);
    setItemDelegate(new OwnerDrawDelegate(itemHeight, std::move(drawItem), this));
}

void OwnerDrawComboBox::repaint()
{
    update();
    view()->viewport()->update();
}

void OwnerDrawComboBox::paintEvent(QPaintEvent *)
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
    drawItem_(DrawItem{painter, currentIndex(), field, hasFocus(), palette(), groupOf(opt.state)});
}
