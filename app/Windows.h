#pragma once
#include <QWidget>

#include <vector>

class MainWindow;
class QDialog;
class AboutBox;
class DisplaySettingsWindow;
class LineStyleDialog;
class AmplitudeMonitor;
class WaveSettingsDialog;

// The program's windows, each created once at start-up and living to the end.
extern MainWindow *frmWave;
extern WaveSettingsDialog *frmSetting;
extern AboutBox *aboutBox;
extern AmplitudeMonitor *frmMonitor;
extern DisplaySettingsWindow *frmVisualSetting;
extern LineStyleDialog *frmPenDialog;

// Creates the windows in their fixed order and connects them; returns them in
// that order. The main window is the one whose closing ends the program.
std::vector<QWidget *> createWindows();

// Destroys the windows in the reverse order of their creation.
void destroyWindows();
