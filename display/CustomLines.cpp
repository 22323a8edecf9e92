#include "display/CustomLines.h"

#include <QCoreApplication>

QString customLineText(int item)
{
    if (item == 0)
        return QCoreApplication::translate("CustomLines", "合成波");
    if (item == CustomLineCount - 1)
        return QCoreApplication::translate("CustomLines", "%1次以降").arg(item);
    return QCoreApplication::translate("CustomLines", "%1次振動").arg(item);
}

Pen *customLinePen(DisplaySettings &s, int item)
{
    if (item < 0 || item >= CustomLineCount)
        return nullptr;
    if (item == 0)
        return &s.mainWavePen;
    if (item == CustomLineCount - 1)
        return &s.wavePens[0];
    return &s.wavePens[std::size_t(item)];
}
