#include "display/CustomLines.h"

QString CustomLineText(int item)
{
    if (item == 0)
        return QStringLiteral("合成波");
    if (item == CustomLineCount - 1)
        return QStringLiteral("%1次以降").arg(item);
    return QStringLiteral("%1次振動").arg(item);
}

TPen *CustomLinePen(TDisplaySettings &s, int item)
{
    if (item < 0 || item >= CustomLineCount)
        return nullptr;
    if (item == 0)
        return &s.MainWavePen;
    if (item == CustomLineCount - 1)
        return &s.WavePens[0];
    return &s.WavePens[std::size_t(item)];
}
