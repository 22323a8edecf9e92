#include "app/Windows.h"

#include "app/About.h"
#include "app/Placeholders.h"
#include "mainwindow/Frmwaveu.h"
#include "monitor/Monitor.h"
#include "settings/Settingu.h"

TfrmWave *frmWave = nullptr;
TfrmSetting *frmSetting = nullptr;
TAboutBox *AboutBox = nullptr;
TfrmMonitor *frmMonitor = nullptr;
TPlaceholderVisualSetting *frmVisualSetting = nullptr;
QDialog *frmPenDialog = nullptr;

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
    frmVisualSetting = Secondary(new TPlaceholderVisualSetting, "frmVisualSetting");
    frmPenDialog = Secondary(new TPlaceholderWindow(QString::fromUtf8("線の設定")), "frmPenDialog");

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
