#include "mainwindow/MainWindow.h"

#include "mainwindow/AnimationClock.h"
#include "mainwindow/PaintBox.h"
#include "mainwindow/Panels.h"
#include "mainwindow/ViewState.h"
#include "model/Wave.h"
#include "platform/Fonts.h"
#include "platform/Rounding.h"
#include "platform/StatusTipHook.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

MainWindow::MainWindow(Wave &wave, const DisplaySettings &look, QWidget *parent)
    : QMainWindow(parent)
    , wave_(wave)
    , look_(look)
    , shownWave_(std::make_unique<Wave>())
    , clock_(new AnimationClock(this))
    , view_(new ViewState(this))
{
    setWindowTitle(tr("Velmora"));
    setFont(withPixelSize(font(), 14));
    setBackgroundRole(QPalette::Base);

    buildActions();
    buildMenu();

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *band = new QWidget(central);
    buildToolBand(band);
    column->addWidget(band);
    picture_ = new PaintBox(central);
    picture_->setObjectName(QStringLiteral("pntWave"));
    picture_->setMinimumSize(1, 1);
    picture_->setFrameDrawer([this](QImage &picture) { shownWave_->drawFrame(picture, shownView_, shownLook_); });
    column->addWidget(picture_, 1);
    setCentralWidget(central);
    connect(picture_, &PaintBox::mouseMoved, this, &MainWindow::pointerMoved);

    statusPanels_ = new StatusPanels(this);
    setStatusBar(statusPanels_);
    statusPanels_->panel(0)->setText(tr("Time = 0"));
    statusPanels_->panel(1)->setText(tr("X=0%"));
    connect(statusPanels_, &StatusPanels::clicked, timeAction_, &QAction::trigger);

    // Client area as designed: a 527 × 346 picture between band and status bar.
    resize(527, menuBar()->sizeHint().height() + 26 + 346 + 19);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(535 / 2, 437 / 2));

    connect(view_, &ViewState::timeChanged, this,
            [this](std::int32_t t) { statusPanels_->setPanelText(0, tr("t = %1").arg(t)); });
    connect(view_, &ViewState::qualityChanged, qualityField_, &ClickLabel::showNumber);
    connect(clock_, &AnimationClock::intervalChanged, intervalField_, &ClickLabel::showNumber);
    connect(clock_, &AnimationClock::intervalChanged, this, [this](int ms) { shownWave_->setFrameInterval(ms); });
    connect(clock_, &AnimationClock::pausedChanged, pauseAction_, &QAction::setChecked);
    connect(pauseAction_, &QAction::toggled, clock_, &AnimationClock::setPaused);
    connect(clock_, &AnimationClock::stepDue, this, &MainWindow::step);
    clock_->setRunCondition([this] { return QApplication::activeWindow() == this; });

    view_->setQuality(50);
    intervalField_->showNumber(clock_->interval());
    shownWave_->setFrameInterval(clock_->interval());
    view_->setTime(0);
    new StatusTipHook([this](const QString &hint) { showHint(hint); }, this);
}

MainWindow::~MainWindow() = default;

int MainWindow::stringWidth() const
{
    return picture_->width();
}

void MainWindow::redraw()
{
    shownWave_->copyStringFrom(wave_);
    shownView_ = view_->params();
    shownLook_ = look_;
    shownWave_->prepareFrame(picture_->size(), shownView_);
    picture_->showFrame(picture_->size());
}

void MainWindow::restart()
{
    view_->setTime(0);
    view_->setZoom(1.0f);
    clock_->setPaused(false);
}

void MainWindow::setMonitorShown(bool shown)
{
    monitorAction_->setChecked(shown);
}

void MainWindow::showView(const FrameParams &view, int interval, bool paused)
{
    view_->setTime(view.time);
    view_->setZoom(view.zoom);
    view_->setQuality(view.quality);
    // The check mark carries show-all to the view.
    showAllAction_->setChecked(view.showAll);
    clock_->setInterval(interval);
    clock_->setPaused(paused);
    redraw();
}

void MainWindow::disableSound(const QString &reason)
{
    soundAction_->setChecked(false);
    soundAction_->setEnabled(false);
    soundAction_->setStatusTip(reason);
    soundAction_->setToolTip(reason);
}

void MainWindow::showHint(const QString &hint)
{
    statusPanels_->panel(2)->setText(hint);
}

void MainWindow::step()
{
    view_->setTime(saturatingAdd(view_->time(), 1));
    redraw();
}

void MainWindow::pause()
{
    clock_->setPaused(true);
}
