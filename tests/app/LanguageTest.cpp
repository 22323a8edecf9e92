#include "app/QtTranslation.h"

#include <gtest/gtest.h>

namespace {

constexpr UiLanguage English = UiLanguage::English;
constexpr UiLanguage Japanese = UiLanguage::Japanese;

TEST(LanguageTest, EnglishWhenAnEnglishEntryComesBeforeAnyJapaneseOne)
{
    EXPECT_EQ(languageFor({"en-US", "en"}), English);
    EXPECT_EQ(languageFor({"en_GB"}), English);
    EXPECT_EQ(languageFor({"EN-Latn-US"}), English);
    EXPECT_EQ(languageFor({"fr-FR", "en-GB", "ja-JP"}), English);
    EXPECT_EQ(languageFor({"ja-JP", "en-US"}), Japanese);
    EXPECT_EQ(languageFor({"de-DE", "ja", "en"}), Japanese);
}

TEST(LanguageTest, JapaneseForTheCLocaleAndForLanguagesWeDoNotHave)
{
    EXPECT_EQ(languageFor({"ja"}), Japanese);
    EXPECT_EQ(languageFor({"C"}), Japanese);
    EXPECT_EQ(languageFor({}), Japanese);
    EXPECT_EQ(languageFor({"de-DE", "fr"}), Japanese);
    // Only the language part counts: "eng" and "enm" are no English we have.
    EXPECT_EQ(languageFor({"eng", "enm-GB"}), Japanese);
}

TEST(LanguageTest, TheOptionNamesOnlyTheLanguagesWeHave)
{
    EXPECT_EQ(languageNamed("ja"), Japanese);
    EXPECT_EQ(languageNamed("en"), English);
    EXPECT_EQ(languageNamed("fr"), std::nullopt);
    EXPECT_EQ(languageNamed("en-US"), std::nullopt);
    EXPECT_EQ(languageNamed(""), std::nullopt);
}

} // namespace
