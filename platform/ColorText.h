#pragma once
#include "platform/Color.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <stdexcept>

// A colour text that is neither a colour name nor an integer.
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const QString &text);
    // Kept whole: the value may hold a NUL, where what() would end.
    QString message() const { return message_; }

private:
    QString message_;
};

// The colour's name ("clRed", "clBtnFace", "clNone", ...) when it has one,
// otherwise "$" and its value as eight upper-case hexadecimal digits.
QString colorToString(Color color);

// A colour name, in any letter case, or an integer as the settings file writes
// it; nothing for any other text.
std::optional<Color> stringToColor(QStringView text);

// As StringToColor, but any other text throws ConvertError.
Color stringToColorOrThrow(const QString &text);
