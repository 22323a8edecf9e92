#include "platform/IniText.h"
#include "platform/AsciiText.h"

#include <algorithm>

namespace {

// Offsets into the text: the line's characters are [Begin, End), its line
// break [End, Next).
struct TLineSpan {
    qsizetype Begin = 0;
    qsizetype End = 0;
    qsizetype Next = 0;

    bool HasBreak() const { return Next > End; }
};

enum class TLineKind { Other, Section, Key };

struct TIniLine {
    TLineSpan Span;
    TLineKind Kind = TLineKind::Other;
    QStringView Name;  // section or key name, trimmed
    QStringView Value; // trimmed; for an empty value, an empty view at its place
    bool Blank = false;
};

TLineSpan LineAt(QStringView text, qsizetype pos)
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

TIniLine Classify(QStringView text, TLineSpan span)
{
    TIniLine line;
    line.Span = span;
    const QStringView body = AsciiTrimmed(text.sliced(span.Begin, span.End - span.Begin));
    line.Blank = body.isEmpty();
    if (body.isEmpty() || body.front() == u';')
        return line;
    if (body.front() == u'[') {
        QStringView inner = body.sliced(1);
        const qsizetype close = inner.indexOf(u']');
        if (close >= 0)
            inner = inner.first(close);
        line.Kind = TLineKind::Section;
        line.Name = AsciiTrimmed(inner);
        return line;
    }
    const qsizetype eq = body.indexOf(u'=');
    if (eq < 0)
        return line;
    line.Kind = TLineKind::Key;
    line.Name = AsciiTrimmed(body.first(eq));
    line.Value = AsciiTrimmed(body.sliced(eq + 1));
    return line;
}

// Calls visit for each line in order until it returns false.
template <typename Visit> void ForEachIniLine(QStringView text, Visit &&visit)
{
    for (qsizetype pos = 0; pos < text.size();) {
        const TLineSpan span = LineAt(text, pos);
        if (!visit(Classify(text, span)))
            return;
        pos = span.Next;
    }
}

qsizetype OffsetIn(QStringView text, QStringView part)
{
    return part.data() - text.data();
}

QString KeyLine(QStringView key, QStringView value)
{
    QString line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append(u'=').append(value);
    return line;
}

} // namespace

std::optional<QString> FindIniValue(QStringView text, QStringView section, QStringView key)
{
    const QStringView wantSection = AsciiTrimmed(section);
    const QStringView wantKey = AsciiTrimmed(key);
    bool inSection = false;
    std::optional<QString> found;
    ForEachIniLine(text, [&](const TIniLine &line) {
        if (line.Kind == TLineKind::Section)
            inSection = AsciiEqualsIgnoringCase(line.Name, wantSection);
        else if (line.Kind == TLineKind::Key && inSection && AsciiEqualsIgnoringCase(line.Name, wantKey))
            found = line.Value.toString();
        return !found;
    });
    return found;
}

namespace {

// Names hold no line break, so one separates them.
QString IndexKey(QStringView section, QStringView key)
{
    QString k;
    k.reserve(section.size() + 1 + key.size());
    for (const QChar c : section)
        k += QChar(AsciiLower(c.unicode()));
    k += u'\n';
    for (const QChar c : key)
        k += QChar(AsciiLower(c.unicode()));
    return k;
}

} // namespace

IniIndex::IniIndex(QStringView text)
{
    std::optional<QStringView> section;
    ForEachIniLine(text, [&](const TIniLine &line) {
        if (line.Kind == TLineKind::Section)
            section = line.Name;
        else if (line.Kind == TLineKind::Key && section) {
            // The first line of a key wins.
            const QString k = IndexKey(*section, line.Name);
            if (!values_.contains(k))
                values_.insert(k, line.Value.toString());
        }
        return true;
    });
}

std::optional<QString> IniIndex::Find(QStringView section, QStringView key) const
{
    const auto found = values_.constFind(IndexKey(AsciiTrimmed(section), AsciiTrimmed(key)));
    return found == values_.cend() ? std::nullopt : std::optional<QString>(*found);
}

bool CanWriteIniValue(QStringView section, QStringView key, QStringView value)
{
    const auto hasBreak = [](QStringView s) { return s.contains(u'\n') || s.contains(u'\r'); };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value))
        return false;
    if (section.contains(u']') || key.contains(u'='))
        return false;
    const QStringView k = AsciiTrimmed(key);
    return !k.startsWith(u';') && !k.startsWith(u'[');
}

QString WithIniValue(QStringView text, QStringView section, QStringView key, QStringView value)
{
    return WithIniValues(text, {{section.toString(), key.toString(), value.toString()}});
}

