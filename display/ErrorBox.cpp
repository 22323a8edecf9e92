#include "display/ErrorBox.h"

#include <QCoreApplication>
#include <QMessageBox>

std::unique_ptr<QMessageBox> MakeErrorBox(const QString &text, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QCoreApplication::applicationName(),
                                             text + QLatin1Char('.'), QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void ShowErrorBox(const QString &text, QWidget *parent)
{
    MakeErrorBox(text, parent)->exec();
}
