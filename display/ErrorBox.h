#pragma once
#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

// The program's error box: error icon, the application's name as caption and
// the error text closed with a full stop.
std::unique_ptr<QMessageBox> makeErrorBox(const QString &text, QWidget *parent = nullptr);

// Shows the error box and waits until it is closed.
void showErrorBox(const QString &text, QWidget *parent = nullptr);
