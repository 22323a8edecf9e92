#include "platform/ColorText.h"

#include "platform/AsciiText.h"
#include "platform/IniConvert.h"
#include <QCoreApplication>

#include <array>

namespace {

struct ColorName {
    Color value;
    const char16_t *name;
};

// Searched in this order when a colour is written: plain colours, system
// colours by number, colors::None.
constexpr std::array<ColorName, 42> KColorNames{{
    {colors::Black, u"clBlack"},
    {colors::Maroon, u"clMaroon"},
    {colors::Green, u"clGreen"},
    {colors::Olive, u"clOlive"},
    {colors::Navy, u"clNavy"},
    {colors::Purple, u"clPurple"},
    {colors::Teal, u"clTeal"},
    {colors::Gray, u"clGray"},
    {colors::Silver, u"clSilver"},
    {colors::Red, u"clRed"},
    {colors::Lime, u"clLime"},
    {colors::Yellow, u"clYellow"},
    {colors::Blue, u"clBlue"},
    {colors::Fuchsia, u"clFuchsia"},
    {colors::Aqua, u"clAqua"},
    {colors::White, u"clWhite"},
    {colors::SystemColor + 0, u"clScrollBar"},
    {colors::SystemColor + 1, u"clBackground"},
    {colors::SystemColor + 2, u"clActiveCaption"},
    {colors::SystemColor + 3, u"clInactiveCaption"},
    {colors::SystemColor + 4, u"clMenu"},
    {colors::SystemColor + 5, u"clWindow"},
    {colors::SystemColor + 6, u"clWindowFrame"},
    {colors::SystemColor + 7, u"clMenuText"},
    {colors::SystemColor + 8, u"clWindowText"},
    {colors::SystemColor + 9, u"clCaptionText"},
    {colors::SystemColor + 10, u"clActiveBorder"},
    {colors::SystemColor + 11, u"clInactiveBorder"},
    {colors::SystemColor + 12, u"clAppWorkSpace"},
    {colors::SystemColor + 13, u"clHighlight"},
    {colors::SystemColor + 14, u"clHighlightText"},
    {colors::SystemColor + 15, u"clBtnFace"},
    {colors::SystemColor + 16, u"clBtnShadow"},
    {colors::SystemColor + 17, u"clGrayText"},
    {colors::SystemColor + 18, u"clBtnText"},
    {colors::SystemColor + 19, u"clInactiveCaptionText"},
    {colors::SystemColor + 20, u"clBtnHighlight"},
    {colors::SystemColor + 21, u"cl3DDkShadow"},
    {colors::SystemColor + 22, u"cl3DLight"},
    {colors::SystemColor + 23, u"clInfoText"},
    {colors::SystemColor + 24, u"clInfoBk"},
    {colors::None, u"clNone"},
}};

} // namespace

ConvertError::ConvertError(const QString &text)
    : std::runtime_error(
        QCoreApplication::translate("ConvertError", "'%1' は整数ではありません").arg(text).toStdString())
    , message_(QCoreApplication::translate("ConvertError", "'%1' は整数ではありません").arg(text))
{
}

QString colorToString(Color color)
{
    for (const ColorName &entry : KColorNames) {
        if (entry.value == color)
            return QString::fromUtf16(entry.name);
    }
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<Color> stringToColor(QStringView text)
{
    for (const ColorName &entry : KColorNames) {
        if (asciiEqualsIgnoringCase(text, QStringView(entry.name)))
            return entry.value;
    }
    if (const std::optional<qint32> value = parseIniInteger(text))
        return Color(quint32(*value));
    return std::nullopt;
}

Color stringToColorOrThrow(const QString &text)
{
    if (const std::optional<Color> color = stringToColor(text))
        return *color;
    throw ConvertError(text);
}
