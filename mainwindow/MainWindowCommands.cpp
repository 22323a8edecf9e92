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
float finiteZoom(long double z)
{
    if (!(z <= FLT_MAX))
        return FLT_MAX;
    return float(z);
}

} // namespace

void MainWindow::btnPrevClick()
{
    setPause();
    setTime(saturatingAdd(time, -1));
    redraw();
}

void MainWindow::btnNextClick()
{
    setPause();
    setTime(saturatingAdd(time, 1));
    redraw();
}

void MainWindow::btnRewindClick()
{
    setPause();
    setTime(0);
    redraw();
}

void MainWindow::btnZoomUpClick()
{
    setPause();
    setZoom(finiteZoom((long double)zoom / 0.9L));
    redraw();
}

void MainWindow::btnZoomDownClick()
{
    setPause();
    setZoom(finiteZoom((long double)zoom * 0.9L));
    redraw();
}

void MainWindow::btnSpeedUpClick()
{
    const std::int64_t v = ((std::int64_t(interval) - 10) / 10) * 10;
    setInterval(std::int32_t(std::max<std::int64_t>(v, INT32_MIN)));
}

void MainWindow::btnSpeedDownClick()
{
    const std::int64_t v = ((std::int64_t(interval) + 10) / 10) * 10;
    setInterval(std::int32_t(std::min<std::int64_t>(v, INT32_MAX)));
}

void MainWindow::btnDetailedClick()
{
    setQuality(saturatingAdd(quality, 1));
    redraw();
}

void MainWindow::btnRoughClick()
{
    setQuality(saturatingAdd(quality, -1));
    redraw();
}

void MainWindow::btnShowAllClick()
{
    mnShowAll->setChecked(btnShowAll->isChecked());
    redraw();
}

void MainWindow::mnShowAllClick()
{
    btnShowAll->setChecked(!btnShowAll->isChecked());
    mnShowAll->setChecked(btnShowAll->isChecked());
    redraw();
}

void MainWindow::btnSettingClick()
{
    setPause();
    if (links_.settings)
        links_.settings->exec();
    if (links_.monitorRefresh)
        links_.monitorRefresh();
}

QString MainWindow::askInput(const QString &caption, const QString &prompt, const QString &preset)
{
    if (inputBox_)
        return inputBox_(caption, prompt, preset);
    bool ok = false;
    const QString text = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? text : preset;
}

void MainWindow::lblIntervalClick()
{
    setPause();
    const QString text = askInput(QString::fromUtf8("インタ－バル設定"),
                                  QString::fromUtf8("画面書替え頻度（単位 ﾐﾘ秒/ｺﾏ)"), QString::number(interval));
    if (const auto v = tryStrToInt(text))
        setInterval(*v);
    else
        warningBeep();
}

void MainWindow::lblQualityClick()
{
    const bool wasPaused = btnPause->isChecked();
    setPause();
    const QString text
        = askInput(QString::fromUtf8("精度設定"), QString::fromUtf8("描画精度"), QString::number(quality));
    if (const auto v = tryStrToInt(text))
        setQuality(*v);
    else
        warningBeep();
    btnPause->setChecked(wasPaused);
}

void MainWindow::lblTimeClick()
{
    setPause();
    const QString text = askInput(QString::fromUtf8("時刻設定"), QString::fromUtf8("時刻を入力して下さい（単位 秒)"),
                                  QString::number(time));
    if (const auto v = tryStrToInt(text)) {
        setTime(*v);
        setPause();
        redraw();
    } else {
        warningBeep();
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
    redraw();
    if (!wave->bitmap.isNull())
        QGuiApplication::clipboard()->setImage(wave->bitmap);
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
    statusBar->setPanelText(1, QStringLiteral("X = %1%").arg(p));
    if ((shift & Qt::ShiftModifier) && links_.monitorProbe)
        links_.monitorProbe(x);
}
