#pragma once
#include <QDialog>
#include <QImage>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class MainWindow;
class WaveformEditor;
class IntSpinBox;
class RadioGroup;

// The wave settings dialog: number of modes, period and amplitude rule, with
// the waveform editor for the drawn rule. There is no cancel: however it
// closes, it writes its values into the model and sets the animation going.
class WaveSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit WaveSettingsDialog(MainWindow *mainWindow, QWidget *parent = nullptr);
    ~WaveSettingsDialog() override;

    // Refreshes the amplitude monitor from the model.
    void setMonitorRefresh(std::function<void()> upDate) { monitorRefresh_ = std::move(upDate); }

    void btnOKClick();
    void rgpAmplitudeTypeClick();

    // The waveform editor.
    void drawWaveform();
    void pntWaveformPaint();
    void pntWaveformMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void pntWaveformMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void pntWaveformMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void btnClearWaveformClick();

    // Controls.
    QGroupBox *grpWaveCount = nullptr;
    IntSpinBox *spnNumberOfWaves = nullptr;
    QLabel *lblWaveCountUnit = nullptr;
    QGroupBox *grpPeriod = nullptr;
    IntSpinBox *spnCycle = nullptr;
    QLabel *lblPeriodUnit = nullptr;
    RadioGroup *rgpAmplitudeType = nullptr;
    QGroupBox *grpWaveform = nullptr;
    WaveformEditor *pntWaveform = nullptr;
    QPushButton *btnClearWaveform = nullptr;
    QPushButton *btnOK = nullptr;

    QImage waveformBitmap;
    int selectedPoint = 0; // the inner point under drag, 0 for none

    // Every way of closing ends here, so the values are applied exactly once.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void formCreate();
    bool formCloseQuery();

    MainWindow *mainWindow_;
    std::function<void()> monitorRefresh_;
};
