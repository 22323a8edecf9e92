#pragma once
#include "mainwindow/ToolIcons.h"

#include <QToolButton>

// A tool band button that runs, and shows the check state of, an action it
// shares with the menu, but keeps a picture, caption and hint of its own: the
// band's hints are shorter than the menu's, and menu items carry no pictures.
// The picture follows the button's palette, so a change of desktop theme
// redraws it in the new colours.
class BandButton : public QToolButton {
    Q_OBJECT
public:
    BandButton(QAction *action, ToolPicture picture, const QString &hint, QWidget *parent = nullptr);

    void setCaption(const QString &caption);

protected:
    void actionEvent(QActionEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showOwnLook();

    ToolPicture picture_;
    QIcon icon_;
    QString hint_;
    QString caption_;
};
