#include "app/Windows.h"

#include "app/About.h"
#include "display/DisplaySettingsWindow.h"
#include "display/LineStyleDialog.h"
#include "mainwindow/MainWindow.h"
#include "monitor/AmplitudeMonitor.h"
#include "settings/WaveSettingsDialog.h"

MainWindow *frmWave = nullptr;
WaveSettingsDialog *frmSetting = nullptr;
AboutBox *aboutBox = nullptr;
AmplitudeMonitor *frmMonitor = nullptr;
DisplaySettingsWindow *frmVisualSetting = nullptr;
LineStyleDialog *frmPenDialog = nullptr;

namespace {

// Only the main window keeps the program alive.
template <class W> W *secondary(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setAttribute(Qt::WA_QuitOnClose, false);
    return w;
}

} // namespace

std::vector<QWidget *> createWindows()
{
    frmWave = new MainWindow;
    frmWave->setObjectName(QStringLiteral("frmWave"));
    frmSetting = secondary(new WaveSettingsDialog(frmWave), "frmSetting");
    aboutBox = secondary(new AboutBox, "AboutBox");
    frmMonitor = secondary(new AmplitudeMonitor, "frmMonitor");
    frmVisualSetting = secondary(new DisplaySettingsWindow(nullptr), "frmVisualSetting");
    frmVisualSetting->formCreate();
    frmPenDialog = secondary(new LineStyleDialog, "frmPenDialog");
    frmVisualSetting->setPenDialog(frmPenDialog);
    frmVisualSetting->setMonitorRefresh([] { frmMonitor->refresh(); });

    Wave *wave = frmWave->wave.get();
    wave->setDisplaySettings(&frmVisualSetting->settings);
    wave->setDrawnAmplitudesHandler([] { frmMonitor->refresh(); });
    frmMonitor->setWave(wave);
    frmSetting->setMonitorRefresh([] { frmMonitor->refresh(); });
    frmMonitor->setDisplaySettings(&frmVisualSetting->settings);
    frmMonitor->setStringWidthSource([] { return frmWave->pntWave->width(); });
    MainWindow::Links links;
    links.settings = frmSetting;
    links.about = aboutBox;
    links.monitor = frmMonitor;
    links.visualSetting = frmVisualSetting;
    links.monitorRefresh = [] { frmMonitor->refresh(); };
    links.monitorProbe = [](int x) { frmMonitor->showAmplitudesAt(x); };
    frmWave->setLinks(links);
    return {frmWave, frmSetting, aboutBox, frmMonitor, frmVisualSetting, frmPenDialog};
}

void destroyWindows()
{
    delete frmPenDialog;
    frmPenDialog = nullptr;
    delete frmVisualSetting;
    frmVisualSetting = nullptr;
    delete frmMonitor;
    frmMonitor = nullptr;
    delete aboutBox;
    aboutBox = nullptr;
    delete frmSetting;
    frmSetting = nullptr;
    delete frmWave;
    frmWave = nullptr;
}
