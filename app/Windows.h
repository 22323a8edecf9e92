#pragma once
#include <QWidget>

#include <vector>

class TfrmWave;
class QDialog;
class TAboutBox;
class TfrmVisualSetting;
class TfrmPenDialog;
class TfrmMonitor;
class TfrmSetting;

// The program's windows, each created once at start-up and living to the end.
extern TfrmWave *frmWave;
extern TfrmSetting *frmSetting;
extern TAboutBox *AboutBox;
extern TfrmMonitor *frmMonitor;
extern TfrmVisualSetting *frmVisualSetting;
extern TfrmPenDialog *frmPenDialog;

// Creates the windows in their fixed order and connects them; returns them in
// that order. The main window is the one whose closing ends the program.
std::vector<QWidget *> CreateWindows();

// Destroys the windows in the reverse order of their creation.
void DestroyWindows();
