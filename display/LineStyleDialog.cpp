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

QLabel *AddLabel(QWidget *parent, int x, int y, const QString &text)
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
    , colorPicker_(PlatformColorPicker(this))
{
    setWindowTitle(QStringLiteral("線の設定"));
    setFont(DesignFont(QStringLiteral("MS UI Gothic"), 12));
    setFixedSize(281, 199);

    Panel = new QFrame(this);
    Panel->setGeometry(8, 8, 265, 153);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel->setLineWidth(1);

    lblColor = AddLabel(Panel, 16, 8, QStringLiteral("線の色"));
    pnlColor = new TColorPanel(QStringLiteral("クリックして設定"), Panel);
    pnlColor->setGeometry(48, 24, 201, 22);
    connect(pnlColor, &TColorPanel::clicked, this, &LineStyleDialog::pnlColorClick);

    lblPenStyle = AddLabel(Panel, 16, 53, QStringLiteral("線の形"));
    cmbPenStyle = new TOwnerDrawComboBox(
        ItemHeight, [this](const TDrawItem &item) { cmbPenStyleDrawItem(item); }, Panel);
    cmbPenStyle->setGeometry(48, 67, 201, 22);
    cmbPenStyle->addItems({QStringLiteral("実線"), QStringLiteral("破線"), QStringLiteral("点線"),
                           QStringLiteral("一点鎖線"), QStringLiteral("二点鎖線")});
    connect(cmbPenStyle, &QComboBox::activated, this, &LineStyleDialog::cmbPenStyleChange);

    lblPenWidth = AddLabel(Panel, 16, 96, QStringLiteral("線の幅"));
    cmbPenWidth = new TOwnerDrawComboBox(
        ItemHeight, [this](const TDrawItem &item) { cmbPenWidthDrawItem(item); }, Panel);
    cmbPenWidth->setGeometry(48, 115, 201, 22);
    for (int i = 0; i < PenWidthCount; ++i)
        cmbPenWidth->addItem(QString::number(i + 1));
    connect(cmbPenWidth, &QComboBox::activated, this, &LineStyleDialog::cmbPenWidthChange);

    btnCancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    btnCancel->setGeometry(112, 168, 83, 25);
    connect(btnCancel, &QPushButton::clicked, this, &LineStyleDialog::btnCancelClick);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setGeometry(200, 168, 75, 25);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &LineStyleDialog::btnOKClick);
}

bool LineStyleDialog::Execute()
{
    if (isVisible())
        return false;
    pnlColor->SetColor(Pen.Color);
    // Showing a choice leaves Pen alone: a style or width the lists do not
    // offer stays until the user picks another.
    cmbPenStyle->setCurrentIndex(Pen.Style >= 1 && Pen.Style < PenStyleCount ? Pen.Style : 0);
    cmbPenWidth->setCurrentIndex(Pen.Width >= 1 && Pen.Width <= PenWidthCount ? Pen.Width - 1 : -1);
    RepaintLists();
    CentreOnDesktop(this);
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
    Pen.Color = FromQColor(*picked);
    pnlColor->SetColor(Pen.Color);
    RepaintLists();
}

void LineStyleDialog::cmbPenStyleChange()
{
    const int i = cmbPenStyle->currentIndex();
    if (i >= 0)
        Pen.Style = i;
    RepaintLists();
}

void LineStyleDialog::cmbPenWidthChange()
{
    const int i = cmbPenWidth->currentIndex();
    if (i >= 0)
        Pen.Width = i + 1;
    RepaintLists();
}

void LineStyleDialog::cmbPenStyleDrawItem(const TDrawItem &item)
{
    item.FillBackground();
    item.TextOut(85, item.Rect.top() + 2, cmbPenStyle->itemText(item.Index));
    item.Canvas.setPen(ToQPen(TPen{Pen.Color, item.Index, Pen.Width}, MaxSampleWidth));
    item.Canvas.drawLine(8, item.Middle(), 80, item.Middle());
}

void LineStyleDialog::cmbPenWidthDrawItem(const TDrawItem &item)
{
    item.FillBackground();
    item.TextOut(85, item.Rect.top() + 2, QStringLiteral("%1pixel").arg(item.Index + 1));
    item.Canvas.setPen(ToQPen(TPen{Pen.Color, Pen.Style, item.Index + 1}, MaxSampleWidth));
    item.Canvas.drawLine(5, item.Middle(), 80, item.Middle());
}

void LineStyleDialog::btnOKClick()
{
    accept();
}

void LineStyleDialog::btnCancelClick()
{
    reject();
}

void LineStyleDialog::RepaintLists()
{
    cmbPenWidth->Repaint();
    cmbPenStyle->Repaint();
}
