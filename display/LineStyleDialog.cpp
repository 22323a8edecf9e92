#include "display/LineStyleDialog.h"
#include "platform/Desktop.h"
#include "platform/Fonts.h"

#include "display/ColorPanel.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int ItemHeight = 16;
constexpr int PenStyleCount = 5;
constexpr int PenWidthCount = 5;
// Wider samples would not fit their row.
constexpr int MaxSampleWidth = 10;

QLabel *addLabel(QWidget *parent, int x, int y, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
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
    setFixedSize(281, 199);

    panel = new QFrame(this);
    panel->setGeometry(8, 8, 265, 153);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);

    lblColor = addLabel(panel, 16, 8, tr("線の色"));
    pnlColor = new ColorPanel(tr("クリックして設定"), panel);
    pnlColor->setGeometry(48, 24, 201, 22);
    connect(pnlColor, &ColorPanel::clicked, this, &LineStyleDialog::pnlColorClick);

    lblPenStyle = addLabel(panel, 16, 53, tr("線の形"));
    cmbPenStyle = new OwnerDrawComboBox(
        ItemHeight, [this](const DrawItem &item) { cmbPenStyleDrawItem(item); }, panel);
    cmbPenStyle->setGeometry(48, 67, 201, 22);
    cmbPenStyle->addItems({tr("実線"), tr("破線"), tr("点線"), tr("一点鎖線"), tr("二点鎖線")});
    connect(cmbPenStyle, &QComboBox::activated, this, &LineStyleDialog::cmbPenStyleChange);

    lblPenWidth = addLabel(panel, 16, 96, tr("線の幅"));
    cmbPenWidth = new OwnerDrawComboBox(
        ItemHeight, [this](const DrawItem &item) { cmbPenWidthDrawItem(item); }, panel);
    cmbPenWidth->setGeometry(48, 115, 201, 22);
    for (int i = 0; i < PenWidthCount; ++i)
        cmbPenWidth->addItem(QString::number(i + 1));
    connect(cmbPenWidth, &QComboBox::activated, this, &LineStyleDialog::cmbPenWidthChange);

    btnCancel = new QPushButton(tr("キャンセル(&C)"), this);
    btnCancel->setGeometry(112, 168, 83, 25);
    connect(btnCancel, &QPushButton::clicked, this, &LineStyleDialog::btnCancelClick);
    btnOK = new QPushButton(tr("&OK"), this);
    btnOK->setGeometry(200, 168, 75, 25);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &LineStyleDialog::btnOKClick);
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

void LineStyleDialog::pnlColorClick()
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

void LineStyleDialog::cmbPenStyleChange()
{
    const int i = cmbPenStyle->currentIndex();
    if (i >= 0)
        pen.style = i;
    repaintLists();
}

void LineStyleDialog::cmbPenWidthChange()
{
    const int i = cmbPenWidth->currentIndex();
    if (i >= 0)
        pen.width = i + 1;
    repaintLists();
}

void LineStyleDialog::cmbPenStyleDrawItem(const DrawItem &item)
{
    item.fillBackground();
    item.textOut(85, item.rect.top() + 2, cmbPenStyle->itemText(item.index));
    item.canvas.setPen(toQPen(Pen{pen.color, item.index, pen.width}, MaxSampleWidth));
    item.canvas.drawLine(8, item.middle(), 80, item.middle());
}

void LineStyleDialog::cmbPenWidthDrawItem(const DrawItem &item)
{
    item.fillBackground();
    item.textOut(85, item.rect.top() + 2, QStringLiteral("%1pixel").arg(item.index + 1));
    item.canvas.setPen(toQPen(Pen{pen.color, pen.style, item.index + 1}, MaxSampleWidth));
    item.canvas.drawLine(5, item.middle(), 80, item.middle());
}

void LineStyleDialog::btnOKClick()
{
    accept();
}

void LineStyleDialog::btnCancelClick()
{
    reject();
}

void LineStyleDialog::repaintLists()
{
    cmbPenWidth->repaint();
    cmbPenStyle->repaint();
}
