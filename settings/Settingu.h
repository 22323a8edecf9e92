#pragma once
#include <QDialog>
#include <QImage>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class TfrmWave;
class THakeiPaintBox;
class TIntSpinBox;
class TRadioGroup;

// The wave settings dialog: number of modes, period and amplitude rule, with
// the waveform editor for the drawn rule. There is no cancel: however it
// closes, it writes its values into the model and sets the animation going.
class TfrmSetting : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetting(TfrmWave *mainWindow, QWidget *parent = nullptr);
    ~TfrmSetting() override;

    // Refreshes the amplitude monitor from the model.
    void SetMonitorUpDate(std::function<void()> upDate) { monitorUpDate_ = std::move(upDate); }

    void btnOKClick();
    void rgpAmplitudeTypeClick();

    // The waveform editor.
    void DrawHakei();
    void pntHakeiPaint();
    void pntHakeiMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void pntHakeiMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void pntHakeiMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void btnClearHakeiClick();

    // Controls.
    QGroupBox *GroupBox2 = nullptr;
    TIntSpinBox *spnNumberOfWaves = nullptr;
    QLabel *Label1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    TIntSpinBox *spnCycle = nullptr;
    QLabel *Label2 = nullptr;
    TRadioGroup *rgpAmplitudeType = nullptr;
    QGroupBox *grpHakei = nullptr;
    THakeiPaintBox *pntHakei = nullptr;
    QPushButton *btnClearHakei = nullptr;
    QPushButton *btnOK = nullptr;

    QImage HakeiBitmap;
    int SelectedPoint = 0; // the inner point under drag, 0 for none

    // Every way of closing ends here, so the values are applied exactly once.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();
    bool FormCloseQuery();

    TfrmWave *mainWindow_;
    std::function<void()> monitorUpDate_;
};
