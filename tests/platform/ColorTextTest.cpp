#include "platform/ColorText.h"
#include "platform/IniConvert.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

std::optional<qint32> Int(const char *text)
{
    return parseIniInteger(QString::fromLatin1(text));
}

TEST(IniIntegerTest, DecimalWithSignWithinThirtyTwoBits)
{
    EXPECT_EQ(Int("0"), 0);
    EXPECT_EQ(Int("42"), 42);
    EXPECT_EQ(Int("-3"), -3);
    EXPECT_EQ(Int("+7"), 7);
    EXPECT_EQ(Int("007"), 7);
    EXPECT_EQ(Int("2147483647"), INT32_MAX);
    EXPECT_EQ(Int("-2147483648"), INT32_MIN);
    EXPECT_EQ(Int("2147483648"), std::nullopt);
    EXPECT_EQ(Int("-2147483649"), std::nullopt);
    EXPECT_EQ(Int("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(Int("00000000000000000000012"), 12);
}

TEST(IniIntegerTest, HexadecimalAfterDollarOrZeroX)
{
    EXPECT_EQ(Int("0x10"), 16);
    EXPECT_EQ(Int("0X10"), 16);
    EXPECT_EQ(Int("$ff"), 255);
    EXPECT_EQ(Int("$FF"), 255);
    EXPECT_EQ(Int("$7FFFFFFF"), INT32_MAX);
    // Hexadecimal is a bit pattern: the top bit makes it negative.
    EXPECT_EQ(Int("$FFFFFFFF"), -1);
    EXPECT_EQ(Int("$80000005"), qint32(0x80000005u));
    EXPECT_EQ(Int("$100000000"), std::nullopt);
    EXPECT_EQ(Int("-$10"), -16);
    EXPECT_EQ(Int("-0x80000000"), INT32_MIN);
    EXPECT_EQ(Int("-$80000001"), std::nullopt);
}

TEST(IniIntegerTest, AnythingElseIsNoInteger)
{
    for (const char *text : {"", "abc", "$", "0x", "-", "+", "--1", "+-1", "1.5", "1e3", "12abc", " 12", "12 ", "$fg",
                             "0x-1", "$-1", "x10", "0b101", "1,000"})
        EXPECT_EQ(Int(text), std::nullopt) << text;
    // Digits of other scripts are not ASCII digits.
    EXPECT_EQ(parseIniInteger(u"\u0661\u0662"), std::nullopt);
    EXPECT_EQ(parseIniInteger(u"\uFF11"), std::nullopt);
    EXPECT_EQ(parseIniInteger(QStringView(u"1\0"
                                          "2",
                                          3)),
              std::nullopt);
}

TEST(IniBooleanTest, AnyNonZeroIntegerIsTrue)
{
    EXPECT_EQ(parseIniBoolean(u"0"), false);
    EXPECT_EQ(parseIniBoolean(u"1"), true);
    EXPECT_EQ(parseIniBoolean(u"2"), true);
    EXPECT_EQ(parseIniBoolean(u"-1"), true);
    EXPECT_EQ(parseIniBoolean(u"0x0"), false);
    EXPECT_EQ(parseIniBoolean(u"true"), std::nullopt);
    EXPECT_EQ(parseIniBoolean(u""), std::nullopt);
    EXPECT_EQ(iniBooleanText(true), "1");
    EXPECT_EQ(iniBooleanText(false), "0");
}

TEST(ColorTextTest, NamedColoursAreWrittenByName)
{
    EXPECT_EQ(colorToString(colors::White), "clWhite");
    EXPECT_EQ(colorToString(colors::Black), "clBlack");
    EXPECT_EQ(colorToString(colors::Red), "clRed");
    EXPECT_EQ(colorToString(colors::Silver), "clSilver");
    EXPECT_EQ(colorToString(0x00FF0000), "clBlue");
    EXPECT_EQ(colorToString(0x0000FF00), "clLime");
    EXPECT_EQ(colorToString(colors::SystemColor + 0), "clScrollBar");
    EXPECT_EQ(colorToString(colors::SystemColor + 15), "clBtnFace");
    EXPECT_EQ(colorToString(colors::SystemColor + 21), "cl3DDkShadow");
    EXPECT_EQ(colorToString(colors::SystemColor + 24), "clInfoBk");
    EXPECT_EQ(colorToString(0x1FFFFFFF), "clNone");
}

TEST(ColorTextTest, UnnamedColoursAreEightUpperCaseHexDigits)
{
    EXPECT_EQ(colorToString(0x00FF8000), "$00FF8000");
    EXPECT_EQ(colorToString(0x00000001), "$00000001");
    EXPECT_EQ(colorToString(0x00abcdef), "$00ABCDEF");
    EXPECT_EQ(colorToString(colors::SystemColor + 25), "$80000019");
    EXPECT_EQ(colorToString(0xFFFFFFFF), "$FFFFFFFF");
}

TEST(ColorTextTest, NamesReadInAnyLetterCase)
{
    EXPECT_EQ(stringToColor(u"clblue"), colors::Blue);
    EXPECT_EQ(stringToColor(u"CLBLUE"), colors::Blue);
    EXPECT_EQ(stringToColor(u"clBtnFace"), colors::BtnFace);
    EXPECT_EQ(stringToColor(u"CLNONE"), colors::None);
    EXPECT_EQ(stringToColor(u"cl3ddkshadow"), colors::SystemColor + 21);
    // Only ASCII letters fold: the Kelvin sign is not a 'k'.
    EXPECT_EQ(stringToColor(u"clBlac\u212A"), std::nullopt);
}

TEST(ColorTextTest, IntegersReadAsColourValues)
{
    EXPECT_EQ(stringToColor(u"$0000FF00"), colors::Lime);
    EXPECT_EQ(stringToColor(u"16711680"), 0x00FF0000u);
    EXPECT_EQ(stringToColor(u"0x00FF8000"), 0x00FF8000u);
    EXPECT_EQ(stringToColor(u"$80000005"), colors::Window);
    EXPECT_EQ(stringToColor(u"-1"), 0xFFFFFFFFu);
    EXPECT_EQ(stringToColor(u"0"), colors::Black);
}

TEST(ColorTextTest, WrittenTextReadsBackToTheSameColour)
{
    for (Color c = colors::SystemColor; c <= colors::SystemColor + 24; ++c)
        EXPECT_EQ(stringToColor(colorToString(c)), c) << colorToString(c).toStdString();
    for (Color c :
         {colors::Black,     colors::Maroon,    colors::Green,    colors::Olive, colors::Navy, colors::Purple,
          colors::Teal,      colors::Gray,      colors::Silver,   colors::Red,   colors::Lime, colors::Yellow,
          colors::Blue,      colors::Fuchsia,   colors::Aqua,     colors::White, colors::None, Color(0x00FF8000),
          Color(0x80000019), Color(0xFFFFFFFF), Color(0x12345678)})
        EXPECT_EQ(stringToColor(colorToString(c)), c) << colorToString(c).toStdString();
}

TEST(ColorTextTest, NumbersWithANameAreWrittenBackByName)
{
    EXPECT_EQ(colorToString(*stringToColor(u"$0000FF00")), "clLime");
    EXPECT_EQ(colorToString(*stringToColor(u"16711680")), "clBlue");
    EXPECT_EQ(colorToString(*stringToColor(u"$1fffffff")), "clNone");
}

TEST(ColorTextTest, OtherTextIsRefusedWithTheLoadError)
{
    for (const char16_t *text : {u"", u"clBlu", u"blue", u" clBlue", u"clBlue ", u"$", u"#FF0000", u"$1FFFFFFFF"})
        EXPECT_EQ(stringToColor(text), std::nullopt) << QString::fromUtf16(text).toStdString();

    EXPECT_EQ(stringToColorOrThrow(QStringLiteral("clAqua")), colors::Aqua);
    try {
        stringToColorOrThrow(QStringLiteral("purple-ish"));
        FAIL() << "no error";
    } catch (const ConvertError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'purple-ish' は整数ではありません"));
        EXPECT_STREQ(e.what(), "'purple-ish' は整数ではありません");
    }
    try {
        stringToColorOrThrow(QString());
        FAIL() << "no error";
    } catch (const ConvertError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'' は整数ではありません"));
    }
    // The text is shown as it is, even where it looks like a placeholder.
    try {
        stringToColorOrThrow(QStringLiteral("%1 %2"));
        FAIL() << "no error";
    } catch (const ConvertError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'%1 %2' は整数ではありません"));
    }
}

} // namespace

namespace {

TEST(ColorTextErrorTest, TheMessageKeepsAValueWithANulWhole)
{
    const QString value = QString::fromLatin1("ab\0cd", 5);
    try {
        stringToColorOrThrow(value);
        FAIL() << "no error for a value that is no colour";
    } catch (const ConvertError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'") + value + QStringLiteral("' は整数ではありません"));
    }
}

} // namespace
