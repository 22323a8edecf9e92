#pragma once
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QFrame;
class QTabWidget;
class QTableView;
class IDisplaySettings;
class AmplitudeTableModel;
class BarChart;
class Wave;

// The amplitude monitor: the amplitude of every mode as bars or as a table,
// or, probed from the main window, each mode's local amplitude at one column
// of the string. It holds no data; every refresh reads the model again.
class AmplitudeMonitor : public QWidget {
    Q_OBJECT
public:
    explicit AmplitudeMonitor(QWidget *parent = nullptr);

    QTabWidget *pageControl = nullptr;
    QWidget *tstGraph = nullptr;
    BarChart *chart1 = nullptr;
    QFrame *panel1 = nullptr;
    QCheckBox *cbxAbsolute = nullptr;
    QCheckBox *cbxAutomatic = nullptr;
    QWidget *tstGrid = nullptr;
    QTableView *sgrAmplitudes = nullptr;

    void setWave(const Wave *wave) { wave_ = wave; }
    void setDisplaySettings(const IDisplaySettings *settings) { settings_ = settings; }
    // The width of the main window's string picture, read at every probe.
    void setStringWidthSource(std::function<int()> source) { stringWidth_ = std::move(source); }

    void refresh(QObject *sender = nullptr);
    void showAmplitudesAt(int x);
    void cbxAbsoluteClick(QObject *sender = nullptr);
    void cbxAutomaticClick(QObject *sender = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildGraphPage();
    void buildGridPage();
    int modeCount() const;
    // values[k-1] is what mode k shows.
    void showValues(std::vector<float> values);
    void fillGraph(const std::vector<float> &values);
    void fillGrid(std::vector<float> values);

    AmplitudeTableModel *gridModel_ = nullptr;
    const Wave *wave_ = nullptr;
    const IDisplaySettings *settings_ = nullptr;
    std::function<int()> stringWidth_;
};
