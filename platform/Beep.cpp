#include "platform/Beep.h"

#include <QApplication>

void WarningBeep()
{
    QApplication::beep();
}
