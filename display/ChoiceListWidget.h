#pragma once
#include <QListWidget>

// A list that reports every choice of a row, not only changes of the
// selection: a click, also on the row already selected, and each key that
// moves through the list, also an arrow that finds no row further on.
class ChoiceListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit ChoiceListWidget(QWidget *parent = nullptr);

signals:
    void rowChosen(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
