// The damaged files, made only from the seed and the file's number: nothing
// here may draw from the generator in a new order, or a reported seed and
// number would no longer make the file that failed.

#include "support/DamagedIni.h"

#include "display/DefaultIniText.h"
#include "platform/ColorText.h"

#include <QStringList>

#include <algorithm>
#include <iterator>
#include <random>
#include <utility>

namespace damagedini {

const Probe Marker{QStringLiteral("velmora-test"), QStringLiteral("marker")};

namespace {

// Large, yet under the size of file that is not read at all.
constexpr int ThreeMegabytes = 3 * 1024 * 1024;
constexpr int OneMegabyte = 1024 * 1024;

using Rng = std::mt19937;

int pick(Rng &rng, int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

bool chance(Rng &rng, double p)
{
    return std::bernoulli_distribution(p)(rng);
}

template <typename Items> const auto &oneOf(Rng &rng, const Items &items)
{
    return items[std::size_t(pick(rng, int(std::size(items))))];
}

// The marker as lines of a file.
const QByteArray MarkerLines[] = {"[velmora-test]", "marker=keep-me"};

// Every colour name the program knows, as it writes them.
std::vector<QByteArray> colourNameList()
{
    std::vector<QByteArray> names;
    for (Color c : {colors::Black, colors::Maroon, colors::Green, colors::Olive, colors::Navy, colors::Purple,
                    colors::Teal, colors::Gray, colors::Silver, colors::Red, colors::Lime, colors::Yellow, colors::Blue,
                    colors::Fuchsia, colors::Aqua, colors::White, colors::None})
        names.push_back(colorToString(c).toLatin1());
    for (int i = 0; i < SystemColorCount; ++i)
        names.push_back(colorToString(colors::SystemColor + Color(i)).toLatin1());
    return names;
}

// Integer texts at and past what 32 bits hold, and hexadecimal without digits.
constexpr const char *LimitTexts[] = {"2147483647",
                                      "2147483648",
                                      "-2147483648",
                                      "-2147483649",
                                      "$FFFFFFFF",
                                      "$100000000",
                                      "0x",
                                      "$",
                                      "-$1",
                                      "0X",
                                      "0x100000000",
                                      "0xFFFFFFFF",
                                      "-$80000000",
                                      "-$80000001",
                                      "+2147483647",
                                      "+$FFFFFFFF",
                                      "-0",
                                      "$-1",
                                      "0x-1",
                                      "--1",
                                      "+-1",
                                      "4294967295",
                                      "4294967296",
                                      "-4294967296",
                                      "$fFfFfFfF",
                                      "1 2",
                                      "0x 1",
                                      "$ 1",
                                      "\xB9",
                                      "1.0",
                                      "1e3",
                                      "0b1",
                                      "#FF0000",
                                      "+",
                                      "-",
                                      "",
                                      "$G",
                                      "0xZZ",
                                      "$0000000000000000FF",
                                      "000000000000000000001",
                                      "99999999999999999999",
                                      "-$",
                                      "0x0x1",
                                      "$$1"};

constexpr const char *BogusColourNames[]
    = {"clPink",   "clDarkRed", "clRed2",    "cl",     "clBtn",      "clSystemColor", "clNone0",
       "clWhite.", "Red",       "c l R e d", "cl Red", "clRedclRed", "none",          "clGrey"};

constexpr const char *BlankTexts[] = {" ", "\t", "\v", "\f", "  ", " \t", "\t\t\t", "    "};

constexpr const char *Tokens[] = {
    "[",     "]",      "=",      "\n",    "\r",      "\r\n",  ";",        " ",         "\t",           "general",
    "wave1", "wave20", "wave21", "wave0", "BGColor", "Color", "Width",    "Style",     "DefaultColor", "NumOfVertLines",
    "clRed", "clnone", "$",      "0x",    "-",       "7",     "FFFFFFFF", "2147483648"};

QByteArray randomCase(Rng &rng, QByteArray text)
{
    for (char &c : text) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter && chance(rng, 0.5))
            c = char(c ^ 0x20);
    }
    return text;
}

// A colour name with one thing wrong with it.
QByteArray nearMiss(Rng &rng, QByteArray name)
{
    const int at = pick(rng, int(name.size()));
    switch (pick(rng, 4)) {
    case 0:
        return name.remove(at, 1);
    case 1:
        return name.insert(at, char('a' + pick(rng, 26)));
    case 2:
        return name.insert(at, ' ');
    default:
        return name + "x";
    }
}

class Damager {
public:
    Damager(std::uint32_t seed, int index)
    {
        std::seed_seq seq{seed, std::uint32_t(index)};
        rng_.seed(seq);
    }

