#include "mainwindow/MainWindow.h"
#include "platform/Fonts.h"

#include "platform/Rounding.h"
#include "platform/TickCount.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , tickSource_(&getTickCount)
{
    setWindowTitle(QStringLiteral("Velmora"));
    setFont(withPixelSize(font(), 14));
    setBackgroundRole(QPalette::Base);

    buildMenu();
    buildToolBand();

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolBand);
    pntWave = new PaintBox(central);
    pntWave->setMinimumSize(1, 1);
    column->addWidget(pntWave, 1);
    setCentralWidget(central);
    connect(pntWave, &PaintBox::mouseMoved, this, &MainWindow::pntWaveMouseMove);

    statusBar = new StatusPanels(this);
    setStatusBar(statusBar);
    statusBar->panel(0)->setText(QStringLiteral("Time = 0"));
    statusBar->panel(1)->setText(QStringLiteral("X=0%"));
    connect(statusBar, &StatusPanels::clicked, this, &MainWindow::lblTimeClick);

    // Client area as designed: a 527 × 346 picture between band and status bar.
    resize(527, menuBar()->sizeHint().height() + 26 + 346 + 19);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(535 / 2, 437 / 2));

    formCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::formCreate()
{
    wave = std::make_unique<Wave>();
    wave->setView(this);
    wave->setBusyCursorHandler([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    wave->setWaveCount(1);
    wave->rule = AmplitudeRule::Equal;
    wave->period = 100;
    setQuality(50);
    setInterval(100);
    setTime(0);
    setZoom(1.0f);
    wave->calcAmplitudes();
    hintHook_ = new StatusTipHook([this](const QString &hint) { appHint(hint); }, this);
    idleHook_ = new IdleHook(this);
    idleHook_->setHandler([this](bool &done) { appIdle(done); });
    lastTick = std::int64_t(ticks());
}

bool MainWindow::getShowAll() const
{
    return btnShowAll->isChecked();
}

void MainWindow::setTime(std::int32_t value)
{
    time = value;
    statusBar->setPanelText(0, QStringLiteral("t = %1").arg(value));
}

void MainWindow::setZoom(float value)
{
    zoom = value;
}

void MainWindow::setInterval(std::int32_t value)
{
    interval = std::max(value, 1);
    lblInterval->showNumber(interval);
}

void MainWindow::setQuality(std::int32_t value)
{
    quality = std::max(value, 2);
    lblQuality->showNumber(quality);
}

void MainWindow::redraw()
{
    wave->drawFrame(pntWave->width(), pntWave->height());
    pntWave->copyFrame(wave->bitmap);
}

void MainWindow::appHint(const QString &hint)
{
    statusBar->panel(2)->setText(hint);
}

void MainWindow::appIdle(bool &done)
{
    const QWidget *active = QApplication::activeWindow();
    if (active != this && (links_.monitor == nullptr || active != links_.monitor))
        return;
    if (btnPause->isChecked())
        return;
    const std::int64_t elapsed = ticksBetween(std::uint32_t(lastTick), ticks());
    if (elapsed >= interval) {
        lastTick = std::int64_t(ticks());
        setTime(saturatingAdd(time, 1));
        redraw();
        idleHook_->wakeWithin(interval);
    } else {
        // Nothing is due before then; sleeping until then changes no step.
        idleHook_->wakeWithin(int(std::min<std::int64_t>(interval - elapsed, INT32_MAX)));
    }
    done = false;
}

void MainWindow::setPause()
{
    btnPause->setChecked(true);
}
