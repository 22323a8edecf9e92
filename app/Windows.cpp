#include "app/Windows.h"

#include "app/About.h"
#include "display/PenDlg.h"
#include "display/VisualIni.h"
#include "display/Visualu.h"
#include "mainwindow/Frmwaveu.h"
#include "monitor/Monitor.h"
#include "settings/Settingu.h"

TfrmWave *frmWave = nullptr;
TfrmSetting *frmSetting = nullptr;
TAboutBox *AboutBox = nullptr;
TfrmMonitor *frmMonitor = nullptr;
TfrmVisualSetting *frmVisualSetting = nullptr;
TfrmPenDialog *frmPenDialog = nullptr;

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
    frmWave = new TfrmWave;
    frmWave->setObjectName(QStringLiteral("frmWave"));
    frmSetting = Secondary(new TfrmSetting(frmWave), "frmSetting");
    AboutBox = Secondary(new TAboutBox, "AboutBox");
    frmMonitor = Secondary(new TfrmMonitor, "frmMonitor");
    frmVisualSetting = Secondary(new TfrmVisualSetting(nullptr), "frmVisualSetting");
    frmVisualSetting->SetIniPath(VisualIniPath());
    frmVisualSetting->FormCreate();
    frmPenDialog = Secondary(new TfrmPenDialog, "frmPenDialog");
    frmVisualSetting->SetPenDialog(frmPenDialog);
    frmVisualSetting->SetMonitorUpDate([] { frmMonitor->UpDate(); });

    TWave *wave = frmWave->Wave.get();
    wave->SetDisplaySettings(&frmVisualSetting->Settings);
    wave->SetDrawnAmplitudesHandler([] { frmMonitor->UpDate(); });
    frmMonitor->SetWave(wave);
    frmSetting->SetMonitorUpDate([] { frmMonitor->UpDate(); });
    frmMonitor->SetDisplaySettings(&frmVisualSetting->Settings);
    frmMonitor->SetStringWidthSource([] { return frmWave->pntWave->width(); });
    TfrmWave::Links links;
    links.settings = frmSetting;
    links.about = AboutBox;
    links.monitor = frmMonitor;
    links.visualSetting = frmVisualSetting;
    links.monitorUpDate = [] { frmMonitor->UpDate(); };
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
