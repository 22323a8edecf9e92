#include "display/DisplaySettingsWindow.h"
#include "platform/Desktop.h"
#include "platform/Fonts.h"

#include "display/ChoiceListWidget.h"
#include "display/CustomLines.h"
#include "display/LineStyleDialog.h"
#include "platform/IntSpinBox.h"
#include "platform/OuterSizeFitter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr QSize OuterSize{270, 310};
constexpr int ItemHeight = 16;

QPushButton *addButton(QWidget *parent, const QRect &geometry, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    // Enter presses the button that has the focus, as in a dialog.
    button->setAutoDefault(true);
    return button;
}

} // namespace

DisplaySettingsWindow::DisplaySettingsWindow(DisplaySettings &settings, LineStyleDialog *penDialog, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , penDialog_(penDialog)
    , settings_(settings)
    , colorPicker_(platformColorPicker(this))
{
    setWindowTitle(tr("表示設定"));
    // The close box only hides the window, and hiding it must not end the program.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(designFont(QStringLiteral("MS UI Gothic"), 12));

    pageControl = new QTabWidget(this);
    pageControl->setGeometry(8, 8, 241, 233);
    buildGeneralPage();
    buildLinesPage();
    pageControl->setCurrentWidget(tstGeneral);

    btnClose = addButton(this, {176, 248, 75, 25}, tr("閉じる(&C)"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &DisplaySettingsWindow::closeWindow);

    // The drawing reads the count while it is being typed, not yet in range.
    connect(spnNumOfVertLines, &IntSpinBox::typedValueChanged, this,
            [this](int count) { settings_.numOfVertLines = count; });
    // Centred now, and again once the frame is known, with the size it then takes.
    new OuterSizeFitter(this, OuterSize, [this] { centreOnDesktop(this); });
    centreOnDesktop(this);
}

DisplaySettingsWindow::~DisplaySettingsWindow() = default;

void DisplaySettingsWindow::setPenDialog(LineStyleDialog *penDialog)
{
    penDialog_ = penDialog;
}

void DisplaySettingsWindow::buildGeneralPage()
{
    tstGeneral = new QWidget;
    btnBGColor = addButton(tstGeneral, {16, 16, 201, 25}, tr("背景の色"));
    connect(btnBGColor, &QPushButton::clicked, this, &DisplaySettingsWindow::chooseBackgroundColor);
    btnAxisPen = addButton(tstGeneral, {16, 48, 201, 25}, tr("中心軸の線のスタイル"));
    connect(btnAxisPen, &QPushButton::clicked, this, &DisplaySettingsWindow::editAxisPen);

    grpVertLines = new QGroupBox(tr("縦の補助線"), tstGeneral);
    // This style draws a group's title above its frame, not on it; the
    // controls move down by the difference so the check box clears the frame.
    constexpr int TitleDrop = 6;
    grpVertLines->setGeometry(16, 96, 201, 89 + TitleDrop);
    cbxVisibleVertLines = new QCheckBox(tr("縦の補助線を表示する"), grpVertLines);
    cbxVisibleVertLines->setGeometry(16, 16 + TitleDrop, 153, 17);
    connect(cbxVisibleVertLines, &QCheckBox::toggled, this, &DisplaySettingsWindow::guideLinesToggled);
    spnNumOfVertLines = new IntSpinBox(grpVertLines);
    spnNumOfVertLines->setGeometry(16, 48 + TitleDrop, 49, 21);
    spnNumOfVertLines->setRange(2, 99);
    spnNumOfVertLines->setSingleStep(1);
    spnNumOfVertLines->setValue(2);
    lblDivisions = new QLabel(tr("分割"), grpVertLines);
    lblDivisions->move(70, 56 + TitleDrop);
    lblDivisions->adjustSize();
    btnVertLinePen = addButton(grpVertLines, {104, 48 + TitleDrop, 89, 21}, tr("縦線のスタイル"));
    connect(btnVertLinePen, &QPushButton::clicked, this, &DisplaySettingsWindow::editGuideLinePen);

    pageControl->addTab(tstGeneral, tr("一般"));
}

void DisplaySettingsWindow::buildLinesPage()
{
    tstLines = new QWidget;
    lstCustomLines = new ChoiceListWidget(tstLines);
    lstCustomLines->setGeometry(8, 8, 217, 161);
    lstCustomLines->setSelectionMode(QAbstractItemView::SingleSelection);
    lstCustomLines->setUniformItemSizes(true);
    // Rows are as wide as the list; their lines end short of its right edge.
    lstCustomLines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstCustomLines->setItemDelegate(new OwnerDrawDelegate(
        ItemHeight, [this](const DrawItem &item) { drawLineRow(item); }, lstCustomLines));
    // Every choice edits the row chosen, also a second click on the same row.
    connect(lstCustomLines, &ChoiceListWidget::rowChosen, this, &DisplaySettingsWindow::editLineRow);
    btnClear = addButton(tstLines, {160, 184, 67, 17}, tr("クリア(&E)"));
    connect(btnClear, &QPushButton::clicked, this, &DisplaySettingsWindow::resetModePens);

    pageControl->addTab(tstLines, tr("波の線スタイル"));
}

void DisplaySettingsWindow::showSettings()
{
    cbxVisibleVertLines->setChecked(settings_.visibleVertLines);
    spnNumOfVertLines->setValue(settings_.numOfVertLines);
    settings_.numOfVertLines = spnNumOfVertLines->typedValue();
    // Filled afresh, so that every pen can be edited.
    fillCustomLines();
}

void DisplaySettingsWindow::fillCustomLines()
{
    // The stored texts are never shown; the drawing supplies what the row says.
    const QSignalBlocker quiet(lstCustomLines);
    lstCustomLines->clear();
    for (int i = 0; i < CustomLineCount; ++i)
        lstCustomLines->addItem(QString::number(i));
}

std::optional<Pen> DisplaySettingsWindow::runPenDialog(const Pen &pen)
{
    if (!penDialog_)
        return std::nullopt;
    penDialog_->setPen(pen);
    if (!penDialog_->execute())
        return std::nullopt;
    return penDialog_->pen;
}

void DisplaySettingsWindow::chooseBackgroundColor()
{
    if (!colorPicker_)
        return;
    if (const std::optional<QColor> picked = colorPicker_(toQColor(settings_.bgColor)); picked && picked->isValid())
        settings_.bgColor = fromQColor(*picked);
}

void DisplaySettingsWindow::editAxisPen()
{
    if (const std::optional<Pen> pen = runPenDialog(settings_.axisPen))
        settings_.axisPen = *pen;
}

void DisplaySettingsWindow::guideLinesToggled()
{
    settings_.visibleVertLines = cbxVisibleVertLines->isChecked();
}

void DisplaySettingsWindow::editGuideLinePen()
{
    if (const std::optional<Pen> pen = runPenDialog(settings_.vertLinePen))
        settings_.vertLinePen = *pen;
}

void DisplaySettingsWindow::drawLineRow(const DrawItem &item)
{
    item.fillBackground();
    item.textOut(2, item.rect.top(), customLineText(item.index));
    const Pen *pen = customLinePen(settings_, item.index);
    if (!pen)
        return;
    item.canvas.setPen(toQPen(*pen));
    item.canvas.drawLine(60, item.middle(), item.right() - 10, item.middle());
}

void DisplaySettingsWindow::editLineRow(int item)
{
    if (Pen *pen = customLinePen(settings_, item)) {
        if (const std::optional<Pen> chosen = runPenDialog(*pen))
            *pen = *chosen;
    }
    lstCustomLines->viewport()->update();
}

void DisplaySettingsWindow::resetModePens()
{
    for (int k = 1; k <= CustomWavePenCount; ++k)
        settings_.wavePens[std::size_t(k)] = settings_.wavePens[0];
    lstCustomLines->viewport()->update();
}

void DisplaySettingsWindow::closeWindow()
{
    hide();
    emit closed();
}

void DisplaySettingsWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter that no control took presses the default button.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
        btnClose->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
