#include "platform/Beep.h"

#include <QApplication>

void warningBeep()
{
    QApplication::beep();
}