    // A good file cut short at one byte.
    static DamagedFile cut(const QByteArray &whole, int at)
    {
        DamagedFile file;
        file.bytes = whole.left(at);
        file.damage.set(Truncated);
        file.damage.set(LineEnds, whole.contains('\r'));
        file.probes.push_back(Marker);
        return file;
    }

    // The program's own file behind the marker, with the line ends given.
    static QByteArray joinedDefault(const QByteArray &lineEnd)
    {
        QByteArray text = MarkerLines[0] + '\n' + MarkerLines[1] + "\n\n" + defaultIniText().toLatin1();
        return text.replace("\n", lineEnd);
    }

    // As JoinedDefault, with only the first and the last mode's section.
    static QByteArray shortDefault(const QByteArray &lineEnd)
    {
        const QByteArray whole = joinedDefault("\n");
        QByteArray text = whole.left(whole.indexOf("\n[wave2]\n") + 1) + whole.mid(whole.indexOf("\n[wave20]\n") + 1);
        return text.replace("\n", lineEnd);
    }

    // The default pen's colour 3 MB long and no colour: the message holds it all.
    // It stands in a second "general" at the end, so that only its own lookups
    // have to read past it.
    DamagedFile threeMegabyteColour()
    {
        DamagedFile file;
        QByteArray text = joinedDefault("\n").replace("DefaultColor=clRed\n", "");
        text += "\n[general]\nDefaultColor=" + QByteArray(ThreeMegabytes, 'A') + "\n";
        file.bytes = std::move(text);
        file.damage.set(HugeLine).set(DuplicateSection);
        file.probes.push_back(Marker);
        return file;
    }

    // A 3 MB line of junk without '=' at the end of a good file.
    DamagedFile threeMegabyteJunk()
    {
        DamagedFile file;
        QByteArray junk(ThreeMegabytes, '\0');
        for (char &c : junk)
            c = char(0x21 + pick(rng_, 0x7E - 0x21));
        junk.replace('=', '-').replace('[', '(');
        file.bytes = joinedDefault("\r\n") + junk;
        file.damage.set(HugeLine).set(LineEnds);
        file.probes.push_back(Marker);
        return file;
    }

    DamagedFile random()
    {
        DamagedFile file;
        const int base = pick(rng_, 100);
        if (base < 8) {
            file.bytes = rawBytes();
            file.damage.set(RandomBytes);
            maybeMarkerInBytes(file);
        } else if (base < 18) {
            file.bytes = soup();
            file.damage.set(TokenSoup);
            maybeMarkerInBytes(file);
        } else {
            std::vector<QByteArray> lines = base < 22 ? defaultLines() : validLines();
            if (chance(rng_, 0.7)) {
                const auto at = lines.begin() + pick(rng_, int(lines.size()) + 1);
                lines.insert(at, std::begin(MarkerLines), std::end(MarkerLines));
                file.probes.push_back(Marker);
            }
            const int ops = 1 + pick(rng_, 4);
            for (int i = 0; i < ops; ++i)
                applyLineDamage(file, lines);
            file.bytes = join(file, lines);
        }
        if (chance(rng_, 0.08))
            insertNuls(file);
        if (chance(rng_, 0.08))
            flipBytes(file);
        if (chance(rng_, 0.12))
            truncate(file);
        return file;
    }

private:
    QByteArray rawBytes()
    {
        const int size = pick(rng_, 2) ? pick(rng_, 64) : pick(rng_, 4096);
        const bool printable = chance(rng_, 0.5);
        QByteArray bytes(size, '\0');
        for (char &c : bytes)
            c = printable ? "[]=\n\r a$"[pick(rng_, 8)] : char(pick(rng_, 256));
        return bytes;
    }

