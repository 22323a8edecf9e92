#pragma once
#include "display/ColorPicker.h"
#include "display/DisplaySettingsRecord.h"
#include "display/OwnerDraw.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class ChoiceListWidget;
class LineStyleDialog;
class IntSpinBox;

// The display settings window. It holds the one settings record the drawing
// reads, loads it from the settings file in FormCreate and writes it back when
// it is destroyed. Every change takes effect in the record at once.
class DisplaySettingsWindow : public QWidget {
    Q_OBJECT
public:
    using ErrorReporter = std::function<void(const QString &text)>;

    explicit DisplaySettingsWindow(LineStyleDialog *penDialog, QWidget *parent = nullptr);
    ~DisplaySettingsWindow() override;

    DisplaySettings settings;

    QTabWidget *pageControl = nullptr;
    QWidget *tstGeneral = nullptr;
    QPushButton *btnBGColor = nullptr;
    QPushButton *btnAxisPen = nullptr;
    QGroupBox *grpVertLines = nullptr;
    QCheckBox *cbxVisibleVertLines = nullptr;
    IntSpinBox *spnNumOfVertLines = nullptr;
    QLabel *lblDivisions = nullptr;
    QPushButton *btnVertLinePen = nullptr;
    QWidget *tstLines = nullptr;
    ChoiceListWidget *lstCustomLines = nullptr;
    QPushButton *btnClear = nullptr;
    QPushButton *btnClose = nullptr;

    // The line style dialog may be made after this window.
    void setPenDialog(LineStyleDialog *penDialog);
    // The amplitude monitor's refresh, asked for by btnClose.
    void setMonitorRefresh(std::function<void()> upDate) { monitorRefresh_ = std::move(upDate); }
    // The settings file; VisualIniPath() unless replaced before FormCreate.
    void setIniPath(QString path) { iniPath_ = std::move(path); }
    // Where a failed load or save is told; the error box unless replaced.
    void setErrorReporter(ErrorReporter reporter) { reportError_ = std::move(reporter); }
    // The colour dialog; the platform's unless replaced.
    void setColorPicker(ColorPicker picker) { colorPicker_ = std::move(picker); }

    // Loads the settings and fills the wave line list.
    void formCreate();
    // Saves the settings, once, if they were loaded; the destructor calls it.
    void formDestroy();

    void btnBGColorClick();
    void btnAxisPenClick();
    void cbxVisibleVertLinesClick();
    void btnVertLinePenClick();
    void lstCustomLinesDrawItem(const DrawItem &item);
    // Runs the line style dialog for the list's row `item`.
    void lstCustomLinesClick(int item);
    void btnClearClick();
    void btnCloseClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildGeneralPage();
    void buildLinesPage();
    void fillCustomLines();
    void report(const QString &text) const;
    // The dialog's pen when the user confirmed it.
    std::optional<Pen> runPenDialog(const Pen &pen);

    // Made after this window at start-up and destroyed before it.
    QPointer<LineStyleDialog> penDialog_;
    std::function<void()> monitorRefresh_;
    QString iniPath_;
    ErrorReporter reportError_;
    ColorPicker colorPicker_;
    bool loaded_ = false;
};
