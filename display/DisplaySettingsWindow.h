#pragma once
#include "display/ColorPicker.h"
#include "display/OwnerDraw.h"
#include "model/DisplaySettings.h"

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

// The display settings window. It edits the settings record it is given, the
// one the drawing reads; every change takes effect in the record at once.
class DisplaySettingsWindow : public QWidget {
    Q_OBJECT
public:
    DisplaySettingsWindow(DisplaySettings &settings, LineStyleDialog *penDialog, QWidget *parent = nullptr);
    ~DisplaySettingsWindow() override;

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
    // The colour dialog; the platform's unless replaced.
    void setColorPicker(ColorPicker picker) { colorPicker_ = std::move(picker); }
    // Shows the record's guide-line state in the controls, as after loading,
    // and takes the count back as the count box brought it into range.
    void showSettings();

    void chooseBackgroundColor();
    void editAxisPen();
    void guideLinesToggled();
    void editGuideLinePen();
    void drawLineRow(const DrawItem &item);
    // Runs the line style dialog for the list's row `item`.
    void editLineRow(int item);
    void resetModePens();
    void closeWindow();

signals:
    // The window was closed with its button.
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildGeneralPage();
    void buildLinesPage();
    void fillCustomLines();
    // The dialog's pen when the user confirmed it.
    std::optional<Pen> runPenDialog(const Pen &pen);

    // Made after this window at start-up and destroyed before it.
    QPointer<LineStyleDialog> penDialog_;
    DisplaySettings &settings_;
    ColorPicker colorPicker_;
};
