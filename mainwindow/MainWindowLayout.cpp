// The main window's menu and tool band, as designed.
#include "mainwindow/MainWindow.h"
#include "mainwindow/ToolIcons.h"
#include "platform/Fonts.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

QAction *addItem(QMenu *menu, const char *caption, QKeySequence shortcut, const char *hint)
{
    QAction *a = menu->addAction(QString::fromUtf8(caption));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    a->setStatusTip(QString::fromUtf8(hint));
    return a;
}

QFrame *newBand(QWidget *parent)
{
    auto *band = new QFrame(parent);
    band->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto *layout = new QHBoxLayout(band);
    // The buttons fill the band's height, so the tool band is 26 high.
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    return band;
}

QToolButton *addButton(QFrame *band, ToolPicture picture, const char *hint, bool twoState, int width = 22)
{
    auto *b = new QToolButton(band);
    b->setAutoRaise(true);
    b->setIcon(makeToolIcon(picture));
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(width, 22);
    b->setCheckable(twoState);
    b->setStatusTip(QString::fromUtf8(hint));
    b->setFocusPolicy(Qt::NoFocus);
    band->layout()->addWidget(b);
    return b;
}

// A number field of the band, showing its design text "0" until set.
ClickLabel *addNumberField(QFrame *band, int width, const char *hint)
{
    auto *field = new ClickLabel(width, 22, band);
    field->setText(QStringLiteral("0"));
    field->setStatusTip(QString::fromUtf8(hint));
    band->layout()->addWidget(field);
    return field;
}

} // namespace

