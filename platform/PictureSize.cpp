#include "platform/PictureSize.h"

#include <QRegularExpression>

std::optional<QSize> pictureSizeNamed(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*([0-9]{1,5})\\s*[xX×]\\s*([0-9]{1,5})\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return std::nullopt;
    return size;
}
