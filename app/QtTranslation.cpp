#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Installs a translator that loads, or throws it away.
bool install(QCoreApplication &app, bool (*load)(QTranslator &))
{
    auto *translator = new QTranslator(&app);
    if (!load(*translator)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

UiLanguage languageFor(const QStringList &uiLanguages)
{
    for (const QString &entry : uiLanguages) {
        // "en", "en-US", "en_GB", "en-Latn-US": the language is the first part.
        const QString language = entry.section(u'-', 0, 0).section(u'_', 0, 0);
        if (language.compare(u"en", Qt::CaseInsensitive) == 0)
            return UiLanguage::English;
        if (language.compare(u"ja", Qt::CaseInsensitive) == 0)
            return UiLanguage::Japanese;
    }
    return UiLanguage::Japanese;
}

std::optional<UiLanguage> languageNamed(const QString &code)
{
    if (code == u"ja")
        return UiLanguage::Japanese;
    if (code == u"en")
        return UiLanguage::English;
    return std::nullopt;
}

bool installProgramTranslation(QCoreApplication &app, UiLanguage language)
{
    if (language != UiLanguage::English)
        return false;
    return install(app, [](QTranslator &t) { return t.load(QStringLiteral(":/i18n/velmora_en.qm")); });
}

bool installQtTranslation(QCoreApplication &app, UiLanguage language)
{
    if (language != UiLanguage::Japanese)
        return false;
    return install(app, [](QTranslator &t) {
        return t.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    });
}
