// The main window's commands: their actions, the menu and tool band that show
// them, and what each does.
#include "mainwindow/AnimationClock.h"
#include "mainwindow/BandButton.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PaintBox.h"
#include "mainwindow/Panels.h"
#include "mainwindow/ToolIcons.h"
#include "mainwindow/ViewState.h"
#include "model/Wave.h"
#include "platform/Beep.h"
#include "platform/Fonts.h"
#include "platform/PictureSize.h"
#include "platform/RegularFile.h"
#include "platform/Rounding.h"
#include "platform/StrToInt.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include <algorithm>
#include <cfloat>

namespace {

// Zoom steps never leave the finite floats, so the picture stays drawable.
float finiteZoom(long double z)
{
    if (!(z <= FLT_MAX))
        return FLT_MAX;
    return float(z);
}

QAction *newAction(QObject *parent, const char *name, const QString &caption, QKeySequence shortcut = {},
                   const QString &hint = QString())
{
    auto *a = new QAction(caption, parent);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    a->setStatusTip(hint);
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

BandButton *addButton(QFrame *band, const char *name, QAction *action, ToolPicture picture, const QString &hint,
                      int width = 22)
{
    auto *b = new BandButton(action, picture, hint, band);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    b->setIconSize(QSize(16, 16));
    b->setFixedSize(width, 22);
    b->setFocusPolicy(Qt::NoFocus);
    band->layout()->addWidget(b);
    return b;
}

// A number field of the band, showing its design text "0" until set.
ClickLabel *addNumberField(QFrame *band, const char *name, int width, const QString &hint)
{
    auto *field = new ClickLabel(width, 22, band);
    field->setObjectName(QString::fromLatin1(name));
    field->setText(QStringLiteral("0"));
    field->setStatusTip(hint);
    band->layout()->addWidget(field);
    return field;
}

} // namespace

void MainWindow::buildActions()
{
    waveSettingsAction_
        = newAction(this, "actionWaveSettings", tr("波設定...(&S)"), Qt::CTRL | Qt::Key_S, tr("作る波の設定"));
    displaySettingsAction_ = newAction(this, "actionDisplaySettings", tr("表示設定...(&V)"), Qt::CTRL | Qt::Key_V,
                                       tr("描画色、線などの視覚的設定"));
    openLessonAction_ = newAction(this, "actionOpenLesson", tr("レッスンを開く...(&O)"), Qt::CTRL | Qt::Key_O,
                                  tr("保存したレッスンを開く"));
    saveLessonAction_ = newAction(this, "actionSaveLesson", tr("レッスンを保存...(&W)"),
                                  Qt::CTRL | Qt::SHIFT | Qt::Key_S, tr("今の設定をレッスンとして保存"));
    aboutAction_
        = newAction(this, "actionAbout", tr("このプログラムについて...(&A)"), {}, tr("このプログラムについて表示"));
    quitAction_ = newAction(this, "actionQuit", tr("終了(&Q)"), Qt::CTRL | Qt::Key_Q, tr("アプリケーションの終了"));
    copyAction_
        = newAction(this, "actionCopy", tr("コピー(&C)"), Qt::CTRL | Qt::Key_C, tr("クリップボードに画像をコピー"));
    saveImageAction_
        = newAction(this, "actionSaveImage", tr("画像として保存...(&G)"), {}, tr("今の画面を画像ファイルとして保存"));
    saveAnimationAction_ = newAction(this, "actionSaveAnimation", tr("アニメーションとして保存...(&M)"), {},
                                     tr("1周期のアニメーションをGIFファイルとして保存"));
    // The band's pause button shows the state; the menu item only toggles it.
    pauseAction_ = newAction(this, "actionPause", tr("ポーズ"));
    pauseAction_->setCheckable(true);
    pauseMenuAction_ = newAction(this, "actionTogglePause", tr("ポーズ(&P)"), Qt::CTRL | Qt::Key_P, tr("ポーズ"));
    rewindAction_
        = newAction(this, "actionRewind", tr("時刻0に戻る(&B)"), Qt::Key_Delete, tr("時刻0の状態を表示してポーズ"));
    timeAction_ = newAction(this, "actionTime", tr("時刻入力(&T)"), Qt::CTRL | Qt::Key_T, tr("任意の時刻の波を表示"));
    stepBackAction_ = newAction(this, "actionStepBack", tr("コマ戻し"), Qt::Key_F1, tr("1コマ前を表示"));
    stepForwardAction_ = newAction(this, "actionStepForward", tr("コマおくり"), Qt::Key_F2, tr("1コマ先を表示"));
    soundAction_ = newAction(this, "actionSound", tr("音を出す(&N)"), {}, tr("弦の音を鳴らす"));
    soundAction_->setCheckable(true);
    showAllAction_ = newAction(this, "actionShowAll", tr("すべての波を表示(&A)"), Qt::CTRL | Qt::Key_A,
                               tr("赤線で合成前のすべての波を表示"));
    showAllAction_->setCheckable(true);
    qualityAction_
        = newAction(this, "actionQuality", tr("描画精度...(&Q)"), Qt::Key_F5, tr("画面をいくつに分割して描くかを設定"));
    intervalAction_ = newAction(this, "actionInterval", tr("画面書替え周期...(&I)"), Qt::CTRL | Qt::Key_I,
                                tr("画面を書替える周期をミリ秒単位で設定"));
    zoomInAction_ = newAction(this, "actionZoomIn", tr("拡大表示"), Qt::Key_Insert, tr("縦方向に拡大表示"));
    zoomOutAction_
        = newAction(this, "actionZoomOut", tr("縮小表示"), Qt::SHIFT | Qt::Key_Insert, tr("縦方向に縮小表示"));
    monitorAction_
        = newAction(this, "actionMonitor", tr("振幅モニタ(&M)"), Qt::CTRL | Qt::Key_M, tr("各波の振幅を表示"));
    monitorAction_->setCheckable(true);
    finerAction_ = newAction(this, "actionFiner", tr("描画精度アップ"));
    coarserAction_ = newAction(this, "actionCoarser", tr("描画精度ダウン"));
    slowerAction_ = newAction(this, "actionSlower", tr("書替え頻度ダウン"));
    fasterAction_ = newAction(this, "actionFaster", tr("書替え頻度アップ"));

    connect(waveSettingsAction_, &QAction::triggered, this, &MainWindow::openWaveSettings);
    connect(displaySettingsAction_, &QAction::triggered, this, &MainWindow::displaySettingsRequested);
    connect(openLessonAction_, &QAction::triggered, this, &MainWindow::lessonOpenRequested);
    connect(saveLessonAction_, &QAction::triggered, this, &MainWindow::lessonSaveRequested);
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
    connect(quitAction_, &QAction::triggered, this, &MainWindow::close);
    connect(copyAction_, &QAction::triggered, this, &MainWindow::copyFrame);
    connect(saveImageAction_, &QAction::triggered, this, &MainWindow::saveFrame);
    connect(saveAnimationAction_, &QAction::triggered, this, &MainWindow::saveAnimation);
    connect(pauseMenuAction_, &QAction::triggered, pauseAction_, &QAction::toggle);
    connect(rewindAction_, &QAction::triggered, this, &MainWindow::rewind);
    connect(timeAction_, &QAction::triggered, this, &MainWindow::askTime);
    connect(stepBackAction_, &QAction::triggered, this, [this] { stepBy(-1); });
    connect(stepForwardAction_, &QAction::triggered, this, [this] { stepBy(1); });
    connect(soundAction_, &QAction::toggled, this, &MainWindow::soundToggled);
    connect(showAllAction_, &QAction::toggled, view_, &ViewState::setShowAll);
    connect(showAllAction_, &QAction::triggered, this, &MainWindow::redraw);
    connect(qualityAction_, &QAction::triggered, this, &MainWindow::askQuality);
    connect(intervalAction_, &QAction::triggered, this, &MainWindow::askInterval);
    connect(zoomInAction_, &QAction::triggered, this, [this] { zoom(true); });
    connect(zoomOutAction_, &QAction::triggered, this, [this] { zoom(false); });
    connect(monitorAction_, &QAction::triggered, this, &MainWindow::toggleMonitor);
    connect(finerAction_, &QAction::triggered, this, [this] { changeQuality(1); });
    connect(coarserAction_, &QAction::triggered, this, [this] { changeQuality(-1); });
    connect(slowerAction_, &QAction::triggered, this, [this] { changeInterval(1); });
    connect(fasterAction_, &QAction::triggered, this, [this] { changeInterval(-1); });
}

void MainWindow::buildMenu()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu(tr("ファイル(&F)"));
    file->addAction(waveSettingsAction_);
    file->addAction(displaySettingsAction_);
    file->addAction(openLessonAction_);
    file->addAction(saveLessonAction_);
    file->addSeparator();
    file->addAction(aboutAction_);
    file->addSeparator();
    file->addAction(quitAction_);

