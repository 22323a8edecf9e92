#pragma once
#include "model/WaveParams.h"

#include <QDialog>

class DrawnWaveform;
class IntSpinBox;
class DesignGroupBox;
class QPushButton;
class RadioGroup;
class WaveformEditor;

// The wave settings dialog: number of modes, period and amplitude rule, with
// the waveform editor for the drawn rule. There is no cancel: however it
// closes, it announces its values, for the owner to apply.
class WaveSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit WaveSettingsDialog(QWidget *parent = nullptr);
    ~WaveSettingsDialog() override;

    // The values shown, typed text brought into range.
    WaveParams params() const;
    const DrawnWaveform &waveform() const;
    // Shows settings made elsewhere (a lesson), so the next closing applies them.
    void showSettings(const WaveParams &params, const DrawnWaveform &waveform);

    // Every way of closing ends here, so the values are announced exactly once.
    void done(int result) override;

signals:
    void applied(const WaveParams &params);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ruleChosen();

    IntSpinBox *modeCountBox_ = nullptr;
    IntSpinBox *periodBox_ = nullptr;
    RadioGroup *ruleGroup_ = nullptr;
    DesignGroupBox *editorGroup_ = nullptr;
    WaveformEditor *editor_ = nullptr;
    QPushButton *clearButton_ = nullptr;
};