    QByteArray soup()
    {
        QByteArray bytes;
        const int n = 1 + pick(rng_, 400);
        for (int i = 0; i < n; ++i) {
            if (chance(rng_, 0.02))
                bytes += '\0';
            else
                bytes += oneOf(rng_, Tokens);
        }
        return bytes;
    }

    void maybeMarkerInBytes(DamagedFile &file)
    {
        if (!chance(rng_, 0.5))
            return;
        const QByteArray marker = "\n" + MarkerLines[0] + "\n" + MarkerLines[1] + "\n";
        file.bytes.insert(pick(rng_, int(file.bytes.size()) + 1), marker);
        file.probes.push_back(Marker);
    }

    static std::vector<QByteArray> defaultLines()
    {
        std::vector<QByteArray> lines;
        for (const QByteArray &line : defaultIniText().toLatin1().split('\n'))
            lines.push_back(line);
        lines.pop_back(); // the text ends with a line break
        return lines;
    }

    QByteArray colourText()
    {
        static const std::vector<QByteArray> Names = colourNameList();
        const quint32 value = chance(rng_, 0.5) ? quint32(pick(rng_, 0x1000000)) : quint32(rng_());
        switch (pick(rng_, 5)) {
        case 0:
            return Names[std::size_t(pick(rng_, int(Names.size())))];
        case 1:
            return randomCase(rng_, Names[std::size_t(pick(rng_, int(Names.size())))]);
        case 2:
            return "$" + QByteArray::number(value, 16).rightJustified(8, '0').toUpper();
        case 3:
            return "0x" + QByteArray::number(value, 16);
        default:
            return QByteArray::number(qint32(value));
        }
    }

    QByteArray integerText(int typicalMax)
    {
        if (chance(rng_, 0.8))
            return QByteArray::number(pick(rng_, typicalMax + 1));
        return QByteArray::number(qint32(rng_()));
    }

    // A file in the program's layout with every value well formed, in any of
    // the forms a file may hold.
    std::vector<QByteArray> validLines()
    {
        std::vector<QByteArray> lines{"[general]", "BGColor=" + colourText()};
        for (const char *prefix : {"Axis", "MainWave", "VertLine"}) {
            lines.push_back(prefix + QByteArray("Width=") + integerText(5));
            lines.push_back(prefix + QByteArray("Color=") + colourText());
            lines.push_back(prefix + QByteArray("Style=") + integerText(4));
        }
        lines.push_back("VisibleVertLines=" + integerText(1));
        lines.push_back("NumOfVertLines=" + integerText(120));
        lines.push_back("DefaultWidth=" + integerText(5));
        lines.push_back("DefaultColor=" + colourText());
        lines.push_back("DefaultStyle=" + integerText(4));
        // A few of the modes' sections: every line makes each lookup longer.
        for (int k = 1; k <= 20; ++k) {
            if (!chance(rng_, 0.1))
                continue;
            lines.push_back("");
            lines.push_back("[wave" + QByteArray::number(k) + "]");
            for (const char *key : {"Width", "Color", "Style"}) {
                if (chance(rng_, 0.15))
                    continue;
                const QByteArray name(key);
                lines.push_back(name + "=" + (name == "Color" ? colourText() : integerText(name == "Width" ? 5 : 4)));
            }
        }
        return lines;
    }

    static bool isKeyLine(const QByteArray &line) { return line.contains('=') && !line.startsWith('['); }
    static bool isSectionLine(const QByteArray &line) { return line.startsWith('['); }

    // At most `most` of the lines that pass the test, picked at random.
    template <typename Test>
    std::vector<std::size_t> someLines(const std::vector<QByteArray> &lines, Test test, int most)
    {
        std::vector<std::size_t> found;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (test(lines[i]))
                found.push_back(i);
        }
        std::shuffle(found.begin(), found.end(), rng_);
        if (int(found.size()) > most)
            found.resize(std::size_t(most));
        return found;
    }