    QMenu *edit = bar->addMenu(tr("編集(&E)"));
    edit->addAction(copyAction_);
    edit->addAction(saveImageAction_);
    edit->addAction(saveAnimationAction_);

    QMenu *animation = bar->addMenu(tr("ｱﾆﾒｰｼｮﾝ(&A)"));
    animation->addAction(pauseMenuAction_);
    animation->addAction(rewindAction_);
    animation->addAction(timeAction_);
    animation->addSeparator();
    animation->addAction(stepBackAction_);
    animation->addAction(stepForwardAction_);
    animation->addSeparator();
    animation->addAction(soundAction_);
    // A greyed item shows no status hint; its tooltip tells why it is greyed.
    // Only that item has one.
    animation->setToolTipsVisible(true);

    QMenu *control = bar->addMenu(tr("ｺﾝﾄﾛｰﾙ(&C)"));
    control->addAction(showAllAction_);
    control->addSeparator();
    control->addAction(qualityAction_);
    control->addAction(intervalAction_);
    control->addSeparator();
    control->addAction(zoomInAction_);
    control->addAction(zoomOutAction_);

    // A command on the menu bar itself, without a submenu.
    bar->addAction(monitorAction_);
    // Menu-bar actions only fire their shortcuts while attached to the window.
    addAction(monitorAction_);
}

