#include "platform/IniText.h"
#include "platform/AsciiText.h"

#include <algorithm>

namespace {

// Offsets into the text: the line's characters are [Begin, End), its line
// break [End, Next).
struct LineSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;

    bool hasBreak() const { return next > end; }
};

enum class LineKind { Other, Section, Key };

struct IniLine {
    LineSpan span;
    LineKind kind = LineKind::Other;
    QStringView name;  // section or key name, trimmed
    QStringView value; // trimmed; for an empty value, an empty view at its place
    bool blank = false;
};

LineSpan lineAt(QStringView text, qsizetype pos)
{
    const char16_t *const chars = text.utf16();
    const qsizetype n = text.size();
    qsizetype end = pos;
    while (end < n && chars[end] != u'\n' && chars[end] != u'\r')
        ++end;
    qsizetype next = end;
    if (next < n)
        next += (chars[next] == u'\r' && next + 1 < n && chars[next + 1] == u'\n') ? 2 : 1;
    return {pos, end, next};
}

IniLine classify(QStringView text, LineSpan span)
{
    IniLine line;
    line.span = span;
    const QStringView body = asciiTrimmed(text.sliced(span.begin, span.end - span.begin));
    line.blank = body.isEmpty();
    if (body.isEmpty() || body.front() == u';')
        return line;
    if (body.front() == u'[') {
        QStringView inner = body.sliced(1);
        const qsizetype close = inner.indexOf(u']');
        if (close >= 0)
            inner = inner.first(close);
        line.kind = LineKind::Section;
        line.name = asciiTrimmed(inner);
        return line;
    }
    const qsizetype eq = body.indexOf(u'=');
    if (eq < 0)
        return line;
    line.kind = LineKind::Key;
    line.name = asciiTrimmed(body.first(eq));
    line.value = asciiTrimmed(body.sliced(eq + 1));
    return line;
}

// Calls visit for each line in order until it returns false.
template <typename Visit> void forEachIniLine(QStringView text, Visit &&visit)
{
    for (qsizetype pos = 0; pos < text.size();) {
        const LineSpan span = lineAt(text, pos);
        if (!visit(classify(text, span)))
            return;
        pos = span.next;
    }
}

qsizetype offsetIn(QStringView text, QStringView part)
{
    return part.data() - text.data();
}

QString keyLine(QStringView key, QStringView value)
{
    QString line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append(u'=').append(value);
    return line;
}

} // namespace

std::optional<QString> findIniValue(QStringView text, QStringView section, QStringView key)
{
    const QStringView wantSection = asciiTrimmed(section);
    const QStringView wantKey = asciiTrimmed(key);
    bool inSection = false;
    std::optional<QString> found;
    forEachIniLine(text, [&](const IniLine &line) {
        if (line.kind == LineKind::Section)
            inSection = asciiEqualsIgnoringCase(line.name, wantSection);
        else if (line.kind == LineKind::Key && inSection && asciiEqualsIgnoringCase(line.name, wantKey))
            found = line.value.toString();
        return !found;
    });
    return found;
}

namespace {

// Names hold no line break, so one separates them.
QString indexKey(QStringView section, QStringView key)
{
    QString k;
    k.reserve(section.size() + 1 + key.size());
    for (const QChar c : section)
        k += QChar(asciiLower(c.unicode()));
    k += u'\n';
    for (const QChar c : key)
        k += QChar(asciiLower(c.unicode()));
    return k;
}

} // namespace

IniIndex::IniIndex(QStringView text)
{
    std::optional<QStringView> section;
    forEachIniLine(text, [&](const IniLine &line) {
        if (line.kind == LineKind::Section)
            section = line.name;
        else if (line.kind == LineKind::Key && section) {
            // The first line of a key wins.
            const QString k = indexKey(*section, line.name);
            if (!values_.contains(k))
                values_.insert(k, line.value.toString());
        }
        return true;
    });
}

std::optional<QString> IniIndex::find(QStringView section, QStringView key) const
{
    const auto found = values_.constFind(indexKey(asciiTrimmed(section), asciiTrimmed(key)));
    return found == values_.cend() ? std::nullopt : std::optional<QString>(*found);
}

bool canWriteIniValue(QStringView section, QStringView key, QStringView value)
{
    const auto hasBreak = [](QStringView s) { return s.contains(u'\n') || s.contains(u'\r'); };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value))
        return false;
    if (section.contains(u']') || key.contains(u'='))
        return false;
    const QStringView k = asciiTrimmed(key);
    return !k.startsWith(u';') && !k.startsWith(u'[');
}

