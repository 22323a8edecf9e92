#pragma once
#include "display/ColorPicker.h"
#include "display/OwnerDraw.h"
#include "platform/Pen.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class ColorPanel;

// The modal line style dialog. It edits a pen of its own: the caller copies
// its pen in, runs Execute, and copies Pen back only when that returns true.
class LineStyleDialog : public QDialog {
    Q_OBJECT
public:
    explicit LineStyleDialog(QWidget *parent = nullptr);

    QFrame *panel = nullptr;
    QLabel *lblColor = nullptr;
    ColorPanel *pnlColor = nullptr;
    QLabel *lblPenStyle = nullptr;
    OwnerDrawComboBox *cmbPenStyle = nullptr;
    QLabel *lblPenWidth = nullptr;
    OwnerDrawComboBox *cmbPenWidth = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnOK = nullptr;

    // The working pen, kept from one use to the next.
    Pen pen;

    void setPen(const Pen &source) { pen = source; }
    // Shows the dialog modally with Pen's values; true when closed with OK.
    bool execute();

    // The colour dialog; the platform's unless replaced.
    void setColorPicker(ColorPicker picker) { colorPicker_ = std::move(picker); }

    void chooseColor();
    void styleChosen();
    void widthChosen();
    void drawStyleRow(const DrawItem &item);
    void drawWidthRow(const DrawItem &item);
    void confirm();
    void cancel();

private:
    void repaintLists();

    ColorPicker colorPicker_;
    // The colour dialog starts from what it gave last, not from the pen.
    QColor pickerColor_{Qt::black};
};
