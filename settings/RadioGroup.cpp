#include "settings/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>

#include <algorithm>

namespace {

// An item answers a click anywhere across the group, not only on its text.
class RadioItem : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

} // namespace

RadioGroup::RadioGroup(const QString &title, const QStringList &items, QWidget *parent)
    : QGroupBox(title, parent)
    , group_(new QButtonGroup(this))
{
    for (const QString &text : items) {
        auto *button = new RadioItem(text, this);
        group_->addButton(button, int(buttons_.size()));
        buttons_.push_back(button);
    }
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit clicked();
    });
    arrangeButtons();
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < count()) {
        buttons_[std::size_t(index)]->setChecked(true);
    } else if (QAbstractButton *checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    arrangeButtons();
}

void RadioGroup::arrangeButtons()
{
    if (buttons_.empty())
        return;
    // The items share the space below the title evenly.
    const QRect area = contentsRect();
    const int n = count();
    const int itemHeight = std::max(area.height() / n, 1);
    const int top = area.top() + (area.height() - itemHeight * n) / 2;
    for (int i = 0; i < n; ++i)
        buttons_[std::size_t(i)]->setGeometry(area.left() + 8, top + i * itemHeight, std::max(area.width() - 16, 1),
                                              itemHeight);
}