QString withIniValue(QStringView text, QStringView section, QStringView key, QStringView value)
{
    return withIniValues(text, {{section.toString(), key.toString(), value.toString()}});
}

namespace {

// The keys to set in one section, merged so that the last value of a key wins
// and each key keeps the place of its first write.
struct PendingKey {
    QStringView name;
    QStringView value;
    std::optional<qsizetype> valueAt; // where the key's first line holds its value
    qsizetype valueSize = 0;
};

struct PendingSection {
    QStringView name;
    std::vector<PendingKey> keys;
    bool seen = false;
    LineSpan anchor; // new keys go after it: the first occurrence's last key or its head
    QStringView anchorBreak;
};

template <typename Items> auto *findNamed(Items &items, QStringView name)
{
    for (auto &item : items) {
        if (asciiEqualsIgnoringCase(item.name, name))
            return &item;
    }
    return static_cast<typename Items::value_type *>(nullptr);
}

std::vector<PendingSection> merged(const std::vector<IniWrite> &writes)
{
    std::vector<PendingSection> sections;
    for (const IniWrite &w : writes) {
        const QStringView sectionName = asciiTrimmed(w.section);
        const QStringView keyName = asciiTrimmed(w.key);
        PendingSection *section = findNamed(sections, sectionName);
        if (!section)
            section = &sections.emplace_back(PendingSection{sectionName, {}, false, {}, {}});
        if (PendingKey *key = findNamed(section->keys, keyName))
            key->value = w.value;
        else
            section->keys.push_back({keyName, w.value, std::nullopt, 0});
    }
    return sections;
}

struct Edit {
    qsizetype from = 0;
    qsizetype to = 0;
    QString insert;
};

} // namespace

QString withIniValues(QStringView text, const std::vector<IniWrite> &writes)
{
    std::vector<PendingSection> sections = merged(writes);

    PendingSection *current = nullptr;
    bool inFirstOccurrence = false;
    QStringView lastBreak = u"\n";
    IniLine last;
    forEachIniLine(text, [&](const IniLine &line) {
        if (line.span.hasBreak())
            lastBreak = text.sliced(line.span.end, line.span.next - line.span.end);
        last = line;
        if (line.kind == LineKind::Section) {
            current = findNamed(sections, line.name);
            inFirstOccurrence = current && !current->seen;
            if (inFirstOccurrence) {
                current->seen = true;
                current->anchor = line.span;
                current->anchorBreak = lastBreak;
            }
        } else if (line.kind == LineKind::Key && current) {
            // The first line of a key is the one read, in whichever occurrence.
            PendingKey *key = findNamed(current->keys, line.name);
            if (key && !key->valueAt) {
                key->valueAt = offsetIn(text, line.value);
                key->valueSize = line.value.size();
            }
            if (inFirstOccurrence) {
                current->anchor = line.span;
                current->anchorBreak = lastBreak;
            }
        }
        return true;
    });

    std::vector<Edit> edits;
    QString appended;
    // New sections go at the end, each after a blank line.
    const QStringView br = lastBreak;
    for (const PendingSection &section : sections) {
        if (!section.seen) {
            if (!appended.isEmpty())
                appended.append(br);
            else if (!text.isEmpty()) {
                if (!last.span.hasBreak())
                    appended.append(br);
                if (!last.blank)
                    appended.append(br);
            }
            appended.append(u'[').append(section.name).append(u']').append(br);
            for (const PendingKey &key : section.keys)
                appended.append(keyLine(key.name, key.value)).append(br);
            continue;
        }
        QString added;
        for (const PendingKey &key : section.keys) {
            if (key.valueAt) {
                edits.push_back({*key.valueAt, *key.valueAt + key.valueSize, key.value.toString()});
            } else if (section.anchor.hasBreak()) {
                added.append(keyLine(key.name, key.value)).append(section.anchorBreak);
            } else {
                // A last line without a line break gets one, and the file keeps ending without.
                added.append(section.anchorBreak).append(keyLine(key.name, key.value));
            }
        }
        if (!added.isEmpty())
            edits.push_back({section.anchor.next, section.anchor.next, std::move(added)});
    }
    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.from < b.from; });

    QString out;
    qsizetype size = text.size() + appended.size();
    for (const Edit &e : edits)
        size += e.insert.size() - (e.to - e.from);
    out.reserve(size);
    qsizetype at = 0;
    for (const Edit &e : edits) {
        out.append(text.sliced(at, e.from - at)).append(e.insert);
        at = e.to;
    }
    out.append(text.sliced(at)).append(appended);
    return out;
}
