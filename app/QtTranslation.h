#pragma once
#include <QStringList>

#include <optional>

class QCoreApplication;

// The languages the interface speaks. Japanese is its own; English comes from
// the program's translation.
enum class UiLanguage { Japanese, English };

// The interface language for the user's languages, most preferred first (as
// QLocale::uiLanguages gives them): English when an English entry comes before
// any Japanese one, Japanese otherwise, for a language we do not have too.
UiLanguage languageFor(const QStringList &uiLanguages);

// The language a code such as "ja" or "en" names, if the interface has it.
std::optional<UiLanguage> languageNamed(const QString &code);

// Loads the program's texts for the language. Returns false, changing
// nothing, when it has none to load (Japanese needs none) or cannot load them.
bool installProgramTranslation(QCoreApplication &app, UiLanguage language);

// Loads Qt's own texts for the language, so that the buttons of Qt's dialogs
// (the input boxes, the colour picker) speak the interface's language; English
// is Qt's own. Returns false, changing nothing, when there is nothing to load
// or Qt's translations are not installed.
bool installQtTranslation(QCoreApplication &app, UiLanguage language);
