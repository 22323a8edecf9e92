// What the user does in the main window: menu, tool band, input boxes, pointer.
#include "mainwindow/MainWindow.h"

#include "platform/Beep.h"
#include "platform/Rounding.h"
#include "platform/StrToInt.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QToolButton>

#include <cfloat>
#include <cmath>

namespace {

// Zoom steps never leave the finite floats, so the picture stays drawable.
float FiniteZoom(long double z)
{
    if (!(z <= FLT_MAX))
        return FLT_MAX;
    return float(z);
}

} // namespace

void MainWindow::btnPrevClick()
{
    SetPause();
    SetTime(SaturatingAdd(Time, -1));
    Redraw();
}

void MainWindow::btnNextClick()
{
    SetPause();
    SetTime(SaturatingAdd(Time, 1));
    Redraw();
}

void MainWindow::btnRewindClick()
{
    SetPause();
    SetTime(0);
    Redraw();
}

void MainWindow::btnZoomUpClick()
{
    SetPause();
    SetZoom(FiniteZoom((long double)Zoom / 0.9L));
    Redraw();
}

void MainWindow::btnZoomDownClick()
{
    SetPause();
    SetZoom(FiniteZoom((long double)Zoom * 0.9L));
    Redraw();
}

void MainWindow::btnSpeedUpClick()
{
    const std::int64_t v = ((std::int64_t(Interval) - 10) / 10) * 10;
    SetInterval(std::int32_t(std::max<std::int64_t>(v, INT32_MIN)));
}

void MainWindow::btnSpeedDownClick()
{
    const std::int64_t v = ((std::int64_t(Interval) + 10) / 10) * 10;
    SetInterval(std::int32_t(std::min<std::int64_t>(v, INT32_MAX)));
}

void MainWindow::btnDetailedClick()
{
    SetQuality(SaturatingAdd(Quality, 1));
    Redraw();
}

void MainWindow::btnRoughClick()
{
    SetQuality(SaturatingAdd(Quality, -1));
    Redraw();
}

void MainWindow::btnShowAllClick()
{
    mnShowAll->setChecked(btnShowAll->isChecked());
    Redraw();
}

void MainWindow::mnShowAllClick()
{
    btnShowAll->setChecked(!btnShowAll->isChecked());
    mnShowAll->setChecked(btnShowAll->isChecked());
    Redraw();
}

void MainWindow::btnSettingClick()
{
    SetPause();
    if (links_.settings)
        links_.settings->exec();
    if (links_.monitorRefresh)
        links_.monitorRefresh();
}

QString MainWindow::AskInput(const QString &caption, const QString &prompt, const QString &preset)
{
    if (inputBox_)
        return inputBox_(caption, prompt, preset);
    bool ok = false;
    const QString text = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? text : preset;
}

void MainWindow::lblIntervalClick()
{
    SetPause();
    const QString text = AskInput(QString::fromUtf8("インタ－バル設定"),
                                  QString::fromUtf8("画面書替え頻度（単位 ﾐﾘ秒/ｺﾏ)"), QString::number(Interval));
    if (const auto v = TryStrToInt(text))
        SetInterval(*v);
    else
        WarningBeep();
}

void MainWindow::lblQualityClick()
{
    const bool wasPaused = btnPause->isChecked();
    SetPause();
    const QString text
        = AskInput(QString::fromUtf8("精度設定"), QString::fromUtf8("描画精度"), QString::number(Quality));
    if (const auto v = TryStrToInt(text))
        SetQuality(*v);
    else
        WarningBeep();
    btnPause->setChecked(wasPaused);
}

void MainWindow::lblTimeClick()
{
    SetPause();
    const QString text = AskInput(QString::fromUtf8("時刻設定"), QString::fromUtf8("時刻を入力して下さい（単位 秒)"),
                                  QString::number(Time));
    if (const auto v = TryStrToInt(text)) {
        SetTime(*v);
        SetPause();
        Redraw();
    } else {
        WarningBeep();
    }
}

void MainWindow::mnPauseClick()
{
    btnPause->setChecked(!btnPause->isChecked());
}

void MainWindow::mnQuitClick()
{
    close();
}

void MainWindow::mnAboutClick()
{
    const bool wasPaused = btnPause->isChecked();
    if (links_.about)
        links_.about->exec();
    btnPause->setChecked(wasPaused);
}

void MainWindow::mnCopyClick()
{
    Redraw();
    if (!Wave->Bitmap.isNull())
        QGuiApplication::clipboard()->setImage(Wave->Bitmap);
}

void MainWindow::mnShowMonitorClick()
{
    if (QWidget *monitor = links_.monitor) {
        if (monitor->isVisible()) {
            monitor->hide();
            mnShowMonitor->setChecked(false);
            btnShowMonitor->setChecked(false);
        } else {
            monitor->show();
            monitor->raise();
            mnShowMonitor->setChecked(true);
            btnShowMonitor->setChecked(true);
        }
    }
    show();
    raise();
    activateWindow();
}

void MainWindow::mnVisualSettingClick()
{
    if (QWidget *w = links_.visualSetting) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

void MainWindow::pntWaveMouseMove(Qt::KeyboardModifiers shift, int x, int)
{
    const int w = pntWave->width();
    const std::int64_t p = w > 0 ? (std::int64_t(x) * 100) / w : 0;
    StatusBar->SetPanelText(1, QStringLiteral("X = %1%").arg(p));
    if ((shift & Qt::ShiftModifier) && links_.monitorProbe)
        links_.monitorProbe(x);
}