void MainWindow::buildToolBand(QWidget *band)
{
    band->setObjectName(QStringLiteral("toolBand"));
    band->setAutoFillBackground(true);
    band->setBackgroundRole(QPalette::Button);
    band->setMinimumHeight(26);
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(2);

    QFrame *main = newBand(band);
    BandButton *settings
        = addButton(main, "btnSetting", waveSettingsAction_, ToolPicture::Settings, tr("波を設定"), 57);
    settings->setCaption(tr("設定"));
    settings->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    settings->setFont(designFont(QStringLiteral("ＭＳ ゴシック"), 13));
    addButton(main, "btnVisualSetting", displaySettingsAction_, ToolPicture::VisualSettings, tr("表示設定"), 23);
    addButton(main, "btnShowAll", showAllAction_, ToolPicture::ShowAll, tr("すべての波を表示"));
    addButton(main, "btnShowMonitor", monitorAction_, ToolPicture::Monitor, tr("振幅モニタを表示"), 23);
    addButton(main, "btnCopy", copyAction_, ToolPicture::Copy, tr("クリップボードに画像をコピー"), 23);

    QFrame *time = newBand(band);
    addButton(time, "btnRewind", rewindAction_, ToolPicture::Rewind, tr("時刻0に戻る"));
    addButton(time, "btnPrev", stepBackAction_, ToolPicture::Prev, tr("こま戻し"));
    addButton(time, "btnPause", pauseAction_, ToolPicture::Pause, tr("ポーズ"));
    addButton(time, "btnNext", stepForwardAction_, ToolPicture::Next, tr("こま送り"));

    QFrame *quality = newBand(band);
    addButton(quality, "btnDetailed", finerAction_, ToolPicture::QualityUp, tr("描画精度アップ"));
    addButton(quality, "btnRough", coarserAction_, ToolPicture::QualityDown, tr("描画精度ダウン"));
    qualityField_ = addNumberField(quality, "lblQuality", 35, tr("クリックして描画精度設定"));
    addButton(quality, "btnSpeedDown", slowerAction_, ToolPicture::SpeedDown, tr("書替え頻度ダウン"));
    addButton(quality, "btnSpeedUp", fasterAction_, ToolPicture::SpeedUp, tr("書替え頻度アップ"));
    intervalField_ = addNumberField(quality, "lblInterval", 33, tr("クリックして描画頻度設定"));
    addButton(quality, "btnZoomUp", zoomInAction_, ToolPicture::ZoomUp, tr("縦方向に拡大表示"));
    addButton(quality, "btnZoomDown", zoomOutAction_, ToolPicture::ZoomDown, tr("縦方向に縮小表示"));

    row->addWidget(main);
    row->addWidget(time);
    row->addWidget(quality);
    row->addStretch(1);

    connect(qualityField_, &ClickLabel::clicked, qualityAction_, &QAction::trigger);
    connect(intervalField_, &ClickLabel::clicked, intervalAction_, &QAction::trigger);
}

