#include "platform/IniText.h"
#include "platform/AsciiText.h"

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
template <typename Visit>
void ForEachIniLine(QStringView text, Visit &&visit)
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

// The text with [from, to) replaced by the insert.
QString Spliced(QStringView text, qsizetype from, qsizetype to, QStringView insert)
{
    QString out;
    out.reserve(text.size() - (to - from) + insert.size());
    out.append(text.first(from)).append(insert).append(text.sliced(to));
    return out;
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
    const QStringView wantSection = AsciiTrimmed(section);
    const QStringView wantKey = AsciiTrimmed(key);

    bool inSection = false;
    bool inFirstOccurrence = false;
    bool sectionSeen = false;
    std::optional<TIniLine> existing;
    std::optional<TLineSpan> insertAfter;
    QStringView insertBreak = u"\n";
    QStringView lastBreak = u"\n";
    TIniLine last;

    ForEachIniLine(text, [&](const TIniLine &line) {
        if (line.Span.HasBreak())
            lastBreak = text.sliced(line.Span.End, line.Span.Next - line.Span.End);
        last = line;
        if (line.Kind == TLineKind::Section) {
            inSection = AsciiEqualsIgnoringCase(line.Name, wantSection);
            inFirstOccurrence = inSection && !sectionSeen;
            if (inFirstOccurrence) {
                sectionSeen = true;
                insertAfter = line.Span;
                insertBreak = lastBreak;
            }
        } else if (line.Kind == TLineKind::Key && inSection) {
            if (AsciiEqualsIgnoringCase(line.Name, wantKey)) {
                existing = line;
                return false;
            }
            if (inFirstOccurrence) {
                insertAfter = line.Span;
                insertBreak = lastBreak;
            }
        }
        return true;
    });

    if (existing) {
        const qsizetype from = OffsetIn(text, existing->Value);
        return Spliced(text, from, from + existing->Value.size(), value);
    }

    if (insertAfter) {
        // A last line without a line break gets one, and the file keeps ending without.
        const QString added = insertAfter->HasBreak() ? KeyLine(wantKey, value).append(insertBreak)
                                                      : insertBreak.toString().append(KeyLine(wantKey, value));
        return Spliced(text, insertAfter->Next, insertAfter->Next, added);
    }

    QString out;
    out.reserve(text.size() + wantSection.size() + wantKey.size() + value.size() + 16);
    out.append(text);
    const QStringView br = lastBreak;
    if (!text.isEmpty()) {
        if (!last.Span.HasBreak())
            out.append(br);
        if (!last.Blank)
            out.append(br);
    }
    out.append(u'[').append(wantSection).append(u']').append(br);
    out.append(KeyLine(wantKey, value)).append(br);
    return out;
}
