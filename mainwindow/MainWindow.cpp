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
    , tickSource_(&GetTickCount)
{
    setWindowTitle(QStringLiteral("Velmora"));
    setFont(WithPixelSize(font(), 14));
    setBackgroundRole(QPalette::Base);

    BuildMenu();
    BuildToolBand();

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(ToolBand);
    pntWave = new TPaintBox(central);
    pntWave->setMinimumSize(1, 1);
    column->addWidget(pntWave, 1);
    setCentralWidget(central);
    connect(pntWave, &TPaintBox::MouseMoved, this, &MainWindow::pntWaveMouseMove);

    StatusBar = new TStatusPanels(this);
    setStatusBar(StatusBar);
    StatusBar->Panel(0)->setText(QStringLiteral("Time = 0"));
    StatusBar->Panel(1)->setText(QStringLiteral("X=0%"));
    connect(StatusBar, &TStatusPanels::Clicked, this, &MainWindow::lblTimeClick);

    // Client area as designed: a 527 × 346 picture between band and status bar.
    resize(527, menuBar()->sizeHint().height() + 26 + 346 + 19);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(535 / 2, 437 / 2));

    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::FormCreate()
{
    Wave = std::make_unique<TWave>();
    Wave->SetView(this);
    Wave->SetBusyCursorHandler([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    Wave->SetWaveCount(1);
    Wave->Rule = AmplitudeRule::Equal;
    Wave->Period = 100;
    SetQuality(50);
    SetInterval(100);
    SetTime(0);
    SetZoom(1.0f);
    Wave->CalcAmplitudes();
    hintHook_ = new TStatusTipHook([this](const QString &hint) { AppHint(hint); }, this);
    idleHook_ = new TIdleHook(this);
    idleHook_->SetHandler([this](bool &done) { AppIdle(done); });
    LastTick = std::int64_t(Ticks());
}

bool MainWindow::GetShowAll() const
{
    return btnShowAll->isChecked();
}

void MainWindow::SetTime(std::int32_t value)
{
    Time = value;
    StatusBar->SetPanelText(0, QStringLiteral("t = %1").arg(value));
}

void MainWindow::SetZoom(float value)
{
    Zoom = value;
}

void MainWindow::SetInterval(std::int32_t value)
{
    Interval = std::max(value, 1);
    lblInterval->ShowNumber(Interval);
}

void MainWindow::SetQuality(std::int32_t value)
{
    Quality = std::max(value, 2);
    lblQuality->ShowNumber(Quality);
}

void MainWindow::Redraw()
{
    Wave->DrawFrame(pntWave->width(), pntWave->height());
    pntWave->CopyFrame(Wave->Bitmap);
}

void MainWindow::AppHint(const QString &hint)
{
    StatusBar->Panel(2)->setText(hint);
}

void MainWindow::AppIdle(bool &done)
{
    const QWidget *active = QApplication::activeWindow();
    if (active != this && (links_.monitor == nullptr || active != links_.monitor))
        return;
    if (btnPause->isChecked())
        return;
    const std::int64_t elapsed = TicksBetween(std::uint32_t(LastTick), Ticks());
    if (elapsed >= Interval) {
        LastTick = std::int64_t(Ticks());
        SetTime(SaturatingAdd(Time, 1));
        Redraw();
        idleHook_->WakeWithin(Interval);
    } else {
        // Nothing is due before then; sleeping until then changes no step.
        idleHook_->WakeWithin(int(std::min<std::int64_t>(Interval - elapsed, INT32_MAX)));
    }
    done = false;
}

void MainWindow::SetPause()
{
    btnPause->setChecked(true);
}