    static void setValue(QByteArray &line, const QByteArray &value)
    {
        const qsizetype eq = line.indexOf('=');
        if (eq >= 0)
            line = line.left(eq + 1) + value;
    }

    QByteArray hugeText(int size)
    {
        switch (pick(rng_, 4)) {
        case 0:
            return QByteArray(size, 'A');
        case 1:
            return QByteArray(size, '7');
        case 2: // a colour after a very long run of leading zeros
            return "$" + QByteArray(size, '0') + "FF";
        default:
            return QByteArray(size, ' ') + "x";
        }
    }

    void addHugeLine(std::vector<QByteArray> &lines)
    {
        // Sizes spread evenly over the powers of two up to a megabyte, now and
        // then exactly a megabyte.
        const int size
            = chance(rng_, 0.1) ? OneMegabyte : std::min(OneMegabyte, (1 << (10 + pick(rng_, 10))) + pick(rng_, 1024));
        QByteArray line;
        switch (pick(rng_, 5)) {
        case 0: { // a known key's value
            const auto keys = someLines(lines, isKeyLine, 1);
            if (!keys.empty()) {
                setValue(lines[keys[0]], hugeText(size));
                return;
            }
            line = "Color=" + hugeText(size);
            break;
        }
        case 1:
            line = "[" + QByteArray(size, 's') + "]";
            break;
        case 2:
            line = ";" + QByteArray(size, 'c');
            break;
        case 3:
            line = QByteArray(size, 'j');
            break;
        default:
            line = QByteArray(size / 2, 'k') + "=" + QByteArray(size / 2, 'v');
            break;
        }
        lines.insert(lines.begin() + pick(rng_, int(lines.size()) + 1), line);
    }

