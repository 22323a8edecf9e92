#pragma once
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The borderless About box. Its margin takes a colour from blue at the top to
// red at the bottom, following the pointer, and keeps it between showings.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    // Pointer moved to Y in the coordinates of `sender` (the box or Panel1).
    void formMouseMove(QObject *sender, Qt::KeyboardModifiers shift, int x, int y);
    QColor backgroundColor() const;

    QFrame *panel1 = nullptr;
    QLabel *programIcon = nullptr;
    QLabel *productName = nullptr;
    QLabel *version = nullptr;
    QLabel *lblCopyright = nullptr;
    QPushButton *btnOK = nullptr;

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The colour value of the margin with the pointer at row y of a box h high.
unsigned aboutColorAt(int y, int h);
