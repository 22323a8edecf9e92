#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void installFontSubstitutions()
{
    const QStringList families = QFontDatabase::families();
    auto firstInstalled = [&](std::initializer_list<const char *> names) {
        for (const char *n : names)
            if (families.contains(QString::fromUtf8(n), Qt::CaseInsensitive))
                return QString::fromUtf8(n);
        return QString();
    };
    const QString gothic = firstInstalled({"IPAexGothic", "IPAGothic", "Noto Sans CJK JP", "VL Gothic", "TakaoGothic"});
    const QString mincho = firstInstalled({"IPAexMincho", "IPAMincho", "Noto Serif CJK JP"});
    const QString serif = mincho.isEmpty() ? gothic : mincho;
    if (gothic.isEmpty())
        return;
    for (const char *name : {"MS UI Gothic", "ＭＳ ゴシック", "MS Gothic", "ＭＳ Ｐゴシック"})
        QFont::insertSubstitution(QString::fromUtf8(name), gothic);
    for (const char *name : {"ＭＳ Ｐ明朝", "ＭＳ 明朝"})
        QFont::insertSubstitution(QString::fromUtf8(name), serif);
}

QFont designFont(const QString &family, int pixels)
{
    return withPixelSize(QFont(family), pixels);
}

QFont withPixelSize(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
}