void MainWindow::buildMenu()
{
    QMenuBar *bar = menuBar();
    mnFile = bar->addMenu(QString::fromUtf8("ファイル(&F)"));
    mnSettings = addItem(mnFile, "波設定...(&S)", QKeySequence(Qt::CTRL | Qt::Key_S), "作る波の設定");
    mnVisualSetting
        = addItem(mnFile, "表示設定...(&V)", QKeySequence(Qt::CTRL | Qt::Key_V), "描画色、線などの視覚的設定");
    mnFile->addSeparator();
    mnAbout = addItem(mnFile, "このプログラムについて...(&A)", {}, "このプログラムについて表示");
    mnFile->addSeparator();
    mnQuit = addItem(mnFile, "終了(&Q)", QKeySequence(Qt::CTRL | Qt::Key_Q), "アプリケーションの終了");

    mnEdit = bar->addMenu(QString::fromUtf8("編集(&E)"));
    mnCopy = addItem(mnEdit, "コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C), "クリップボードに画像をコピー");

    mnAnimation = bar->addMenu(QString::fromUtf8("ｱﾆﾒｰｼｮﾝ(&A)"));
    mnPause = addItem(mnAnimation, "ポーズ(&P)", QKeySequence(Qt::CTRL | Qt::Key_P), "ポーズ");
    mnRewind = addItem(mnAnimation, "時刻0に戻る(&B)", QKeySequence(Qt::Key_Delete), "時刻0の状態を表示してポーズ");
    mnTime = addItem(mnAnimation, "時刻入力(&T)", QKeySequence(Qt::CTRL | Qt::Key_T), "任意の時刻の波を表示");
    mnAnimation->addSeparator();
    mnPrev = addItem(mnAnimation, "コマ戻し", QKeySequence(Qt::Key_F1), "1コマ前を表示");
    mnNext = addItem(mnAnimation, "コマおくり", QKeySequence(Qt::Key_F2), "1コマ先を表示");

    mnControl = bar->addMenu(QString::fromUtf8("ｺﾝﾄﾛｰﾙ(&C)"));
    mnShowAll = addItem(mnControl, "すべての波を表示(&A)", QKeySequence(Qt::CTRL | Qt::Key_A),
                        "赤線で合成前のすべての波を表示");
    mnShowAll->setCheckable(true);
    mnControl->addSeparator();
    mnQuality = addItem(mnControl, "描画精度...(&Q)", QKeySequence(Qt::Key_F5), "画面をいくつに分割して描くかを設定");
    mnInterval = addItem(mnControl, "画面書替え周期...(&I)", QKeySequence(Qt::CTRL | Qt::Key_I),
                         "画面を書替える周期をミリ秒単位で設定");
    mnControl->addSeparator();
    mnZoomUp = addItem(mnControl, "拡大表示", QKeySequence(Qt::Key_Insert), "縦方向に拡大表示");
    mnZoomDown = addItem(mnControl, "縮小表示", QKeySequence(Qt::SHIFT | Qt::Key_Insert), "縦方向に縮小表示");

    // A command on the menu bar itself, without a submenu.
    mnShowMonitor = bar->addAction(QString::fromUtf8("振幅モニタ(&M)"));
    mnShowMonitor->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    mnShowMonitor->setStatusTip(QString::fromUtf8("各波の振幅を表示"));
    mnShowMonitor->setCheckable(true);
    // Menu-bar actions only fire their shortcuts while attached to the window.
    addAction(mnShowMonitor);

    connect(mnSettings, &QAction::triggered, this, &MainWindow::mnSettingsClick);
    connect(mnVisualSetting, &QAction::triggered, this, &MainWindow::mnVisualSettingClick);
    connect(mnAbout, &QAction::triggered, this, &MainWindow::mnAboutClick);
    connect(mnQuit, &QAction::triggered, this, &MainWindow::mnQuitClick);
    connect(mnCopy, &QAction::triggered, this, &MainWindow::mnCopyClick);
    connect(mnPause, &QAction::triggered, this, &MainWindow::mnPauseClick);
    connect(mnRewind, &QAction::triggered, this, &MainWindow::mnRewindClick);
    connect(mnTime, &QAction::triggered, this, &MainWindow::lblTimeClick);
    connect(mnPrev, &QAction::triggered, this, &MainWindow::btnPrevClick);
    connect(mnNext, &QAction::triggered, this, &MainWindow::btnNextClick);
    // The check mark follows the button, not the click.
    connect(mnShowAll, &QAction::triggered, this, [this] { mnShowAllClick(); });
    connect(mnQuality, &QAction::triggered, this, &MainWindow::mnQualityClick);
    connect(mnInterval, &QAction::triggered, this, &MainWindow::mnIntervalClick);
    connect(mnZoomUp, &QAction::triggered, this, &MainWindow::mnZoomUpClick);
    connect(mnZoomDown, &QAction::triggered, this, &MainWindow::mnZoomDownClick);
    connect(mnShowMonitor, &QAction::triggered, this, [this] { mnShowMonitorClick(); });
}

void MainWindow::buildToolBand()
{
    toolBand = new QWidget(this);
    toolBand->setAutoFillBackground(true);
    toolBand->setBackgroundRole(QPalette::Button);
    toolBand->setMinimumHeight(26);
    auto *row = new QHBoxLayout(toolBand);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(2);

    pnlMainPanel = newBand(toolBand);
    btnSetting2 = addButton(pnlMainPanel, ToolPicture::Settings, "波を設定", false, 57);
    btnSetting2->setText(QString::fromUtf8("設定"));
    btnSetting2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnSetting2->setFont(designFont(QStringLiteral("ＭＳ ゴシック"), 13));
    btnVisualSetting = addButton(pnlMainPanel, ToolPicture::VisualSettings, "表示設定", false, 23);
    btnShowAll = addButton(pnlMainPanel, ToolPicture::ShowAll, "すべての波を表示", true);
    btnShowMonitor = addButton(pnlMainPanel, ToolPicture::Monitor, "振幅モニタを表示", true, 23);
    btnCopy = addButton(pnlMainPanel, ToolPicture::Copy, "クリップボードに画像をコピー", false, 23);

    panel2 = newBand(toolBand);
    btnRewind = addButton(panel2, ToolPicture::Rewind, "時刻0に戻る", false);
    btnPrev = addButton(panel2, ToolPicture::Prev, "こま戻し", false);
    btnPause = addButton(panel2, ToolPicture::Pause, "ポーズ", true);
    btnNext = addButton(panel2, ToolPicture::Next, "こま送り", false);

    pnlQualityPanel = newBand(toolBand);
    btnDetailed = addButton(pnlQualityPanel, ToolPicture::QualityUp, "描画精度アップ", false);
    btnRough = addButton(pnlQualityPanel, ToolPicture::QualityDown, "描画精度ダウン", false);
    lblQuality = addNumberField(pnlQualityPanel, 35, "クリックして描画精度設定");
    btnSpeedDown = addButton(pnlQualityPanel, ToolPicture::SpeedDown, "書替え頻度ダウン", false);
    btnSpeedUp = addButton(pnlQualityPanel, ToolPicture::SpeedUp, "書替え頻度アップ", false);
    lblInterval = addNumberField(pnlQualityPanel, 33, "クリックして描画頻度設定");
    btnZoomUp = addButton(pnlQualityPanel, ToolPicture::ZoomUp, "縦方向に拡大表示", false);
    btnZoomDown = addButton(pnlQualityPanel, ToolPicture::ZoomDown, "縦方向に縮小表示", false);

    row->addWidget(pnlMainPanel);
    row->addWidget(panel2);
    row->addWidget(pnlQualityPanel);
    row->addStretch(1);

    connect(btnSetting2, &QToolButton::clicked, this, &MainWindow::btnSettingClick);
    connect(btnVisualSetting, &QToolButton::clicked, this, &MainWindow::mnVisualSettingClick);
    connect(btnShowAll, &QToolButton::clicked, this, &MainWindow::btnShowAllClick);
    connect(btnShowMonitor, &QToolButton::clicked, this, &MainWindow::mnShowMonitorClick);
    connect(btnCopy, &QToolButton::clicked, this, &MainWindow::mnCopyClick);
    connect(btnRewind, &QToolButton::clicked, this, &MainWindow::btnRewindClick);
    connect(btnPrev, &QToolButton::clicked, this, &MainWindow::btnPrevClick);
    connect(btnNext, &QToolButton::clicked, this, &MainWindow::btnNextClick);
    connect(btnDetailed, &QToolButton::clicked, this, &MainWindow::btnDetailedClick);
    connect(btnRough, &QToolButton::clicked, this, &MainWindow::btnRoughClick);
    connect(btnSpeedDown, &QToolButton::clicked, this, &MainWindow::btnSpeedDownClick);
    connect(btnSpeedUp, &QToolButton::clicked, this, &MainWindow::btnSpeedUpClick);
    connect(btnZoomUp, &QToolButton::clicked, this, &MainWindow::btnZoomUpClick);
    connect(btnZoomDown, &QToolButton::clicked, this, &MainWindow::btnZoomDownClick);
    connect(lblQuality, &ClickLabel::clicked, this, &MainWindow::lblQualityClick);
    connect(lblInterval, &ClickLabel::clicked, this, &MainWindow::lblIntervalClick);
}
