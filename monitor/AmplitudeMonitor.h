#pragma once
#include <QWidget>

#include <vector>

class QCheckBox;
class QFrame;
class QTabWidget;
class QTableView;
struct DisplaySettings;
class AmplitudeTableModel;
class BarChart;
class Wave;

// The amplitude monitor: the amplitude of every mode as bars or as a table,
// or, probed from the main window, each mode's local amplitude at one column
// of the string. It holds no data; every refresh reads the model again.
class AmplitudeMonitor : public QWidget {
    Q_OBJECT
public:
    AmplitudeMonitor(const Wave &wave, const DisplaySettings &look, QWidget *parent = nullptr);

    QTabWidget *pageControl = nullptr;
    QWidget *tstGraph = nullptr;
    BarChart *chart = nullptr;
    QFrame *optionsPanel = nullptr;
    QCheckBox *cbxAbsolute = nullptr;
    QCheckBox *cbxAutomatic = nullptr;
    QWidget *tstGrid = nullptr;
    QTableView *sgrAmplitudes = nullptr;

    void refresh();
    // Each mode's local amplitude at column x of a string picture that wide.
    void showAmplitudesAt(int x, int stringWidth);
    void absoluteToggled();
    void automaticScaleToggled();
    // The table's selected rows, or all when none is, as "mode<TAB>amplitude"
    // lines with the amplitude as the table shows it; Ctrl+C on the table
    // puts this on the clipboard.
    QString tableText() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildGraphPage();
    void buildGridPage();
    int modeCount() const;
    // values[k-1] is what mode k shows.
    void showValues(std::vector<float> values);
    void fillGraph(const std::vector<float> &values);
    void fillGrid(std::vector<float> values);

    AmplitudeTableModel *gridModel_ = nullptr;
    const Wave &wave_;
    const DisplaySettings &look_;
};