    void applyLineDamage(DamagedFile &file, std::vector<QByteArray> &lines)
    {
        static const std::vector<QByteArray> Names = colourNameList();
        // The huge line is rare: it is costly, and a dozen or so of them say all.
        static constexpr Damage LineKinds[]
            = {NoEquals, DuplicateSection, DuplicateKey, LimitValue,   EmptyKeys,   UnknownNames,
               OddCase,  Blanks,           ColourNames,  LinesDropped, OpenBracket, KeysBeforeSection};
        const Damage kind = chance(rng_, 0.0006) ? HugeLine : oneOf(rng_, LineKinds);
        file.damage.set(std::size_t(kind));
        switch (kind) {
        case HugeLine:
            addHugeLine(lines);
            break;
        case NoEquals:
            for (std::size_t i : someLines(lines, isKeyLine, 1 + pick(rng_, 3)))
                lines[i].replace(lines[i].indexOf('='), 1, chance(rng_, 0.5) ? QByteArray() : QByteArray(":"));
            break;
        case DuplicateSection: {
            const auto heads = someLines(lines, isSectionLine, 1);
            if (heads.empty())
                break;
            std::size_t end = heads[0] + 1;
            while (end < lines.size() && !isSectionLine(lines[end]))
                ++end;
            std::vector<QByteArray> block(lines.begin() + std::ptrdiff_t(heads[0]),
                                          lines.begin() + std::ptrdiff_t(end));
            for (QByteArray &line : block) {
                if (isKeyLine(line) && chance(rng_, 0.5))
                    setValue(line, chance(rng_, 0.5) ? colourText() : QByteArray(oneOf(rng_, LimitTexts)));
            }
            lines.insert(lines.begin() + pick(rng_, int(lines.size()) + 1), block.begin(), block.end());
            break;
        }
        case DuplicateKey:
            for (std::size_t i : someLines(lines, isKeyLine, 1 + pick(rng_, 3))) {
                QByteArray copy = lines[i];
                setValue(copy, chance(rng_, 0.5) ? colourText() : QByteArray(oneOf(rng_, BogusColourNames)));
                lines.insert(lines.begin() + std::ptrdiff_t(i) + pick(rng_, 2), copy);
            }
            break;
        case LimitValue:
            for (std::size_t i : someLines(lines, isKeyLine, 1 + pick(rng_, 6)))
                setValue(lines[i], oneOf(rng_, LimitTexts));
            break;
        case EmptyKeys: {
            // Every value empty, or every name.
            const bool emptyNames = chance(rng_, 0.3);
            for (QByteArray &line : lines) {
                if (isKeyLine(line))
                    line = emptyNames ? line.mid(line.indexOf('=')) : line.left(line.indexOf('=') + 1);
            }
            break;
        }
        case UnknownNames: {
            const int sections = 1 + pick(rng_, 3);
            for (int s = 0; s < sections; ++s) {
                std::vector<QByteArray> block{"[extra" + QByteArray::number(pick(rng_, 1000)) + "]"};
                for (int k = pick(rng_, 4); k > 0; --k)
                    block.push_back("key" + QByteArray::number(k) + "=" + colourText());
                lines.insert(lines.begin() + pick(rng_, int(lines.size()) + 1), block.begin(), block.end());
            }
            // An unknown key among the known ones of "general".
            const auto general = std::find(lines.begin(), lines.end(), QByteArray("[general]"));
            if (general != lines.end()) {
                lines.insert(general + 1, "VelmoraNote=left alone");
                file.probes.push_back({QStringLiteral("general"), QStringLiteral("VelmoraNote")});
            }
            break;
        }
        case OddCase:
            for (std::size_t i : someLines(
                     lines, [](const QByteArray &) { return true; }, 1 + pick(rng_, int(lines.size()) + 1))) {
                const qsizetype eq = lines[i].indexOf('=');
                const qsizetype nameEnd = (eq < 0 || chance(rng_, 0.3)) ? lines[i].size() : eq;
                lines[i] = randomCase(rng_, lines[i].left(nameEnd)) + lines[i].mid(nameEnd);
            }
            break;
        case Blanks:
            for (std::size_t i : someLines(
                     lines, [](const QByteArray &) { return true; }, 1 + pick(rng_, 10))) {
                QByteArray &line = lines[i];
                const qsizetype eq = line.indexOf('=');
                if (eq >= 0 && chance(rng_, 0.5))
                    line.insert(eq + pick(rng_, 2), oneOf(rng_, BlankTexts));
                if (line.startsWith('[') && chance(rng_, 0.5))
                    line.insert(1, oneOf(rng_, BlankTexts));
                line = oneOf(rng_, BlankTexts) + line + oneOf(rng_, BlankTexts);
            }
            break;
        case ColourNames:
            for (std::size_t i : someLines(
                     lines, [](const QByteArray &l) { return l.contains("Color="); }, 1 + pick(rng_, 6))) {
                const QByteArray &name = Names[std::size_t(pick(rng_, int(Names.size())))];
                switch (pick(rng_, 4)) {
                case 0:
                    setValue(lines[i], name.toLower());
                    break;
                case 1:
                    setValue(lines[i], name.toUpper());
                    break;
                case 2:
                    setValue(lines[i], oneOf(rng_, BogusColourNames));
                    break;
                default:
                    setValue(lines[i], nearMiss(rng_, name));
                    break;
                }
            }
            break;
        case LinesDropped:
            for (int n = 1 + pick(rng_, 5); n > 0 && !lines.empty(); --n) {
                const auto at = lines.begin() + pick(rng_, int(lines.size()));
                if (chance(rng_, 0.5))
                    lines.erase(at);
                else
                    std::iter_swap(at, lines.begin() + pick(rng_, int(lines.size())));
            }
            break;
        case OpenBracket:
            for (std::size_t i : someLines(lines, isSectionLine, 1 + pick(rng_, 3))) {
                if (chance(rng_, 0.5))
                    lines[i].replace("]", "");
                else
                    lines[i] += chance(rng_, 0.5) ? " ; note" : "]junk";
            }
            break;
        case KeysBeforeSection: {
            std::vector<QByteArray> early;
            for (std::size_t i : someLines(lines, isKeyLine, 1 + pick(rng_, 5))) {
                early.push_back(lines[i]);
                setValue(early.back(), oneOf(rng_, BogusColourNames));
            }
            lines.insert(lines.begin(), early.begin(), early.end());
            break;
        }
        default:
            break;
        }
    }