namespace {

// The keys to set in one section, merged so that the last value of a key wins
// and each key keeps the place of its first write.
struct TPendingKey {
    QStringView Name;
    QStringView Value;
    std::optional<qsizetype> ValueAt; // where the key's first line holds its value
    qsizetype ValueSize = 0;
};

struct TPendingSection {
    QStringView Name;
    std::vector<TPendingKey> Keys;
    bool Seen = false;
    TLineSpan Anchor; // new keys go after it: the first occurrence's last key or its head
    QStringView AnchorBreak;
};

template <typename Items> auto *FindNamed(Items &items, QStringView name)
{
    for (auto &item : items) {
        if (AsciiEqualsIgnoringCase(item.Name, name))
            return &item;
    }
    return static_cast<typename Items::value_type *>(nullptr);
}

std::vector<TPendingSection> Merged(const std::vector<TIniWrite> &writes)
{
    std::vector<TPendingSection> sections;
    for (const TIniWrite &w : writes) {
        const QStringView sectionName = AsciiTrimmed(w.Section);
        const QStringView keyName = AsciiTrimmed(w.Key);
        TPendingSection *section = FindNamed(sections, sectionName);
        if (!section)
            section = &sections.emplace_back(TPendingSection{sectionName, {}, false, {}, {}});
        if (TPendingKey *key = FindNamed(section->Keys, keyName))
            key->Value = w.Value;
        else
            section->Keys.push_back({keyName, w.Value, std::nullopt, 0});
    }
    return sections;
}

struct TEdit {
    qsizetype From = 0;
    qsizetype To = 0;
    QString Insert;
};

} // namespace

QString WithIniValues(QStringView text, const std::vector<TIniWrite> &writes)
{
    std::vector<TPendingSection> sections = Merged(writes);

    TPendingSection *current = nullptr;
    bool inFirstOccurrence = false;
    QStringView lastBreak = u"\n";
    TIniLine last;
    ForEachIniLine(text, [&](const TIniLine &line) {
        if (line.Span.HasBreak())
            lastBreak = text.sliced(line.Span.End, line.Span.Next - line.Span.End);
        last = line;
        if (line.Kind == TLineKind::Section) {
            current = FindNamed(sections, line.Name);
            inFirstOccurrence = current && !current->Seen;
            if (inFirstOccurrence) {
                current->Seen = true;
                current->Anchor = line.Span;
                current->AnchorBreak = lastBreak;
            }
        } else if (line.Kind == TLineKind::Key && current) {
            // The first line of a key is the one read, in whichever occurrence.
            TPendingKey *key = FindNamed(current->Keys, line.Name);
            if (key && !key->ValueAt) {
                key->ValueAt = OffsetIn(text, line.Value);
                key->ValueSize = line.Value.size();
            }
            if (inFirstOccurrence) {
                current->Anchor = line.Span;
                current->AnchorBreak = lastBreak;
            }
        }
        return true;
    });

    std::vector<TEdit> edits;
    QString appended;
    // New sections go at the end, each after a blank line.
    const QStringView br = lastBreak;
    for (const TPendingSection &section : sections) {
        if (!section.Seen) {
            if (!appended.isEmpty())
                appended.append(br);
            else if (!text.isEmpty()) {
                if (!last.Span.HasBreak())
                    appended.append(br);
                if (!last.Blank)
                    appended.append(br);
            }
            appended.append(u'[').append(section.Name).append(u']').append(br);
            for (const TPendingKey &key : section.Keys)
                appended.append(KeyLine(key.Name, key.Value)).append(br);
            continue;
        }
        QString added;
        for (const TPendingKey &key : section.Keys) {
            if (key.ValueAt) {
                edits.push_back({*key.ValueAt, *key.ValueAt + key.ValueSize, key.Value.toString()});
            } else if (section.Anchor.HasBreak()) {
                added.append(KeyLine(key.Name, key.Value)).append(section.AnchorBreak);
            } else {
                // A last line without a line break gets one, and the file keeps ending without.
                added.append(section.AnchorBreak).append(KeyLine(key.Name, key.Value));
            }
        }
        if (!added.isEmpty())
            edits.push_back({section.Anchor.Next, section.Anchor.Next, std::move(added)});
    }
    std::sort(edits.begin(), edits.end(), [](const TEdit &a, const TEdit &b) { return a.From < b.From; });

    QString out;
    qsizetype size = text.size() + appended.size();
    for (const TEdit &e : edits)
        size += e.Insert.size() - (e.To - e.From);
    out.reserve(size);
    qsizetype at = 0;
    for (const TEdit &e : edits) {
        out.append(text.sliced(at, e.From - at)).append(e.Insert);
        at = e.To;
    }
    out.append(text.sliced(at)).append(appended);
    return out;
}
