#include "platform/Beep.h"

#include <QApplication>

void MessageBeep(unsigned)
{
    QApplication::beep();
}
