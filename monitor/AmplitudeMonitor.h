#pragma once
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QFrame;
class QTabWidget;
class QTableView;
class IDisplaySettings;
class TAmplitudeTableModel;
class TBarChart;
class TWave;

// The amplitude monitor: the amplitude of every mode as bars or as a table,
// or, probed from the main window, each mode's local amplitude at one column
// of the string. It holds no data; every refresh reads the model again.
class AmplitudeMonitor : public QWidget {
    Q_OBJECT
public:
    explicit AmplitudeMonitor(QWidget *parent = nullptr);

    QTabWidget *PageControl = nullptr;
    QWidget *tstGraph = nullptr;
    TBarChart *Chart1 = nullptr;
    QFrame *Panel1 = nullptr;
    QCheckBox *cbxAbsolute = nullptr;
    QCheckBox *cbxAutomatic = nullptr;
    QWidget *tstGrid = nullptr;
    QTableView *sgrAmplitudes = nullptr;

    void SetWave(const TWave *wave) { wave_ = wave; }
    void SetDisplaySettings(const IDisplaySettings *settings) { settings_ = settings; }
    // The width of the main window's string picture, read at every probe.
    void SetStringWidthSource(std::function<int()> source) { stringWidth_ = std::move(source); }

    void Refresh(QObject *sender = nullptr);
    void ShowAmplitudesAt(int X);
    void cbxAbsoluteClick(QObject *sender = nullptr);
    void cbxAutomaticClick(QObject *sender = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void BuildGraphPage();
    void BuildGridPage();
    int ModeCount() const;
    // values[k-1] is what mode k shows.
    void ShowValues(std::vector<float> values);
    void FillGraph(const std::vector<float> &values);
    void FillGrid(std::vector<float> values);

    TAmplitudeTableModel *gridModel_ = nullptr;
    const TWave *wave_ = nullptr;
    const IDisplaySettings *settings_ = nullptr;
    std::function<int()> stringWidth_;
};