void MainWindow::stepBy(int frames)
{
    pause();
    view_->setTime(saturatingAdd(view_->time(), frames));
    redraw();
}

void MainWindow::rewind()
{
    pause();
    view_->setTime(0);
    redraw();
}

void MainWindow::zoom(bool in)
{
    pause();
    const long double z = view_->zoom();
    view_->setZoom(finiteZoom(in ? z / 0.9L : z * 0.9L));
    redraw();
}

void MainWindow::changeInterval(int direction)
{
    // To the next multiple of 10 in that direction.
    const std::int64_t v = ((std::int64_t(clock_->interval()) + 10 * direction) / 10) * 10;
    clock_->setInterval(std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)));
}

void MainWindow::changeQuality(int delta)
{
    view_->setQuality(saturatingAdd(view_->quality(), delta));
    redraw();
}

void MainWindow::openWaveSettings()
{
    pause();
    emit waveSettingsRequested();
}

QString MainWindow::askInput(const QString &caption, const QString &prompt, const QString &preset)
{
    if (inputBox_)
        return inputBox_(caption, prompt, preset);
    bool ok = false;
    const QString text = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? text : preset;
}

void MainWindow::askInterval()
{
    pause();
    const QString text
        = askInput(tr("インタ－バル設定"), tr("画面書替え頻度（単位 ﾐﾘ秒/ｺﾏ)"), QString::number(clock_->interval()));
    if (const auto v = tryStrToInt(text))
        clock_->setInterval(*v);
    else
        warningBeep();
}

void MainWindow::askQuality()
{
    const bool wasPaused = clock_->isPaused();
    pause();
    const QString text = askInput(tr("精度設定"), tr("描画精度"), QString::number(view_->quality()));
    if (const auto v = tryStrToInt(text))
        view_->setQuality(*v);
    else
        warningBeep();
    clock_->setPaused(wasPaused);
}

void MainWindow::askTime()
{
    pause();
    const QString text = askInput(tr("時刻設定"), tr("時刻を入力して下さい（単位 秒)"), QString::number(view_->time()));
    if (const auto v = tryStrToInt(text)) {
        view_->setTime(*v);
        pause();
        redraw();
    } else {
        warningBeep();
    }
}

