#include "display/LineStyleDialog.h"
#include "platform/Desktop.h"
#include "platform/Fonts.h"

#include "display/ColorPanel.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int ItemHeight = 16;
constexpr int PenStyleCount = 5;
constexpr int PenWidthCount = 5;
// Wider samples would not fit their row.
constexpr int MaxSampleWidth = 10;

// A caption and its field below it, the field's top `fieldDrop` below the
// caption's and indented 32 further, or lower where a larger font needs it.
QLabel *addField(QVBoxLayout *column, const QString &caption, QWidget *field, int fieldDrop)
{
    auto *label = new QLabel(caption);
    column->addWidget(label, 0, Qt::AlignLeft);
    column->addSpacing(std::max(0, fieldDrop - label->sizeHint().height()));
    field->setMinimumSize(201, 22);
    auto *row = new QHBoxLayout;
    row->addSpacing(32);
    row->addWidget(field);
    column->addLayout(row);
    return label;
}

QPushButton *fixedButton(const QString &caption, QSize size)
{
    auto *button = new QPushButton(caption);
    button->setFixedSize(size);
    return button;
}

} // namespace

LineStyleDialog::LineStyleDialog(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , colorPicker_(platformColorPicker(this))
{
    setWindowTitle(tr("線の設定"));
    setFont(designFont(QStringLiteral("MS UI Gothic"), 12));
    panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setMinimumSize(265, 153);
    auto *fields = new QVBoxLayout(panel);
    const int frame = panel->frameWidth();
    fields->setContentsMargins(16 - frame, 8 - frame, 16 - frame, 16 - frame);
    fields->setSpacing(0);

    pnlColor = new ColorPanel(tr("クリックして設定"));
    lblColor = addField(fields, tr("線の色"), pnlColor, 16);
    connect(pnlColor, &ColorPanel::clicked, this, &LineStyleDialog::chooseColor);
    fields->addSpacing(7);

    cmbPenStyle = new OwnerDrawComboBox(ItemHeight, [this](const DrawItem &item) { drawStyleRow(item); });
    cmbPenStyle->addItems({tr("実線"), tr("破線"), tr("点線"), tr("一点鎖線"), tr("二点鎖線")});
    lblPenStyle = addField(fields, tr("線の形"), cmbPenStyle, 14);
    connect(cmbPenStyle, &QComboBox::activated, this, &LineStyleDialog::styleChosen);
    fields->addSpacing(7);

    cmbPenWidth = new OwnerDrawComboBox(ItemHeight, [this](const DrawItem &item) { drawWidthRow(item); });
    for (int i = 0; i < PenWidthCount; ++i)
        cmbPenWidth->addItem(QString::number(i + 1));
    lblPenWidth = addField(fields, tr("線の幅"), cmbPenWidth, 19);
    connect(cmbPenWidth, &QComboBox::activated, this, &LineStyleDialog::widthChosen);
    fields->addStretch(1);

    // Cancel stays left of OK on every desktop, as designed.
    btnCancel = fixedButton(tr("キャンセル(&C)"), {83, 25});
    connect(btnCancel, &QPushButton::clicked, this, &LineStyleDialog::cancel);
    btnOK = fixedButton(tr("&OK"), {75, 25});
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &LineStyleDialog::confirm);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(5);
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnOK);

    // The buttons reach two pixels past the panel's right edge.
    auto *panelRow = new QHBoxLayout;
    panelRow->addWidget(panel);
    panelRow->addSpacing(2);
    auto *root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    root->setContentsMargins(8, 8, 6, 6);
    root->setSpacing(7);
    root->addLayout(panelRow);
    root->addLayout(buttons);
    layOutNow(this);
}

bool LineStyleDialog::execute()
{
    if (isVisible())
        return false;
    pnlColor->setColor(pen.color);
    // Showing a choice leaves Pen alone: a style or width the lists do not
    // offer stays until the user picks another.
    cmbPenStyle->setCurrentIndex(pen.style >= 1 && pen.style < PenStyleCount ? pen.style : 0);
    cmbPenWidth->setCurrentIndex(pen.width >= 1 && pen.width <= PenWidthCount ? pen.width - 1 : -1);
    repaintLists();
    centreOnDesktop(this);
    return exec() == QDialog::Accepted;
}

void LineStyleDialog::chooseColor()
{
    if (!colorPicker_)
        return;
    const std::optional<QColor> picked = colorPicker_(pickerColor_);
    if (!picked || !picked->isValid())
        return;
    pickerColor_ = *picked;
    pen.color = fromQColor(*picked);
    pnlColor->setColor(pen.color);
    repaintLists();
}

void LineStyleDialog::styleChosen()
{
    const int i = cmbPenStyle->currentIndex();
    if (i >= 0)
        pen.style = i;
    repaintLists();
}

void LineStyleDialog::widthChosen()
{
    const int i = cmbPenWidth->currentIndex();
    if (i >= 0)
        pen.width = i + 1;
    repaintLists();
}

void LineStyleDialog::drawStyleRow(const DrawItem &item)
{
    item.fillBackground();
    item.textOut(85, item.rect.top() + 2, cmbPenStyle->itemText(item.index));
    item.canvas.setPen(toQPen(Pen{pen.color, item.index, pen.width}, MaxSampleWidth));
    item.canvas.drawLine(8, item.middle(), 80, item.middle());
}

void LineStyleDialog::drawWidthRow(const DrawItem &item)
{
    item.fillBackground();
    item.textOut(85, item.rect.top() + 2, tr("%1pixel").arg(item.index + 1));
    item.canvas.setPen(toQPen(Pen{pen.color, pen.style, item.index + 1}, MaxSampleWidth));
    item.canvas.drawLine(5, item.middle(), 80, item.middle());
}

void LineStyleDialog::confirm()
{
    accept();
}

void LineStyleDialog::cancel()
{
    reject();
}

void LineStyleDialog::repaintLists()
{
    cmbPenWidth->repaint();
    cmbPenStyle->repaint();
}
