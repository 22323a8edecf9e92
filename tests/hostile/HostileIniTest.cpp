// Damaged and hostile settings files, made afresh from a fixed seed on every
// run: each is loaded as at start-up, checked against what the file says, saved
// as at exit and loaded again. VELMORA_HOSTILE_SEED and VELMORA_HOSTILE_FILES
// change the seed and the number of files for a longer hunt; a failure names
// the seed and the file's number, which is enough to make that file again.

#include "display/DefaultIniText.h"
#include "display/DisplayTestSupport.h"
#include "support/Files.h"
#include <gtest/gtest.h>

#include "display/DisplaySettingsWindow.h"
#include "display/VisualIni.h"
#include "platform/ColorText.h"
#include "platform/IniConvert.h"
#include "platform/IntSpinBox.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <future>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

constexpr std::uint32_t DefaultSeed = 0x5EED1A5E;
constexpr int DefaultFileCount = 20000;
// Large, yet under the size of file that is not read at all.
constexpr int ThreeMegabytes = 3 * 1024 * 1024;
constexpr int OneMegabyte = 1024 * 1024;

using TRng = std::mt19937;

int Pick(TRng &rng, int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

bool Chance(TRng &rng, double p)
{
    return std::bernoulli_distribution(p)(rng);
}

template <typename Items> const auto &OneOf(TRng &rng, const Items &items)
{
    return items[std::size_t(Pick(rng, int(std::size(items))))];
}

enum TDamage {
    RandomBytes,
    TokenSoup,
    Truncated,
    HugeLine,
    NoEquals,
    DuplicateSection,
    DuplicateKey,
    LimitValue,
    EmptyKeys,
    LineEnds,
    NulBytes,
    UnknownNames,
    OddCase,
    Blanks,
    ColourNames,
    ByteFlips,
    LinesDropped,
    OpenBracket,
    KeysBeforeSection,
    DamageKinds
};

constexpr std::array<const char *, DamageKinds> DamageNames{
    "random-bytes",       "token-soup",  "truncated",    "huge-line",  "no-equals",     "duplicate-section",
    "duplicate-key",      "limit-value", "empty-keys",   "line-ends",  "nul-bytes",     "unknown-names",
    "odd-case",           "blanks",      "colour-names", "byte-flips", "lines-dropped", "open-bracket",
    "keys-before-section"};

struct TProbe {
    QString Section;
    QString Key;
};

struct TDamagedFile {
    QByteArray Bytes;
    std::bitset<DamageKinds> Damage;
    // Lines the program does not know, put in whole; a save must keep them.
    std::vector<TProbe> Probes;
};

QString DamageText(const std::bitset<DamageKinds> &damage)
{
    QStringList names;
    for (int d = 0; d < DamageKinds; ++d) {
        if (damage[std::size_t(d)])
            names << QString::fromLatin1(DamageNames[std::size_t(d)]);
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(u',');
}

const TProbe Marker{QStringLiteral("velmora-test"), QStringLiteral("marker")};
const QByteArray MarkerLines[] = {"[velmora-test]", "marker=keep-me"};

// Every colour name the program knows, as it writes them.
std::vector<QByteArray> ColourNameList()
{
    std::vector<QByteArray> names;
    for (TColor c : {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clSilver, clRed, clLime,
                     clYellow, clBlue, clFuchsia, clAqua, clWhite, clNone})
        names.push_back(ColorToString(c).toLatin1());
    for (int i = 0; i < SystemColorCount; ++i)
        names.push_back(ColorToString(clSystemColor + TColor(i)).toLatin1());
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

QByteArray RandomCase(TRng &rng, QByteArray text)
{
    for (char &c : text) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter && Chance(rng, 0.5))
            c = char(c ^ 0x20);
    }
    return text;
}

// A colour name with one thing wrong with it.
QByteArray NearMiss(TRng &rng, QByteArray name)
{
    const int at = Pick(rng, int(name.size()));
    switch (Pick(rng, 4)) {
    case 0:
        return name.remove(at, 1);
    case 1:
        return name.insert(at, char('a' + Pick(rng, 26)));
    case 2:
        return name.insert(at, ' ');
    default:
        return name + "x";
    }
}

class TDamager {
public:
    TDamager(std::uint32_t seed, int index)
    {
        std::seed_seq seq{seed, std::uint32_t(index)};
        rng_.seed(seq);
    }

    // A good file cut short at one byte.
    static TDamagedFile Cut(const QByteArray &whole, int at)
    {
        TDamagedFile file;
        file.Bytes = whole.left(at);
        file.Damage.set(Truncated);
        file.Damage.set(LineEnds, whole.contains('\r'));
        file.Probes.push_back(Marker);
        return file;
    }

    // The program's own file behind the marker, with the line ends given.
    static QByteArray JoinedDefault(const QByteArray &lineEnd)
    {
        QByteArray text = MarkerLines[0] + '\n' + MarkerLines[1] + "\n\n" + DefaultIniText().toLatin1();
        return text.replace("\n", lineEnd);
    }

    // As JoinedDefault, with only the first and the last mode's section.
    static QByteArray ShortDefault(const QByteArray &lineEnd)
    {
        const QByteArray whole = JoinedDefault("\n");
        QByteArray text = whole.left(whole.indexOf("\n[wave2]\n") + 1) + whole.mid(whole.indexOf("\n[wave20]\n") + 1);
        return text.replace("\n", lineEnd);
    }

    // The default pen's colour 3 MB long and no colour: the message holds it all.
    // It stands in a second "general" at the end, so that only its own lookups
    // have to read past it.
    TDamagedFile ThreeMegabyteColour()
    {
        TDamagedFile file;
        QByteArray text = JoinedDefault("\n").replace("DefaultColor=clRed\n", "");
        text += "\n[general]\nDefaultColor=" + QByteArray(ThreeMegabytes, 'A') + "\n";
        file.Bytes = std::move(text);
        file.Damage.set(HugeLine).set(DuplicateSection);
        file.Probes.push_back(Marker);
        return file;
    }

    // A 3 MB line of junk without '=' at the end of a good file.
    TDamagedFile ThreeMegabyteJunk()
    {
        TDamagedFile file;
        QByteArray junk(ThreeMegabytes, '\0');
        for (char &c : junk)
            c = char(0x21 + Pick(rng_, 0x7E - 0x21));
        junk.replace('=', '-').replace('[', '(');
        file.Bytes = JoinedDefault("\r\n") + junk;
        file.Damage.set(HugeLine).set(LineEnds);
        file.Probes.push_back(Marker);
        return file;
    }

    TDamagedFile Random()
    {
        TDamagedFile file;
        const int base = Pick(rng_, 100);
        if (base < 8) {
            file.Bytes = RawBytes();
            file.Damage.set(RandomBytes);
            MaybeMarkerInBytes(file);
        } else if (base < 18) {
            file.Bytes = Soup();
            file.Damage.set(TokenSoup);
            MaybeMarkerInBytes(file);
        } else {
            std::vector<QByteArray> lines = base < 22 ? DefaultLines() : ValidLines();
            if (Chance(rng_, 0.7)) {
                const auto at = lines.begin() + Pick(rng_, int(lines.size()) + 1);
                lines.insert(at, std::begin(MarkerLines), std::end(MarkerLines));
                file.Probes.push_back(Marker);
            }
            const int ops = 1 + Pick(rng_, 4);
            for (int i = 0; i < ops; ++i)
                ApplyLineDamage(file, lines);
            file.Bytes = Join(file, lines);
        }
        if (Chance(rng_, 0.08))
            InsertNuls(file);
        if (Chance(rng_, 0.08))
            FlipBytes(file);
        if (Chance(rng_, 0.12))
            Truncate(file);
        return file;
    }

private:
    QByteArray RawBytes()
    {
        const int size = Pick(rng_, 2) ? Pick(rng_, 64) : Pick(rng_, 4096);
        const bool printable = Chance(rng_, 0.5);
        QByteArray bytes(size, '\0');
        for (char &c : bytes)
            c = printable ? "[]=\n\r a$"[Pick(rng_, 8)] : char(Pick(rng_, 256));
        return bytes;
    }

    QByteArray Soup()
    {
        QByteArray bytes;
        const int n = 1 + Pick(rng_, 400);
        for (int i = 0; i < n; ++i) {
            if (Chance(rng_, 0.02))
                bytes += '\0';
            else
                bytes += OneOf(rng_, Tokens);
        }
        return bytes;
    }

    void MaybeMarkerInBytes(TDamagedFile &file)
    {
        if (!Chance(rng_, 0.5))
            return;
        const QByteArray marker = "\n" + MarkerLines[0] + "\n" + MarkerLines[1] + "\n";
        file.Bytes.insert(Pick(rng_, int(file.Bytes.size()) + 1), marker);
        file.Probes.push_back(Marker);
    }

    static std::vector<QByteArray> DefaultLines()
    {
        std::vector<QByteArray> lines;
        for (const QByteArray &line : DefaultIniText().toLatin1().split('\n'))
            lines.push_back(line);
        lines.pop_back(); // the text ends with a line break
        return lines;
    }

    QByteArray ColourText()
    {
        static const std::vector<QByteArray> names = ColourNameList();
        const quint32 value = Chance(rng_, 0.5) ? quint32(Pick(rng_, 0x1000000)) : quint32(rng_());
        switch (Pick(rng_, 5)) {
        case 0:
            return names[std::size_t(Pick(rng_, int(names.size())))];
        case 1:
            return RandomCase(rng_, names[std::size_t(Pick(rng_, int(names.size())))]);
        case 2:
            return "$" + QByteArray::number(value, 16).rightJustified(8, '0').toUpper();
        case 3:
            return "0x" + QByteArray::number(value, 16);
        default:
            return QByteArray::number(qint32(value));
        }
    }

    QByteArray IntegerText(int typicalMax)
    {
        if (Chance(rng_, 0.8))
            return QByteArray::number(Pick(rng_, typicalMax + 1));
        return QByteArray::number(qint32(rng_()));
    }

    // A file in the program's layout with every value well formed, in any of
    // the forms a file may hold.
    std::vector<QByteArray> ValidLines()
    {
        std::vector<QByteArray> lines{"[general]", "BGColor=" + ColourText()};
        for (const char *prefix : {"Axis", "MainWave", "VertLine"}) {
            lines.push_back(prefix + QByteArray("Width=") + IntegerText(5));
            lines.push_back(prefix + QByteArray("Color=") + ColourText());
            lines.push_back(prefix + QByteArray("Style=") + IntegerText(4));
        }
        lines.push_back("VisibleVertLines=" + IntegerText(1));
        lines.push_back("NumOfVertLines=" + IntegerText(120));
        lines.push_back("DefaultWidth=" + IntegerText(5));
        lines.push_back("DefaultColor=" + ColourText());
        lines.push_back("DefaultStyle=" + IntegerText(4));
        // A few of the modes' sections: every line makes each lookup longer.
        for (int k = 1; k <= 20; ++k) {
            if (!Chance(rng_, 0.1))
                continue;
            lines.push_back("");
            lines.push_back("[wave" + QByteArray::number(k) + "]");
            for (const char *key : {"Width", "Color", "Style"}) {
                if (Chance(rng_, 0.15))
                    continue;
                const QByteArray name(key);
                lines.push_back(name + "=" + (name == "Color" ? ColourText() : IntegerText(name == "Width" ? 5 : 4)));
            }
        }
        return lines;
    }

    static bool IsKeyLine(const QByteArray &line) { return line.contains('=') && !line.startsWith('['); }
    static bool IsSectionLine(const QByteArray &line) { return line.startsWith('['); }

    // At most `most` of the lines that pass the test, picked at random.
    template <typename Test>
    std::vector<std::size_t> SomeLines(const std::vector<QByteArray> &lines, Test test, int most)
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

    static void SetValue(QByteArray &line, const QByteArray &value)
    {
        const qsizetype eq = line.indexOf('=');
        if (eq >= 0)
            line = line.left(eq + 1) + value;
    }

    QByteArray HugeText(int size)
    {
        switch (Pick(rng_, 4)) {
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

    void AddHugeLine(std::vector<QByteArray> &lines)
    {
        // Sizes spread evenly over the powers of two up to a megabyte, now and
        // then exactly a megabyte.
        const int size
            = Chance(rng_, 0.1) ? OneMegabyte : std::min(OneMegabyte, (1 << (10 + Pick(rng_, 10))) + Pick(rng_, 1024));
        QByteArray line;
        switch (Pick(rng_, 5)) {
        case 0: { // a known key's value
            const auto keys = SomeLines(lines, IsKeyLine, 1);
            if (!keys.empty()) {
                SetValue(lines[keys[0]], HugeText(size));
                return;
            }
            line = "Color=" + HugeText(size);
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
        lines.insert(lines.begin() + Pick(rng_, int(lines.size()) + 1), line);
    }

    void ApplyLineDamage(TDamagedFile &file, std::vector<QByteArray> &lines)
    {
        static const std::vector<QByteArray> names = ColourNameList();
        // The huge line is rare: it is costly, and a dozen or so of them say all.
        static constexpr TDamage lineKinds[]
            = {NoEquals, DuplicateSection, DuplicateKey, LimitValue,   EmptyKeys,   UnknownNames,
               OddCase,  Blanks,           ColourNames,  LinesDropped, OpenBracket, KeysBeforeSection};
        const TDamage kind = Chance(rng_, 0.0006) ? HugeLine : OneOf(rng_, lineKinds);
        file.Damage.set(std::size_t(kind));
        switch (kind) {
        case HugeLine:
            AddHugeLine(lines);
            break;
        case NoEquals:
            for (std::size_t i : SomeLines(lines, IsKeyLine, 1 + Pick(rng_, 3)))
                lines[i].replace(lines[i].indexOf('='), 1, Chance(rng_, 0.5) ? QByteArray() : QByteArray(":"));
            break;
        case DuplicateSection: {
            const auto heads = SomeLines(lines, IsSectionLine, 1);
            if (heads.empty())
                break;
            std::size_t end = heads[0] + 1;
            while (end < lines.size() && !IsSectionLine(lines[end]))
                ++end;
            std::vector<QByteArray> block(lines.begin() + std::ptrdiff_t(heads[0]),
                                          lines.begin() + std::ptrdiff_t(end));
            for (QByteArray &line : block) {
                if (IsKeyLine(line) && Chance(rng_, 0.5))
                    SetValue(line, Chance(rng_, 0.5) ? ColourText() : QByteArray(OneOf(rng_, LimitTexts)));
            }
            lines.insert(lines.begin() + Pick(rng_, int(lines.size()) + 1), block.begin(), block.end());
            break;
        }
        case DuplicateKey:
            for (std::size_t i : SomeLines(lines, IsKeyLine, 1 + Pick(rng_, 3))) {
                QByteArray copy = lines[i];
                SetValue(copy, Chance(rng_, 0.5) ? ColourText() : QByteArray(OneOf(rng_, BogusColourNames)));
                lines.insert(lines.begin() + std::ptrdiff_t(i) + Pick(rng_, 2), copy);
            }
            break;
        case LimitValue:
            for (std::size_t i : SomeLines(lines, IsKeyLine, 1 + Pick(rng_, 6)))
                SetValue(lines[i], OneOf(rng_, LimitTexts));
            break;
        case EmptyKeys: {
            // Every value empty, or every name.
            const bool emptyNames = Chance(rng_, 0.3);
            for (QByteArray &line : lines) {
                if (IsKeyLine(line))
                    line = emptyNames ? line.mid(line.indexOf('=')) : line.left(line.indexOf('=') + 1);
            }
            break;
        }
        case UnknownNames: {
            const int sections = 1 + Pick(rng_, 3);
            for (int s = 0; s < sections; ++s) {
                std::vector<QByteArray> block{"[extra" + QByteArray::number(Pick(rng_, 1000)) + "]"};
                for (int k = Pick(rng_, 4); k > 0; --k)
                    block.push_back("key" + QByteArray::number(k) + "=" + ColourText());
                lines.insert(lines.begin() + Pick(rng_, int(lines.size()) + 1), block.begin(), block.end());
            }
            // An unknown key among the known ones of "general".
            const auto general = std::find(lines.begin(), lines.end(), QByteArray("[general]"));
            if (general != lines.end()) {
                lines.insert(general + 1, "VelmoraNote=left alone");
                file.Probes.push_back({QStringLiteral("general"), QStringLiteral("VelmoraNote")});
            }
            break;
        }
        case OddCase:
            for (std::size_t i : SomeLines(
                     lines, [](const QByteArray &) { return true; }, 1 + Pick(rng_, int(lines.size()) + 1))) {
                const qsizetype eq = lines[i].indexOf('=');
                const qsizetype nameEnd = (eq < 0 || Chance(rng_, 0.3)) ? lines[i].size() : eq;
                lines[i] = RandomCase(rng_, lines[i].left(nameEnd)) + lines[i].mid(nameEnd);
            }
            break;
        case Blanks:
            for (std::size_t i : SomeLines(
                     lines, [](const QByteArray &) { return true; }, 1 + Pick(rng_, 10))) {
                QByteArray &line = lines[i];
                const qsizetype eq = line.indexOf('=');
                if (eq >= 0 && Chance(rng_, 0.5))
                    line.insert(eq + Pick(rng_, 2), OneOf(rng_, BlankTexts));
                if (line.startsWith('[') && Chance(rng_, 0.5))
                    line.insert(1, OneOf(rng_, BlankTexts));
                line = OneOf(rng_, BlankTexts) + line + OneOf(rng_, BlankTexts);
            }
            break;
        case ColourNames:
            for (std::size_t i : SomeLines(
                     lines, [](const QByteArray &l) { return l.contains("Color="); }, 1 + Pick(rng_, 6))) {
                const QByteArray &name = names[std::size_t(Pick(rng_, int(names.size())))];
                switch (Pick(rng_, 4)) {
                case 0:
                    SetValue(lines[i], name.toLower());
                    break;
                case 1:
                    SetValue(lines[i], name.toUpper());
                    break;
                case 2:
                    SetValue(lines[i], OneOf(rng_, BogusColourNames));
                    break;
                default:
                    SetValue(lines[i], NearMiss(rng_, name));
                    break;
                }
            }
            break;
        case LinesDropped:
            for (int n = 1 + Pick(rng_, 5); n > 0 && !lines.empty(); --n) {
                const auto at = lines.begin() + Pick(rng_, int(lines.size()));
                if (Chance(rng_, 0.5))
                    lines.erase(at);
                else
                    std::iter_swap(at, lines.begin() + Pick(rng_, int(lines.size())));
            }
            break;
        case OpenBracket:
            for (std::size_t i : SomeLines(lines, IsSectionLine, 1 + Pick(rng_, 3))) {
                if (Chance(rng_, 0.5))
                    lines[i].replace("]", "");
                else
                    lines[i] += Chance(rng_, 0.5) ? " ; note" : "]junk";
            }
            break;
        case KeysBeforeSection: {
            std::vector<QByteArray> early;
            for (std::size_t i : SomeLines(lines, IsKeyLine, 1 + Pick(rng_, 5))) {
                early.push_back(lines[i]);
                SetValue(early.back(), OneOf(rng_, BogusColourNames));
            }
            lines.insert(lines.begin(), early.begin(), early.end());
            break;
        }
        default:
            break;
        }
    }

    QByteArray Join(TDamagedFile &file, const std::vector<QByteArray> &lines)
    {
        static const std::array<QByteArray, 3> ends{"\n", "\r\n", "\r"};
        const int style = Pick(rng_, 10); // 0-3 LF, 4-5 CRLF, 6-7 CR, 8-9 mixed
        file.Damage.set(LineEnds, style >= 4);
        QByteArray bytes;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            bytes += lines[i];
            if (i + 1 < lines.size() || Chance(rng_, 0.8))
                bytes += style < 4 ? ends[0] : style < 6 ? ends[1] : style < 8 ? ends[2] : OneOf(rng_, ends);
        }
        return bytes;
    }

    void InsertNuls(TDamagedFile &file)
    {
        file.Damage.set(NulBytes);
        for (int n = 1 + Pick(rng_, 5); n > 0; --n) {
            const int at = Pick(rng_, int(file.Bytes.size()) + 1);
            if (at < file.Bytes.size() && Chance(rng_, 0.5))
                file.Bytes[at] = '\0';
            else
                file.Bytes.insert(at, '\0');
        }
    }

    void FlipBytes(TDamagedFile &file)
    {
        if (file.Bytes.isEmpty())
            return;
        file.Damage.set(ByteFlips);
        for (int n = 1 + Pick(rng_, 8); n > 0; --n)
            file.Bytes[Pick(rng_, int(file.Bytes.size()))] = char(Pick(rng_, 256));
    }

    // Cut at a place of one kind: anywhere, right after '[' or '=', right
    // before a line break, between CR and LF, or one byte in.
    void Truncate(TDamagedFile &file)
    {
        const QByteArray &b = file.Bytes;
        std::vector<qsizetype> places;
        const int kind = Pick(rng_, 6);
        for (qsizetype i = 0; i < b.size(); ++i) {
            const char c = b[i];
            if ((kind == 1 && (c == '[' || c == '=')) || (kind == 2 && (c == '\n' || c == '\r'))
                || (kind == 3 && c == '\r' && i + 1 < b.size() && b[i + 1] == '\n'))
                places.push_back(kind == 2 ? i : i + 1);
        }
        qsizetype at = Pick(rng_, int(b.size()) + 1);
        if (kind == 4)
            at = std::min<qsizetype>(1, b.size());
        else if (kind == 5)
            at = std::max<qsizetype>(0, b.size() - 1);
        else if (!places.empty())
            at = places[std::size_t(Pick(rng_, int(places.size())))];
        file.Bytes.truncate(at);
        file.Damage.set(Truncated);
    }

    TRng rng_;
};

// --- What the file says, read key by key without the loader ---

struct TColourKey {
    QString Section;
    QString Key;
};

constexpr int ColourCount = 25;
constexpr int DefaultColourPlace = 4;
// The check box and the count box are set after the first four colours.
constexpr int ColoursBeforeGuideLineKeys = 4;
constexpr int FewestVertLines = 2;
constexpr int MostVertLines = 99;

// The colour keys in the order of loading.
std::vector<TColourKey> ColourKeys()
{
    std::vector<TColourKey> keys;
    for (const char *key : {"BGColor", "AxisColor", "MainWaveColor", "VertLineColor", "DefaultColor"})
        keys.push_back({QStringLiteral("general"), QString::fromLatin1(key)});
    for (int k = 1; k <= 20; ++k)
        keys.push_back({QStringLiteral("wave%1").arg(k), QStringLiteral("Color")});
    return keys;
}

std::array<TColor, ColourCount> ColoursInLoadOrder(const TDisplaySettings &s)
{
    std::array<TColor, ColourCount> c{s.BGColor, s.AxisPen.Color, s.MainWavePen.Color, s.VertLinePen.Color};
    for (int k = 0; k <= 20; ++k)
        c[std::size_t(DefaultColourPlace + k)] = s.WavePens[std::size_t(k)].Color;
    return c;
}

// What loading must come to, found with the profile file's lookups alone.
struct TFileSays {
    std::array<TColor, ColourCount> Colours{}; // those before the bad one
    int BadPlace = -1;                         // the first colour key whose text is no colour
    QString BadText;
    std::optional<bool> Shown; // for the check box, unless loading stops before
    std::optional<int> Given;  // for the count box, likewise
};

TFileSays WhatTheFileSays(const QString &path)
{
    static const std::vector<TColourKey> keys = ColourKeys();
    static const std::array<QString, 5> generalDefaults{QStringLiteral("clWhite"), QStringLiteral("clSilver"),
                                                        QStringLiteral("clBlack"), QStringLiteral("clSilver"),
                                                        QStringLiteral("clRed")};
    const QString general = QStringLiteral("general");
    // One read of the file for all the keys: thousands of files go through here.
    TProfileFile file(path);
    file.BeginUpdate();
    TFileSays says;
    for (int i = 0; i < ColourCount; ++i) {
        if (i == ColoursBeforeGuideLineKeys) {
            says.Shown
                = ParseIniBoolean(file.ReadString(general, QStringLiteral("VisibleVertLines"), {})).value_or(false);
            says.Given = ParseIniInteger(file.ReadString(general, QStringLiteral("NumOfVertLines"), {})).value_or(2);
        }
        // The modes' colours default to the default pen's, as it is written.
        const QString fallback = i <= DefaultColourPlace ? generalDefaults[std::size_t(i)]
                                                         : ColorToString(says.Colours[DefaultColourPlace]);
        const QString text = file.ReadString(keys[std::size_t(i)].Section, keys[std::size_t(i)].Key, fallback);
        const std::optional<TColor> colour = StringToColor(text);
        if (!colour) {
            says.BadPlace = i;
            says.BadText = text;
            return says;
        }
        says.Colours[std::size_t(i)] = *colour;
    }
    return says;
}

// --- Loading and saving as the display settings window does ---

// What the count box holds after being given a count. The checks run off the
// GUI thread, so the real box is compared with this afterwards.
int CountBoxValue(int given)
{
    return std::clamp(given, FewestVertLines, MostVertLines);
}

struct TLoaded {
    TDisplaySettings Settings;
    std::optional<QString> Error;
    std::optional<bool> Shown;   // what reached the check box
    std::optional<int> Given;    // what reached the count box
    int Count = FewestVertLines; // the count box afterwards; a new window's holds 2
};

TLoaded Load(const QString &path)
{
    TLoaded out;
    const TVisualIniControls controls{[&out](bool visible) { out.Shown = visible; },
                                      [&out](int count) {
                                          out.Given = count;
                                          out.Count = CountBoxValue(count);
                                      }};
    try {
        LoadDisplaySettings(path, out.Settings, controls);
    } catch (const TConvertError &e) {
        out.Error = e.Message();
    }
    return out;
}

QString PenText(const TPen &p)
{
    return QStringLiteral("{%1,%2,%3}").arg(ColorToString(p.Color)).arg(p.Style).arg(p.Width);
}

// The first difference between two loads, or nothing.
QString Difference(const TLoaded &a, const TLoaded &b)
{
    const TDisplaySettings &x = a.Settings;
    const TDisplaySettings &y = b.Settings;
    if (x.BGColor != y.BGColor)
        return QStringLiteral("BGColor %1 then %2").arg(ColorToString(x.BGColor), ColorToString(y.BGColor));
    if (x.VisibleVertLines != y.VisibleVertLines)
        return QStringLiteral("VisibleVertLines");
    if (a.Count != b.Count)
        return QStringLiteral("NumOfVertLines %1 then %2").arg(a.Count).arg(b.Count);
    const std::pair<const char *, const TPen *> fixed[]
        = {{"AxisPen", &x.AxisPen}, {"MainWavePen", &x.MainWavePen}, {"VertLinePen", &x.VertLinePen}};
    const TPen *fixedAgain[] = {&y.AxisPen, &y.MainWavePen, &y.VertLinePen};
    for (std::size_t i = 0; i < std::size(fixed); ++i) {
        if (*fixed[i].second != *fixedAgain[i])
            return QStringLiteral("%1 %2 then %3")
                .arg(QLatin1String(fixed[i].first), PenText(*fixed[i].second), PenText(*fixedAgain[i]));
    }
    for (std::size_t k = 0; k < x.WavePens.size(); ++k) {
        if (x.WavePens[k] != y.WavePens[k])
            return QStringLiteral("WavePens[%1] %2 then %3").arg(k).arg(PenText(x.WavePens[k]), PenText(y.WavePens[k]));
    }
    return {};
}

bool Put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

std::optional<QString> ProbeValue(const QString &path, const TProbe &probe)
{
    const QString missing = QStringLiteral("<missing>");
    const QString v = TProfileFile(path).ReadString(probe.Section, probe.Key, missing);
    return v == missing ? std::nullopt : std::optional<QString>(v);
}

// The text with control characters shown as \xNN.
QString Visible(const QString &text)
{
    QString s;
    for (const QChar c : text)
        s += c.unicode() < 0x20 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c);
    return s;
}

QString Preview(const QByteArray &bytes)
{
    QString s;
    for (const char c : bytes.left(160)) {
        const auto u = static_cast<unsigned char>(c);
        s += (u >= 0x20 && u < 0x7F) ? QString(QChar(u)) : QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return bytes.size() > 160 ? s + QStringLiteral("... (%1 bytes)").arg(bytes.size()) : s;
}

// --- The run ---

// Which file has which number: first good files cut at every byte (the
// program's own file, and a shorter one with CR LF and with CR alone), then
// the two 3 MB files, then files damaged at random.
class TFilePlan {
public:
    explicit TFilePlan(std::uint32_t seed)
        : seed_(seed)
        , wholes_{TDamager::JoinedDefault("\n"), TDamager::ShortDefault("\r\n"), TDamager::ShortDefault("\r")}
    {
        for (const QByteArray &whole : wholes_)
            ends_.push_back(int(whole.size()) + 1 + (ends_.empty() ? 0 : ends_.back()));
    }

    int CutFiles() const { return ends_.back(); }

    TDamagedFile Make(int index) const
    {
        TDamager damager(seed_, index);
        if (index < CutFiles()) {
            const auto whole = std::size_t(std::upper_bound(ends_.begin(), ends_.end(), index) - ends_.begin());
            return TDamager::Cut(wholes_[whole], index - (whole == 0 ? 0 : ends_[whole - 1]));
        }
        if (index == CutFiles())
            return damager.ThreeMegabyteColour();
        if (index == CutFiles() + 1)
            return damager.ThreeMegabyteJunk();
        return damager.Random();
    }

private:
    std::uint32_t seed_;
    std::array<QByteArray, 3> wholes_;
    std::vector<int> ends_;
};

struct TFailure {
    int Index = 0;
    std::bitset<DamageKinds> Damage;
    QString What;
    QByteArray Bytes;
};

struct TTally {
    int Files = 0;
    qint64 Bytes = 0;
    int WithMarker = 0;
    int MarkerKept = 0;
    int HugeFiles = 0;
    int ErrorsInGeneral = 0;
    int ErrorsInModes = 0;
    int Failures = 0;
    int WrongMessages = 0; // errors whose text is not what the file holds
    std::array<int, DamageKinds> ByDamage{};
    std::array<int, DamageKinds> ErrorsByDamage{};

    TTally &operator+=(const TTally &o)
    {
        Files += o.Files;
        Bytes += o.Bytes;
        WithMarker += o.WithMarker;
        MarkerKept += o.MarkerKept;
        HugeFiles += o.HugeFiles;
        ErrorsInGeneral += o.ErrorsInGeneral;
        ErrorsInModes += o.ErrorsInModes;
        Failures += o.Failures;
        WrongMessages += o.WrongMessages;
        for (std::size_t d = 0; d < ByDamage.size(); ++d) {
            ByDamage[d] += o.ByDamage[d];
            ErrorsByDamage[d] += o.ErrorsByDamage[d];
        }
        return *this;
    }
};

// Loads, checks, saves and loads again a share of the files, in a directory
// of its own; touches no widget, so that it can run beside another.
class TChecker {
public:
    TChecker(const TFilePlan &plan, const QString &dir)
        : plan_(plan)
        , path_(QDir(dir).filePath(QStringLiteral("Visual.ini")))
    {
    }

    void Run(int first, int step, int count)
    {
        for (int index = first; index < count; index += step) {
            const TDamagedFile file = plan_.Make(index);
            Count(file);
            std::optional<QString> failure;
            try {
                failure = Check(file);
            } catch (const std::exception &e) {
                failure = QStringLiteral("exception: %1").arg(QString::fromUtf8(e.what()));
            }
            if (failure) {
                ++Tally.Failures;
                if (Failures.size() < 10)
                    Failures.push_back({index, file.Damage, *failure, file.Bytes});
            }
        }
    }

    TTally Tally;
    std::vector<TFailure> Failures; // the first few
    std::set<int> CountsGiven;

private:
    void Count(const TDamagedFile &file)
    {
        ++Tally.Files;
        Tally.Bytes += file.Bytes.size();
        Tally.HugeFiles += file.Damage[HugeLine];
        Tally.WithMarker += int(std::count_if(file.Probes.begin(), file.Probes.end(),
                                              [](const TProbe &p) { return p.Section == Marker.Section; }));
        for (std::size_t d = 0; d < DamageKinds; ++d)
            Tally.ByDamage[d] += file.Damage[d];
    }

    // The first rule the file breaks, or nothing.
    std::optional<QString> Check(const TDamagedFile &file);

    const TFilePlan &plan_;
    QString path_;
};

std::optional<QString> TChecker::Check(const TDamagedFile &file)
{
    if (!Put(path_, file.Bytes))
        return QStringLiteral("cannot write the file");
    std::vector<std::optional<QString>> probesBefore;
    for (const TProbe &p : file.Probes)
        probesBefore.push_back(ProbeValue(path_, p));
    const TFileSays says = WhatTheFileSays(path_);
    // A wrong message is noted and the checks go on, so that the save is still tried.
    QString wrongMessage;
    const auto also = [&wrongMessage](const QString &what) {
        return wrongMessage.isEmpty() ? what : wrongMessage + QStringLiteral("; also ") + what;
    };

    const TLoaded first = Load(path_);

    if (says.BadPlace >= 0) {
        if (!first.Error)
            return QStringLiteral("no error for colour text '%1' (colour key %2)")
                .arg(Visible(says.BadText.left(100)))
                .arg(says.BadPlace);
        const QString expected = QStringLiteral("'%1' は整数ではありません").arg(says.BadText);
        if (*first.Error != expected) {
            ++Tally.WrongMessages;
            wrongMessage = QStringLiteral("the error says \"%1\" (%2 characters), not \"%3\" (%4)")
                               .arg(Visible(first.Error->left(100)))
                               .arg(first.Error->size())
                               .arg(Visible(expected.left(100)))
                               .arg(expected.size());
        }
        ++(says.BadPlace <= DefaultColourPlace ? Tally.ErrorsInGeneral : Tally.ErrorsInModes);
        for (std::size_t d = 0; d < DamageKinds; ++d)
            Tally.ErrorsByDamage[d] += file.Damage[d];
    } else if (first.Error) {
        return also(QStringLiteral("unexpected error: %1").arg(Visible(first.Error->left(200))));
    }

    const auto loaded = ColoursInLoadOrder(first.Settings);
    const int coloursRead = says.BadPlace >= 0 ? says.BadPlace : ColourCount;
    for (int i = 0; i < coloursRead; ++i) {
        if (loaded[std::size_t(i)] != says.Colours[std::size_t(i)])
            return also(QStringLiteral("colour key %1 loaded as %2, the file says %3")
                            .arg(i)
                            .arg(ColorToString(loaded[std::size_t(i)]), ColorToString(says.Colours[std::size_t(i)])));
    }
    if (first.Shown != says.Shown || first.Given != says.Given)
        return also(QStringLiteral("the check box got %1 and the count box %2; the file says %3 and %4")
                        .arg(first.Shown ? QString::number(*first.Shown) : QStringLiteral("nothing"),
                             first.Given ? QString::number(*first.Given) : QStringLiteral("nothing"),
                             says.Shown ? QString::number(*says.Shown) : QStringLiteral("nothing"),
                             says.Given ? QString::number(*says.Given) : QStringLiteral("nothing")));
    if (first.Shown && *first.Shown != first.Settings.VisibleVertLines)
        return also(QStringLiteral("the check box disagrees with VisibleVertLines"));
    if (first.Given)
        CountsGiven.insert(*first.Given);
    const auto badWidth = [](const TPen &p) { return p.Width < 0; };
    if (badWidth(first.Settings.AxisPen) || badWidth(first.Settings.MainWavePen) || badWidth(first.Settings.VertLinePen)
        || std::any_of(first.Settings.WavePens.begin(), first.Settings.WavePens.end(), badWidth))
        return also(QStringLiteral("a pen of negative width"));

    try {
        SaveDisplaySettings(path_, first.Settings, first.Count);
    } catch (const TProfileWriteError &e) {
        return also(QStringLiteral("save failed: %1").arg(e.Message()));
    }

    for (std::size_t i = 0; i < file.Probes.size(); ++i) {
        if (!probesBefore[i])
            continue;
        const TProbe &p = file.Probes[i];
        const std::optional<QString> after = ProbeValue(path_, p);
        if (after != probesBefore[i])
            return also(QStringLiteral("[%1] %2 was '%3', after the save %4")
                            .arg(p.Section, p.Key, Visible(*probesBefore[i]),
                                 after ? "'" + Visible(*after) + "'" : QStringLiteral("missing")));
        Tally.MarkerKept += p.Section == Marker.Section;
    }

    const TLoaded again = Load(path_);
    if (again.Error)
        return also(QStringLiteral("the saved file does not load: %1").arg(Visible(again.Error->left(200))));
    if (again.Given != first.Count)
        return also(QStringLiteral("the saved file gives the count box %1, %2 was saved")
                        .arg(again.Given.value_or(-1))
                        .arg(first.Count));
    if (const QString diff = Difference(first, again); !diff.isEmpty())
        return also(QStringLiteral("the saved file loads differently: %1").arg(diff));
    return wrongMessage.isEmpty() ? std::nullopt : std::optional<QString>(wrongMessage);
}

std::uint32_t SeedToUse()
{
    if (!qEnvironmentVariableIsSet("VELMORA_HOSTILE_SEED"))
        return DefaultSeed;
    return std::uint32_t(qEnvironmentVariable("VELMORA_HOSTILE_SEED").toULong(nullptr, 0));
}

int FileCountToUse()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VELMORA_HOSTILE_FILES", &ok);
    return ok && n > 0 ? n : DefaultFileCount;
}

TEST(HostileIniTest, DamagedFilesLoadSaveAndLoadBackAlike)
{
    const std::uint32_t seed = SeedToUse();
    const int fileCount = FileCountToUse();
    // Thousands of saves: on tmpfs each flush to disk costs nothing.
    QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/velmora-XXXXXX")
                                                                : QDir::tempPath() + QStringLiteral("/velmora-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    const TFilePlan plan(seed);
    std::cout << "hostile Visual.ini: seed 0x" << std::hex << seed << std::dec << ", " << fileCount << " files in "
              << qPrintable(dir.path()) << "; files 0 to " << plan.CutFiles() - 1 << " cut a good file, "
              << plan.CutFiles() << " and " << plan.CutFiles() + 1 << " are 3 MB" << std::endl;
    RecordProperty("seed", std::to_string(seed));

    // Two checkers side by side, each on every other file.
    constexpr int Workers = 2;
    std::vector<std::unique_ptr<TChecker>> checkers;
    for (int w = 0; w < Workers; ++w) {
        const QString sub = QStringLiteral("w%1").arg(w);
        ASSERT_TRUE(QDir(dir.path()).mkdir(sub));
        checkers.push_back(std::make_unique<TChecker>(plan, dir.filePath(sub)));
    }
    QElapsedTimer total;
    total.start();
    {
        std::vector<std::jthread> threads;
        for (int w = 0; w < Workers; ++w)
            threads.emplace_back([&checkers, w, fileCount] { checkers[std::size_t(w)]->Run(w, Workers, fileCount); });
    }
    const qint64 elapsed = total.elapsed();

    TTally tally;
    std::set<int> countsGiven;
    for (const auto &checker : checkers) {
        tally += checker->Tally;
        countsGiven.insert(checker->CountsGiven.begin(), checker->CountsGiven.end());
        for (const TFailure &f : checker->Failures) {
            // Kept for a look; the same seed and number make it again.
            const QString kept
                = QDir::temp().filePath(QStringLiteral("velmora-hostile-%1-%2.ini").arg(seed, 0, 16).arg(f.Index));
            Put(kept, f.Bytes);
            ADD_FAILURE() << "file " << f.Index << " of seed 0x" << std::hex << seed << std::dec << " ["
                          << DamageText(f.Damage).toStdString() << "], kept as " << kept.toStdString() << ": "
                          << f.What.toStdString() << "\n  begins: " << Preview(f.Bytes).toStdString();
        }
    }

    // The real count box brings each count the files gave into range as the
    // checks took it to.
    TIntSpinBox countBox;
    countBox.setRange(FewestVertLines, MostVertLines);
    for (const int given : countsGiven) {
        countBox.setValue(given);
        EXPECT_EQ(countBox.TypedValue(), CountBoxValue(given)) << "count " << given;
    }

    QStringList byDamage;
    for (std::size_t d = 0; d < DamageKinds; ++d)
        byDamage << QStringLiteral("%1 %2/%3")
                        .arg(QLatin1String(DamageNames[d]))
                        .arg(tally.ErrorsByDamage[d])
                        .arg(tally.ByDamage[d]);
    std::cout << "hostile Visual.ini: " << tally.Files << " files, " << tally.Bytes / 1024 << " KiB, " << elapsed
              << " ms on " << Workers << " threads; colour errors: " << tally.ErrorsInGeneral << " in general, "
              << tally.ErrorsInModes << " in wave sections, " << tally.WrongMessages
              << " of them with a wrong message; marker kept " << tally.MarkerKept << " of " << tally.WithMarker << "; "
              << countsGiven.size() << " different counts given; files with huge lines " << tally.HugeFiles
              << "; failing files " << tally.Failures
              << "\n  colour errors/files by damage: " << byDamage.join(QStringLiteral(", ")).toStdString()
              << std::endl;
    RecordProperty("files", tally.Files);
    RecordProperty("colour_errors", tally.ErrorsInGeneral + tally.ErrorsInModes);
    RecordProperty("failing_files", tally.Failures);
    EXPECT_EQ(tally.Failures, 0);
}

// --- What is no settings file, in its place ---

// The save's error message, or nothing.
std::optional<QString> SaveError(const QString &path, const TDisplaySettings &s)
{
    try {
        SaveDisplaySettings(path, s, 2);
    } catch (const TProfileWriteError &e) {
        return e.Message();
    }
    return std::nullopt;
}

QString CannotWrite(const QString &path)
{
    return path + QStringLiteral(" に書き込めません");
}

bool IsCharDevice(const QString &path)
{
    struct stat st { };
    return ::stat(path.toLocal8Bit().constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

// Caps this process's address space a little above what it holds now, so that
// a read without end fails at once instead of taking the machine's memory.
class TAddressSpaceCap {
public:
    explicit TAddressSpaceCap(qint64 headroom)
    {
        QFile statm(QStringLiteral("/proc/self/statm"));
        const qint64 pages = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(0).toLongLong() : 0;
        ::getrlimit(RLIMIT_AS, &old_);
        rlimit capped = old_;
        capped.rlim_cur = std::min<rlim_t>(old_.rlim_cur, rlim_t(pages * ::sysconf(_SC_PAGESIZE) + headroom));
        // Sanitizers reserve terabytes of address space.
        capped_ = !Sanitized && pages > 0 && ::setrlimit(RLIMIT_AS, &capped) == 0;
    }
    ~TAddressSpaceCap()
    {
        if (capped_)
            ::setrlimit(RLIMIT_AS, &old_);
    }

private:
    rlimit old_{};
    bool capped_ = false;
};

TEST(NoSettingsFileTest, ALinkToAnEndlessDeviceReadsAsMissingAndIsNotWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path));
    TDisplaySettings s;
    s.BGColor = clNavy;
    {
        const TAddressSpaceCap cap(256 * 1024 * 1024);
        EXPECT_EQ(Load(path).Error, std::nullopt);
        LoadDisplaySettings(path, s, {});
    }
    EXPECT_EQ(s.BGColor, clWhite);

    // The same, swapped in while the program runs. As root, the link leads to
    // a zero device of our own, so that a fault cannot replace the system's.
    const QString zero = dir.filePath(QStringLiteral("zero"));
    if (::mknod(zero.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 5)) == 0) {
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_TRUE(QFile::link(zero, path));
    }
    {
        const TAddressSpaceCap cap(256 * 1024 * 1024);
        EXPECT_EQ(SaveError(path, s), CannotWrite(path));
    }
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(IsCharDevice(path));
}

// Runs the call on a thread of its own and says whether it ended within half a
// minute. One that blocked on the FIFO is set free by opening the FIFO from
// here until it ends.
template <typename Call> bool EndsWithoutBlocking(const QString &fifo, Call call)
{
    std::future<void> done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(30)) == std::future_status::ready) {
        done.get();
        return true;
    }
    while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        const int fd = ::open(fifo.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    }
    done.get();
    return false;
}

TEST(NoSettingsFileTest, AFifoNeitherBlocksNorIsReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("Visual.ini"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0666), 0);
    const QString linked = dir.filePath(QStringLiteral("linked/Visual.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("linked")));
    ASSERT_TRUE(QFile::link(fifo, linked));
    for (const QString &path : {fifo, linked}) {
        TDisplaySettings s;
        s.BGColor = clNavy;
        std::optional<QString> error;
        EXPECT_TRUE(EndsWithoutBlocking(fifo, [&] {
            LoadDisplaySettings(path, s, {});
            error = SaveError(path, s);
        })) << path.toStdString();
        EXPECT_EQ(s.BGColor, clWhite);
        EXPECT_EQ(error, CannotWrite(path));
        struct stat st { };
        EXPECT_TRUE(::lstat(fifo.toLocal8Bit().constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    }
}

TEST(NoSettingsFileTest, AFileTooLargeToBeASettingsFileIsReportedAndLeftAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    const QByteArray head = "[general]\nBGColor=clNavy\n";
    for (const qint64 size : {MaxProfileFileBytes + 1, MaxProfileFileBytes}) {
        const QByteArray bytes = head + ';' + QByteArray(size - head.size() - 2, 'x') + '\n';
        PutFile(path, bytes);
        QStringList errors;
        {
            DisplaySettingsWindow window(nullptr);
            window.SetIniPath(path);
            window.SetErrorReporter([&errors](const QString &text) { errors << text; });
            window.FormCreate();
            EXPECT_EQ(window.Settings.BGColor, size > MaxProfileFileBytes ? clWhite : clNavy) << size;
        }
        QStringList expected;
        if (size > MaxProfileFileBytes)
            expected << path + QStringLiteral(" は大きすぎるため読み込めません");
        // One that is read is still not made larger than what is read.
        expected << path + QStringLiteral(" は大きすぎるため書き込みません");
        EXPECT_EQ(errors, expected) << size;
        EXPECT_TRUE(FileBytes(path) == bytes) << size;
    }
}

TEST(NoSettingsFileTest, AUtf16FileIsReadAndWrittenBackInItsEncoding)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    const QString text = QStringLiteral("; メモ\r\n[general]\r\nBGColor=clNavy\r\n[mine]\r\n名前=値\r\n");
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encode(encoding, QStringConverter::Flag::WriteBom);
        PutFile(path, encode(text));
        const TLoaded first = Load(path);
        EXPECT_EQ(first.Settings.BGColor, clNavy);
        SaveDisplaySettings(path, first.Settings, first.Count);

        const QByteArray saved = FileBytes(path);
        EXPECT_FALSE(saved.contains("BGColor")) << "a Latin-1 copy was appended";
        QStringDecoder decode(encoding, QStringConverter::Flag::Default);
        const QString back = decode(saved);
        EXPECT_FALSE(decode.hasError());
        const QByteArray bom = encoding == QStringConverter::Utf16LE ? "\xFF\xFE" : "\xFE\xFF";
        EXPECT_TRUE(saved.startsWith(bom) && saved.size() % 2 == 0);
        EXPECT_TRUE(back.startsWith(QStringLiteral("; メモ\r\n[general]\r\nBGColor=clNavy\r\nAxisWidth=1\r\n")))
            << back.left(80).toStdString();
        EXPECT_TRUE(back.contains(QStringLiteral("[mine]\r\n名前=値\r\n")));
        EXPECT_TRUE(back.endsWith(QStringLiteral("[wave20]\r\nWidth=1\r\nColor=clRed\r\nStyle=0\r\n")));
        const TLoaded again = Load(path);
        EXPECT_EQ(again.Error, std::nullopt);
        EXPECT_EQ(Difference(first, again), QString());
    }
}

} // namespace