    QByteArray join(DamagedFile &file, const std::vector<QByteArray> &lines)
    {
        static const std::array<QByteArray, 3> Ends{"\n", "\r\n", "\r"};
        const int style = pick(rng_, 10); // 0-3 LF, 4-5 CRLF, 6-7 CR, 8-9 mixed
        file.damage.set(LineEnds, style >= 4);
        QByteArray bytes;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            bytes += lines[i];
            if (i + 1 < lines.size() || chance(rng_, 0.8))
                bytes += style < 4 ? Ends[0] : style < 6 ? Ends[1] : style < 8 ? Ends[2] : oneOf(rng_, Ends);
        }
        return bytes;
    }

    void insertNuls(DamagedFile &file)
    {
        file.damage.set(NulBytes);
        for (int n = 1 + pick(rng_, 5); n > 0; --n) {
            const int at = pick(rng_, int(file.bytes.size()) + 1);
            if (at < file.bytes.size() && chance(rng_, 0.5))
                file.bytes[at] = '\0';
            else
                file.bytes.insert(at, '\0');
        }
    }

    void flipBytes(DamagedFile &file)
    {
        if (file.bytes.isEmpty())
            return;
        file.damage.set(ByteFlips);
        for (int n = 1 + pick(rng_, 8); n > 0; --n)
            file.bytes[pick(rng_, int(file.bytes.size()))] = char(pick(rng_, 256));
    }

    // Cut at a place of one kind: anywhere, right after '[' or '=', right
    // before a line break, between CR and LF, or one byte in.
    void truncate(DamagedFile &file)
    {
        const QByteArray &b = file.bytes;
        std::vector<qsizetype> places;
        const int kind = pick(rng_, 6);
        for (qsizetype i = 0; i < b.size(); ++i) {
            const char c = b[i];
            if ((kind == 1 && (c == '[' || c == '=')) || (kind == 2 && (c == '\n' || c == '\r'))
                || (kind == 3 && c == '\r' && i + 1 < b.size() && b[i + 1] == '\n'))
                places.push_back(kind == 2 ? i : i + 1);
        }
        qsizetype at = pick(rng_, int(b.size()) + 1);
        if (kind == 4)
            at = std::min<qsizetype>(1, b.size());
        else if (kind == 5)
            at = std::max<qsizetype>(0, b.size() - 1);
        else if (!places.empty())
            at = places[std::size_t(pick(rng_, int(places.size())))];
        file.bytes.truncate(at);
        file.damage.set(Truncated);
    }

    Rng rng_;
};

} // namespace

QString damageText(const std::bitset<DamageKinds> &damage)
{
    QStringList names;
    for (int d = 0; d < DamageKinds; ++d) {
        if (damage[std::size_t(d)])
            names << QString::fromLatin1(DamageNames[std::size_t(d)]);
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(u',');
}

FilePlan::FilePlan(std::uint32_t seed)
    : seed_(seed)
    , wholes_{Damager::joinedDefault("\n"), Damager::shortDefault("\r\n"), Damager::shortDefault("\r")}
{
    for (const QByteArray &whole : wholes_)
        ends_.push_back(int(whole.size()) + 1 + (ends_.empty() ? 0 : ends_.back()));
}

DamagedFile FilePlan::make(int index) const
{
    Damager damager(seed_, index);
    if (index < cutFiles()) {
        const auto whole = std::size_t(std::upper_bound(ends_.begin(), ends_.end(), index) - ends_.begin());
        return Damager::cut(wholes_[whole], index - (whole == 0 ? 0 : ends_[whole - 1]));
    }
    if (index == cutFiles())
        return damager.threeMegabyteColour();
    if (index == cutFiles() + 1)
        return damager.threeMegabyteJunk();
    return damager.random();
}

} // namespace damagedini
