#pragma once
// Damaged settings files made from a seed and a file number: the same pair
// always makes the same bytes, so a failure's seed and number make its file again.

#include <QByteArray>
#include <QString>

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace damagedini {

enum Damage {
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

inline constexpr std::array<const char *, DamageKinds> DamageNames{
    "random-bytes",       "token-soup",  "truncated",    "huge-line",  "no-equals",     "duplicate-section",
    "duplicate-key",      "limit-value", "empty-keys",   "line-ends",  "nul-bytes",     "unknown-names",
    "odd-case",           "blanks",      "colour-names", "byte-flips", "lines-dropped", "open-bracket",
    "keys-before-section"};

struct Probe {
    QString section;
    QString key;
};

struct DamagedFile {
    QByteArray bytes;
    std::bitset<DamageKinds> damage;
    // Lines the program does not know, put in whole; a save must keep them.
    std::vector<Probe> probes;
};

// The damage's names joined by commas, or "none".
QString damageText(const std::bitset<DamageKinds> &damage);

// The unknown section and key many of the files carry.
extern const Probe Marker;

// Which file has which number: first good files cut at every byte (the
// program's own file, and a shorter one with CR LF and with CR alone), then
// the two 3 MB files, then files damaged at random.
class FilePlan {
public:
    explicit FilePlan(std::uint32_t seed);

    int cutFiles() const { return ends_.back(); }

    DamagedFile make(int index) const;

private:
    std::uint32_t seed_;
    std::array<QByteArray, 3> wholes_;
    std::vector<int> ends_;
};

} // namespace damagedini
