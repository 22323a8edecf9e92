#include "display/ErrorBox.h"

#include <QCoreApplication>
#include <QMessageBox>

std::unique_ptr<QMessageBox> makeErrorBox(const QString &text, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QCoreApplication::applicationName(),
                                             text + QLatin1Char('.'), QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void showErrorBox(const QString &text, QWidget *parent)
{
    makeErrorBox(text, parent)->exec();
}
