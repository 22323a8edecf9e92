#pragma once
#include <QGroupBox>

#include <vector>

class QButtonGroup;
class QRadioButton;

// A titled group of radio buttons, one column, chosen by index. Reports a change
// of the chosen item however it came about: mouse, arrow keys or the program.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr);

    // The chosen item, -1 for none.
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton *item(int index) const { return buttons_.at(std::size_t(index)); }
    int count() const { return int(buttons_.size()); }

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrangeButtons();

    QButtonGroup *group_ = nullptr;
    std::vector<QRadioButton *> buttons_;
};
