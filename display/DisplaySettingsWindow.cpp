#include "display/DisplaySettingsWindow.h"
#include "platform/Desktop.h"
#include "platform/Fonts.h"

#include "display/ChoiceListWidget.h"
#include "display/CustomLines.h"
#include "display/ErrorBox.h"
#include "display/LineStyleDialog.h"
#include "display/VisualIni.h"
#include "platform/ColorText.h"
#include "platform/IntSpinBox.h"
#include "platform/OuterSizeFitter.h"
#include "platform/ProfileFile.h"

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

QPushButton *AddButton(QWidget *parent, const QRect &geometry, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    // Enter presses the button that has the focus, as in a dialog.
    button->setAutoDefault(true);
    return button;
}

} // namespace

DisplaySettingsWindow::DisplaySettingsWindow(LineStyleDialog *penDialog, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , penDialog_(penDialog)
    , iniPath_(VisualIniPath())
    , reportError_([](const QString &text) { ShowErrorBox(text); })
    , colorPicker_(PlatformColorPicker(this))
{
    setWindowTitle(QStringLiteral("表示設定"));
    // The close box only hides the window, and hiding it must not end the program.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(DesignFont(QStringLiteral("MS UI Gothic"), 12));

    PageControl = new QTabWidget(this);
    PageControl->setGeometry(8, 8, 241, 233);
    BuildGeneralPage();
    BuildLinesPage();
    PageControl->setCurrentWidget(tstGeneral);

    btnClose = AddButton(this, {176, 248, 75, 25}, QStringLiteral("閉じる(&C)"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &DisplaySettingsWindow::btnCloseClick);

    // The drawing reads the count while it is being typed, not yet in range.
    Settings.SetNumOfVertLinesSource([this] { return spnNumOfVertLines->TypedValue(); });
    // Centred now, and again once the frame is known, with the size it then takes.
    new OuterSizeFitter(this, OuterSize, [this] { CentreOnDesktop(this); });
    CentreOnDesktop(this);
}

DisplaySettingsWindow::~DisplaySettingsWindow()
{
    FormDestroy();
}

void DisplaySettingsWindow::SetPenDialog(LineStyleDialog *penDialog)
{
    penDialog_ = penDialog;
}

void DisplaySettingsWindow::BuildGeneralPage()
{
    tstGeneral = new QWidget;
    btnBGColor = AddButton(tstGeneral, {16, 16, 201, 25}, QStringLiteral("背景の色"));
    connect(btnBGColor, &QPushButton::clicked, this, &DisplaySettingsWindow::btnBGColorClick);
    btnAxisPen = AddButton(tstGeneral, {16, 48, 201, 25}, QStringLiteral("中心軸の線のスタイル"));
    connect(btnAxisPen, &QPushButton::clicked, this, &DisplaySettingsWindow::btnAxisPenClick);

    grpVertLines = new QGroupBox(QStringLiteral("縦の補助線"), tstGeneral);
    // This style draws a group's title above its frame, not on it; the
    // controls move down by the difference so the check box clears the frame.
    constexpr int TitleDrop = 6;
    grpVertLines->setGeometry(16, 96, 201, 89 + TitleDrop);
    cbxVisibleVertLines = new QCheckBox(QStringLiteral("縦の補助線を表示する"), grpVertLines);
    cbxVisibleVertLines->setGeometry(16, 16 + TitleDrop, 153, 17);
    connect(cbxVisibleVertLines, &QCheckBox::toggled, this, &DisplaySettingsWindow::cbxVisibleVertLinesClick);
    spnNumOfVertLines = new TIntSpinBox(grpVertLines);
    spnNumOfVertLines->setGeometry(16, 48 + TitleDrop, 49, 21);
    spnNumOfVertLines->setRange(2, 99);
    spnNumOfVertLines->setSingleStep(1);
    spnNumOfVertLines->setValue(2);
    lblDivisions = new QLabel(QStringLiteral("分割"), grpVertLines);
    lblDivisions->move(70, 56 + TitleDrop);
    lblDivisions->adjustSize();
    btnVertLinePen = AddButton(grpVertLines, {104, 48 + TitleDrop, 89, 21}, QStringLiteral("縦線のスタイル"));
    connect(btnVertLinePen, &QPushButton::clicked, this, &DisplaySettingsWindow::btnVertLinePenClick);

    PageControl->addTab(tstGeneral, QStringLiteral("一般"));
}

void DisplaySettingsWindow::BuildLinesPage()
{
    tstLines = new QWidget;
    lstCustomLines = new ChoiceListWidget(tstLines);
    lstCustomLines->setGeometry(8, 8, 217, 161);
    lstCustomLines->setSelectionMode(QAbstractItemView::SingleSelection);
    lstCustomLines->setUniformItemSizes(true);
    // Rows are as wide as the list; their lines end short of its right edge.
    lstCustomLines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstCustomLines->setItemDelegate(new TOwnerDrawDelegate(
        ItemHeight, [this](const TDrawItem &item) { lstCustomLinesDrawItem(item); }, lstCustomLines));
    // Every choice edits the row chosen, also a second click on the same row.
    connect(lstCustomLines, &ChoiceListWidget::rowChosen, this, &DisplaySettingsWindow::lstCustomLinesClick);
    btnClear = AddButton(tstLines, {160, 184, 67, 17}, QStringLiteral("クリア(&E)"));
    connect(btnClear, &QPushButton::clicked, this, &DisplaySettingsWindow::btnClearClick);

    PageControl->addTab(tstLines, QStringLiteral("波の線スタイル"));
}

void DisplaySettingsWindow::FormCreate()
{
    const TVisualIniControls controls{
        [this](bool visible) { cbxVisibleVertLines->setChecked(visible); },
        [this](int count) { spnNumOfVertLines->setValue(count); },
    };
    try {
        LoadDisplaySettings(iniPath_, Settings, controls);
    } catch (const TConvertError &e) {
        Report(e.Message());
    } catch (const TProfileReadError &e) {
        Report(e.Message());
    }
    loaded_ = true;
    // Filled even when loading stopped early, so that every pen can be edited.
    FillCustomLines();
}

void DisplaySettingsWindow::FormDestroy()
{
    if (!loaded_)
        return;
    loaded_ = false;
    try {
        SaveDisplaySettings(iniPath_, Settings, Settings.NumOfVertLines());
    } catch (const TProfileWriteError &e) {
        Report(e.Message());
    }
}

void DisplaySettingsWindow::FillCustomLines()
{
    // The stored texts are never shown; the drawing supplies what the row says.
    const QSignalBlocker quiet(lstCustomLines);
    lstCustomLines->clear();
    for (int i = 0; i < CustomLineCount; ++i)
        lstCustomLines->addItem(QString::number(i));
}

void DisplaySettingsWindow::Report(const QString &text) const
{
    if (reportError_)
        reportError_(text);
}

std::optional<TPen> DisplaySettingsWindow::RunPenDialog(const TPen &pen)
{
    if (!penDialog_)
        return std::nullopt;
    penDialog_->SetPen(pen);
    if (!penDialog_->Execute())
        return std::nullopt;
    return penDialog_->Pen;
}

void DisplaySettingsWindow::btnBGColorClick()
{
    if (!colorPicker_)
        return;
    if (const std::optional<QColor> picked = colorPicker_(ToQColor(Settings.BGColor)); picked && picked->isValid())
        Settings.SetBGColor(FromQColor(*picked));
}

void DisplaySettingsWindow::btnAxisPenClick()
{
    if (const std::optional<TPen> pen = RunPenDialog(Settings.AxisPen))
        Settings.SetAxisPen(*pen);
}

void DisplaySettingsWindow::cbxVisibleVertLinesClick()
{
    Settings.VisibleVertLines = cbxVisibleVertLines->isChecked();
}

void DisplaySettingsWindow::btnVertLinePenClick()
{
    if (const std::optional<TPen> pen = RunPenDialog(Settings.VertLinePen))
        Settings.SetVertLinePen(*pen);
}

void DisplaySettingsWindow::lstCustomLinesDrawItem(const TDrawItem &item)
{
    item.FillBackground();
    item.TextOut(2, item.Rect.top(), CustomLineText(item.Index));
    const TPen *pen = CustomLinePen(Settings, item.Index);
    if (!pen)
        return;
    item.Canvas.setPen(ToQPen(*pen));
    item.Canvas.drawLine(60, item.Middle(), item.Right() - 10, item.Middle());
}

void DisplaySettingsWindow::lstCustomLinesClick(int item)
{
    if (TPen *pen = CustomLinePen(Settings, item)) {
        if (const std::optional<TPen> chosen = RunPenDialog(*pen))
            *pen = *chosen;
    }
    lstCustomLines->viewport()->update();
}

void DisplaySettingsWindow::btnClearClick()
{
    for (int k = 1; k <= CustomWavePenCount; ++k)
        Settings.WavePens[std::size_t(k)] = Settings.WavePens[0];
    lstCustomLines->viewport()->update();
}

void DisplaySettingsWindow::btnCloseClick()
{
    hide();
    if (monitorRefresh_)
        monitorRefresh_();
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
