#pragma once
#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// Profile-file text: "[section]" lines, "key=value" lines beneath them, and
// lines starting with ';' as comments. Lines end in LF, CRLF or a lone CR.
// Section and key names match without regard to ASCII letter case; names and
// values are trimmed of blanks. A line without '=' is ignored, and so is every
// key line before the first section. Where a section occurs more than once,
// its occurrences are read as one, and the first line of a key wins.

// The key's value, or nothing when the section or the key is missing.
std::optional<QString> findIniValue(QStringView text, QStringView section, QStringView key);

// Every key of a text, found by one pass over it: Find gives what FindIniValue
// gives, without a pass over the text for each key.
class IniIndex {
public:
    explicit IniIndex(QStringView text);
    std::optional<QString> find(QStringView section, QStringView key) const;

private:
    QHash<QString, QString> values_; // by section and key in ASCII lower case
};

// False when the names or the value would break the file's line structure
// (a line break anywhere, ']' in the section, '=' in the key, a key that reads
// as a comment or a section) and so could not be read back.
bool canWriteIniValue(QStringView section, QStringView key, QStringView value);

// One key to set to a value.
struct IniWrite {
    QString section;
    QString key;
    QString value;
};

// The text with the key set to the value, all other lines left as they were:
// an existing key has its value replaced on its own line; a new key goes after
// the last key of the section's first occurrence; a new section goes at the
// end, after a blank line. A new line takes the line break of the nearest line
// before it that has one, or LF in a file without any.
QString withIniValue(QStringView text, QStringView section, QStringView key, QStringView value);

// The text with every key set, in one pass over it: the same text as setting
// the keys one after another with WithIniValue.
QString withIniValues(QStringView text, const std::vector<IniWrite> &writes);
