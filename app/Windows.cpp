#include "app/Windows.h"

#include "app/About.h"
#include "display/DisplaySettingsWindow.h"
#include "display/LineStyleDialog.h"
#include "mainwindow/MainWindow.h"
#include "monitor/AmplitudeMonitor.h"
#include "settings/WaveSettingsDialog.h"

MainWindow *frmWave = nullptr;
WaveSettingsDialog *frmSetting = nullptr;
TAboutBox *AboutBox = nullptr;
AmplitudeMonitor *frmMonitor = nullptr;
DisplaySettingsWindow *frmVisualSetting = nullptr;
LineStyleDialog *frmPenDialog = nullptr;

namespace {

// Only the main window keeps the program alive.
template <class W> W *Secondary(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setAttribute(Qt::WA_QuitOnClose, false);
    return w;
}

} // namespace

std::vector<QWidget *> CreateWindows()
{
    frmWave = new MainWindow;
    frmWave->setObjectName(QStringLiteral("frmWave"));
    frmSetting = Secondary(new WaveSettingsDialog(frmWave), "frmSetting");
    AboutBox = Secondary(new TAboutBox, "AboutBox");
    frmMonitor = Secondary(new AmplitudeMonitor, "frmMonitor");
    frmVisualSetting = Secondary(new DisplaySettingsWindow(nullptr), "frmVisualSetting");
    frmVisualSetting->FormCreate();
    frmPenDialog = Secondary(new LineStyleDialog, "frmPenDialog");
    frmVisualSetting->SetPenDialog(frmPenDialog);
    frmVisualSetting->SetMonitorRefresh([] { frmMonitor->Refresh(); });

    TWave *wave = frmWave->Wave.get();
    wave->SetDisplaySettings(&frmVisualSetting->Settings);
    wave->SetDrawnAmplitudesHandler([] { frmMonitor->Refresh(); });
    frmMonitor->SetWave(wave);
    frmSetting->SetMonitorRefresh([] { frmMonitor->Refresh(); });
    frmMonitor->SetDisplaySettings(&frmVisualSetting->Settings);
    frmMonitor->SetStringWidthSource([] { return frmWave->pntWave->width(); });
    MainWindow::Links links;
    links.settings = frmSetting;
    links.about = AboutBox;
    links.monitor = frmMonitor;
    links.visualSetting = frmVisualSetting;
    links.monitorRefresh = [] { frmMonitor->Refresh(); };
    links.monitorProbe = [](int x) { frmMonitor->ShowAmplitudesAt(x); };
    frmWave->SetLinks(links);
    return {frmWave, frmSetting, AboutBox, frmMonitor, frmVisualSetting, frmPenDialog};
}

void DestroyWindows()
{
    delete frmPenDialog;
    frmPenDialog = nullptr;
    delete frmVisualSetting;
    frmVisualSetting = nullptr;
    delete frmMonitor;
    frmMonitor = nullptr;
    delete AboutBox;
    AboutBox = nullptr;
    delete frmSetting;
    frmSetting = nullptr;
    delete frmWave;
    frmWave = nullptr;
}
