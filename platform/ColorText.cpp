#include "platform/ColorText.h"
#include "platform/AsciiText.h"
#include "platform/IniConvert.h"

#include <array>

namespace {

struct TColorName {
    TColor value;
    const char16_t *name;
};

// Searched in this order when a colour is written: plain colours, system
// colours by number, clNone.
constexpr std::array<TColorName, 42> KColorNames{{
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clSystemColor + 0, u"clScrollBar"},
    {clSystemColor + 1, u"clBackground"},
    {clSystemColor + 2, u"clActiveCaption"},
    {clSystemColor + 3, u"clInactiveCaption"},
    {clSystemColor + 4, u"clMenu"},
    {clSystemColor + 5, u"clWindow"},
    {clSystemColor + 6, u"clWindowFrame"},
    {clSystemColor + 7, u"clMenuText"},
    {clSystemColor + 8, u"clWindowText"},
    {clSystemColor + 9, u"clCaptionText"},
    {clSystemColor + 10, u"clActiveBorder"},
    {clSystemColor + 11, u"clInactiveBorder"},
    {clSystemColor + 12, u"clAppWorkSpace"},
    {clSystemColor + 13, u"clHighlight"},
    {clSystemColor + 14, u"clHighlightText"},
    {clSystemColor + 15, u"clBtnFace"},
    {clSystemColor + 16, u"clBtnShadow"},
    {clSystemColor + 17, u"clGrayText"},
    {clSystemColor + 18, u"clBtnText"},
    {clSystemColor + 19, u"clInactiveCaptionText"},
    {clSystemColor + 20, u"clBtnHighlight"},
    {clSystemColor + 21, u"cl3DDkShadow"},
    {clSystemColor + 22, u"cl3DLight"},
    {clSystemColor + 23, u"clInfoText"},
    {clSystemColor + 24, u"clInfoBk"},
    {clNone, u"clNone"},
}};

} // namespace

TConvertError::TConvertError(const QString &text)
    : std::runtime_error(QStringLiteral("'%1' は整数ではありません").arg(text).toStdString())
    , message_(QStringLiteral("'%1' は整数ではありません").arg(text))
{
}

QString colorToString(TColor color)
{
    for (const TColorName &entry : KColorNames) {
        if (entry.value == color)
            return QString::fromUtf16(entry.name);
    }
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<TColor> stringToColor(QStringView text)
{
    for (const TColorName &entry : KColorNames) {
        if (asciiEqualsIgnoringCase(text, QStringView(entry.name)))
            return entry.value;
    }
    if (const std::optional<qint32> value = parseIniInteger(text))
        return TColor(quint32(*value));
    return std::nullopt;
}

TColor stringToColorOrThrow(const QString &text)
{
    if (const std::optional<TColor> color = stringToColor(text))
        return *color;
    throw TConvertError(text);
}