void MainWindow::showAbout()
{
    const bool wasPaused = clock_->isPaused();
    emit aboutRequested();
    clock_->setPaused(wasPaused);
}

void MainWindow::copyFrame()
{
    redraw();
    const QImage frame = picture_->frame();
    if (!frame.isNull())
        QGuiApplication::clipboard()->setImage(frame);
}

void MainWindow::saveFrame()
{
    // The frame of the moment the command was given.
    redraw();
    const QImage shown = picture_->frame();
    if (shown.isNull())
        return;
    const std::optional<ImageTarget> target = chooseImage(shown.size());
    if (!target)
        return;
    // Another size is drawn afresh at that size, not scaled.
    const QImage frame = target->size == shown.size() ? shown : wave_.frameAt(target->size, view_->params(), look_);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!frame.isNull() && frame.save(&buffer, "PNG") && writeRegularFile(target->path, png))
        return;
    warningBeep();
    // A picture too large for memory comes out null.
    QMessageBox::warning(this, windowTitle(), frame.isNull() ? cannotDraw(target->size) : cannotWrite(target->path));
}

QString MainWindow::cannotDraw(QSize size) const
{
    return tr("%1x%2 の画像を作れません").arg(size.width()).arg(size.height());
}

QString MainWindow::cannotWrite(const QString &path) const
{
    return tr("%1 に書き込めません").arg(QDir::toNativeSeparators(path));
}

std::optional<MainWindow::ImageTarget> MainWindow::chooseImage(QSize picture)
{
    if (chooseImage_)
        return chooseImage_(picture);
    const std::optional<QSize> size = chooseImageSize(picture);
    if (!size)
        return std::nullopt;
    const QString path = askSavePath(tr("画像として保存"), "dlgSaveImage", tr("PNG 画像 (*.png)"), "png");
    if (path.isEmpty())
        return std::nullopt;
    return ImageTarget{path, *size};
}

QString MainWindow::askSavePath(const QString &caption, const char *name, const QString &filter, const char *suffix)
{
    QFileDialog dialog(this, caption, QDir::currentPath(), filter);
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromLatin1(suffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

std::optional<QSize> MainWindow::chooseImageSize(QSize picture)
{
    const QList<QSize> sizes{picture, QSize(1280, 720), QSize(1920, 1080)};
    QStringList items{tr("画面と同じ (%1 × %2)").arg(picture.width()).arg(picture.height())};
    for (qsizetype i = 1; i < sizes.size(); ++i)
        items << QStringLiteral("%1 × %2").arg(sizes[i].width()).arg(sizes[i].height());
    items << tr("大きさを指定...");
    bool ok = false;
    const QString item
        = QInputDialog::getItem(this, tr("画像の大きさ"), tr("保存する画像の大きさ:"), items, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    const qsizetype index = items.indexOf(item);
    if (index >= 0 && index < sizes.size())
        return sizes[index];
    const QString typed
        = QInputDialog::getText(this, tr("画像の大きさ"), tr("幅x高さ (1〜%1):").arg(MaxPictureSide), QLineEdit::Normal,
                                QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height()), &ok);
    if (!ok)
        return std::nullopt;
    const std::optional<QSize> size = pictureSizeNamed(typed);
    if (!size)
        warningBeep();
    return size;
}

void MainWindow::toggleMonitor()
{
    emit monitorToggleRequested();
    show();
    raise();
    activateWindow();
}

void MainWindow::pointerMoved(Qt::KeyboardModifiers modifiers, int x, int)
{
    const int w = picture_->width();
    const std::int64_t p = w > 0 ? (std::int64_t(x) * 100) / w : 0;
    statusPanels_->setPanelText(1, tr("X = %1%").arg(p));
    if (modifiers & Qt::ShiftModifier)
        emit amplitudesProbed(x, w);
}
