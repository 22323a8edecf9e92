// Damaged and hostile settings files, made afresh from a fixed seed on every
// run: each is loaded as at start-up, checked against what the file says, saved
// as at exit and loaded again. VELMORA_HOSTILE_SEED and VELMORA_HOSTILE_FILES
// change the seed and the number of files for a longer hunt; a failure names
// the seed and the file's number, which is enough to make that file again.

#include "display/DisplayTestSupport.h"
#include "support/DamagedIni.h"
#include "support/Files.h"
#include <gtest/gtest.h>

#include "display/DisplaySettingsStore.h"
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
#include <limits>
#include <memory>
#include <optional>
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

using namespace damagedini;

// --- What the file says, read key by key without the loader ---

struct ColourKey {
    QString section;
    QString key;
};

constexpr int ColourCount = 25;
constexpr int DefaultColourPlace = 4;
// The check box and the count box are set after the first four colours.
constexpr int ColoursBeforeGuideLineKeys = 4;
constexpr int FewestVertLines = 2;
constexpr int MostVertLines = 99;

// The colour keys in the order of loading.
std::vector<ColourKey> colourKeys()
{
    std::vector<ColourKey> keys;
    for (const char *key : {"BGColor", "AxisColor", "MainWaveColor", "VertLineColor", "DefaultColor"})
        keys.push_back({QStringLiteral("general"), QString::fromLatin1(key)});
    for (int k = 1; k <= 20; ++k)
        keys.push_back({QStringLiteral("wave%1").arg(k), QStringLiteral("Color")});
    return keys;
}

std::array<Color, ColourCount> coloursInLoadOrder(const DisplaySettings &s)
{
    std::array<Color, ColourCount> c{s.bgColor, s.axisPen.color, s.mainWavePen.color, s.vertLinePen.color};
    for (int k = 0; k <= 20; ++k)
        c[std::size_t(DefaultColourPlace + k)] = s.wavePens[std::size_t(k)].color;
    return c;
}

// What loading must come to, found with the profile file's lookups alone.
struct FileSays {
    std::array<Color, ColourCount> colours{}; // those before the bad one
    int badPlace = -1;                        // the first colour key whose text is no colour
    QString badText;
    std::optional<bool> shown; // for the check box, unless loading stops before
    std::optional<int> given;  // for the count box, likewise
};

FileSays whatTheFileSays(const QString &path)
{
    static const std::vector<ColourKey> Keys = colourKeys();
    static const std::array<QString, 5> GeneralDefaults{QStringLiteral("clWhite"), QStringLiteral("clSilver"),
                                                        QStringLiteral("clBlack"), QStringLiteral("clSilver"),
                                                        QStringLiteral("clRed")};
    const QString general = QStringLiteral("general");
    // One read of the file for all the keys: thousands of files go through here.
    ProfileFile file(path);
    file.beginUpdate();
    FileSays says;
    for (int i = 0; i < ColourCount; ++i) {
        if (i == ColoursBeforeGuideLineKeys) {
            says.shown
                = parseIniBoolean(file.readString(general, QStringLiteral("VisibleVertLines"), {})).value_or(false);
            says.given = parseIniInteger(file.readString(general, QStringLiteral("NumOfVertLines"), {})).value_or(2);
        }
        // The modes' colours default to the default pen's, as it is written.
        const QString fallback = i <= DefaultColourPlace ? GeneralDefaults[std::size_t(i)]
                                                         : colorToString(says.colours[DefaultColourPlace]);
        const QString text = file.readString(Keys[std::size_t(i)].section, Keys[std::size_t(i)].key, fallback);
        const std::optional<Color> colour = stringToColor(text);
        if (!colour) {
            says.badPlace = i;
            says.badText = text;
            return says;
        }
        says.colours[std::size_t(i)] = *colour;
    }
    return says;
}

// --- Loading and saving as the display settings window does ---

// What the count box holds after being given a count. The checks run off the
// GUI thread, so the real box is compared with this afterwards.
int countBoxValue(int given)
{
    return std::clamp(given, FewestVertLines, MostVertLines);
}

struct Loaded {
    DisplaySettings settings;
    std::optional<QString> error;
    std::optional<bool> shown;   // what reached the check box
    std::optional<int> given;    // what reached the count box
    int count = FewestVertLines; // the count box afterwards; a new window's holds 2
};

Loaded load(const QString &path)
{
    Loaded out;
    // A key was reached when two loads starting from opposite values agree on it.
    DisplaySettings opposite;
    opposite.visibleVertLines = true;
    opposite.numOfVertLines = std::numeric_limits<int>::max();
    out.settings.numOfVertLines = std::numeric_limits<int>::min();
    try {
        loadDisplaySettings(path, out.settings);
    } catch (const ConvertError &e) {
        out.error = e.message();
    }
    try {
        loadDisplaySettings(path, opposite);
    } catch (const ConvertError &) {
    }
    if (opposite.visibleVertLines == out.settings.visibleVertLines)
        out.shown = out.settings.visibleVertLines;
    if (opposite.numOfVertLines == out.settings.numOfVertLines) {
        out.given = out.settings.numOfVertLines;
        out.count = countBoxValue(*out.given);
    }
    // As the count box holds it, which is what a save writes.
    out.settings.numOfVertLines = out.count;
    return out;
}

QString penText(const Pen &p)
{
    return QStringLiteral("{%1,%2,%3}").arg(colorToString(p.color)).arg(p.style).arg(p.width);
}

// The first difference between two loads, or nothing.
QString difference(const Loaded &a, const Loaded &b)
{
    const DisplaySettings &x = a.settings;
    const DisplaySettings &y = b.settings;
    if (x.bgColor != y.bgColor)
        return QStringLiteral("BGColor %1 then %2").arg(colorToString(x.bgColor), colorToString(y.bgColor));
    if (x.visibleVertLines != y.visibleVertLines)
        return QStringLiteral("VisibleVertLines");
    if (a.count != b.count)
        return QStringLiteral("NumOfVertLines %1 then %2").arg(a.count).arg(b.count);
    const std::pair<const char *, const Pen *> fixed[]
        = {{"AxisPen", &x.axisPen}, {"MainWavePen", &x.mainWavePen}, {"VertLinePen", &x.vertLinePen}};
    const Pen *fixedAgain[] = {&y.axisPen, &y.mainWavePen, &y.vertLinePen};
    for (std::size_t i = 0; i < std::size(fixed); ++i) {
        if (*fixed[i].second != *fixedAgain[i])
            return QStringLiteral("%1 %2 then %3")
                .arg(QLatin1String(fixed[i].first), penText(*fixed[i].second), penText(*fixedAgain[i]));
    }
    for (std::size_t k = 0; k < x.wavePens.size(); ++k) {
        if (x.wavePens[k] != y.wavePens[k])
            return QStringLiteral("WavePens[%1] %2 then %3").arg(k).arg(penText(x.wavePens[k]), penText(y.wavePens[k]));
    }
    return {};
}

bool put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

std::optional<QString> probeValue(const QString &path, const Probe &probe)
{
    const QString missing = QStringLiteral("<missing>");
    const QString v = ProfileFile(path).readString(probe.section, probe.key, missing);
    return v == missing ? std::nullopt : std::optional<QString>(v);
}

// The text with control characters shown as \xNN.
QString visible(const QString &text)
{
    QString s;
    for (const QChar c : text)
        s += c.unicode() < 0x20 ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c);
    return s;
}

QString preview(const QByteArray &bytes)
{
    QString s;
    for (const char c : bytes.left(160)) {
        const auto u = static_cast<unsigned char>(c);
        s += (u >= 0x20 && u < 0x7F) ? QString(QChar(u)) : QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return bytes.size() > 160 ? s + QStringLiteral("... (%1 bytes)").arg(bytes.size()) : s;
}

// --- The run ---

struct Failure {
    int index = 0;
    std::bitset<DamageKinds> damage;
    QString what;
    QByteArray bytes;
};

struct Tally {
    int files = 0;
    qint64 bytes = 0;
    int withMarker = 0;
    int markerKept = 0;
    int hugeFiles = 0;
    int errorsInGeneral = 0;
    int errorsInModes = 0;
    int failures = 0;
    int wrongMessages = 0; // errors whose text is not what the file holds
    std::array<int, DamageKinds> byDamage{};
    std::array<int, DamageKinds> errorsByDamage{};

    Tally &operator+=(const Tally &o)
    {
        files += o.files;
        bytes += o.bytes;
        withMarker += o.withMarker;
        markerKept += o.markerKept;
        hugeFiles += o.hugeFiles;
        errorsInGeneral += o.errorsInGeneral;
        errorsInModes += o.errorsInModes;
        failures += o.failures;
        wrongMessages += o.wrongMessages;
        for (std::size_t d = 0; d < byDamage.size(); ++d) {
            byDamage[d] += o.byDamage[d];
            errorsByDamage[d] += o.errorsByDamage[d];
        }
        return *this;
    }
};

// Loads, checks, saves and loads again a share of the files, in a directory
// of its own; touches no widget, so that it can run beside another.
class Checker {
public:
    Checker(const FilePlan &plan, const QString &dir)
        : plan_(plan)
        , path_(QDir(dir).filePath(QStringLiteral("Visual.ini")))
    {
    }

    void run(int first, int step, int total)
    {
        for (int index = first; index < total; index += step) {
            const DamagedFile file = plan_.make(index);
            count(file);
            std::optional<QString> failure;
            try {
                failure = check(file);
            } catch (const std::exception &e) {
                failure = QStringLiteral("exception: %1").arg(QString::fromUtf8(e.what()));
            }
            if (failure) {
                ++tally.failures;
                if (failures.size() < 10)
                    failures.push_back({index, file.damage, *failure, file.bytes});
            }
        }
    }

    Tally tally;
    std::vector<Failure> failures; // the first few
    std::set<int> countsGiven;

private:
    void count(const DamagedFile &file)
    {
        ++tally.files;
        tally.bytes += file.bytes.size();
        tally.hugeFiles += file.damage[HugeLine];
        tally.withMarker += int(std::count_if(file.probes.begin(), file.probes.end(),
                                              [](const Probe &p) { return p.section == Marker.section; }));
        for (std::size_t d = 0; d < DamageKinds; ++d)
            tally.byDamage[d] += file.damage[d];
    }

    // The first rule the file breaks, or nothing.
    std::optional<QString> check(const DamagedFile &file);

    const FilePlan &plan_;
    QString path_;
};

std::optional<QString> Checker::check(const DamagedFile &file)
{
    if (!put(path_, file.bytes))
        return QStringLiteral("cannot write the file");
    std::vector<std::optional<QString>> probesBefore;
    for (const Probe &p : file.probes)
        probesBefore.push_back(probeValue(path_, p));
    const FileSays says = whatTheFileSays(path_);
    // A wrong message is noted and the checks go on, so that the save is still tried.
    QString wrongMessage;
    const auto also = [&wrongMessage](const QString &what) {
        return wrongMessage.isEmpty() ? what : wrongMessage + QStringLiteral("; also ") + what;
    };

    const Loaded first = load(path_);

    if (says.badPlace >= 0) {
        if (!first.error)
            return QStringLiteral("no error for colour text '%1' (colour key %2)")
                .arg(visible(says.badText.left(100)))
                .arg(says.badPlace);
        const QString expected = QStringLiteral("'%1' は整数ではありません").arg(says.badText);
        if (*first.error != expected) {
            ++tally.wrongMessages;
            wrongMessage = QStringLiteral("the error says \"%1\" (%2 characters), not \"%3\" (%4)")
                               .arg(visible(first.error->left(100)))
                               .arg(first.error->size())
                               .arg(visible(expected.left(100)))
                               .arg(expected.size());
        }
        ++(says.badPlace <= DefaultColourPlace ? tally.errorsInGeneral : tally.errorsInModes);
        for (std::size_t d = 0; d < DamageKinds; ++d)
            tally.errorsByDamage[d] += file.damage[d];
    } else if (first.error) {
        return also(QStringLiteral("unexpected error: %1").arg(visible(first.error->left(200))));
    }

    const auto loaded = coloursInLoadOrder(first.settings);
    const int coloursRead = says.badPlace >= 0 ? says.badPlace : ColourCount;
    for (int i = 0; i < coloursRead; ++i) {
        if (loaded[std::size_t(i)] != says.colours[std::size_t(i)])
            return also(QStringLiteral("colour key %1 loaded as %2, the file says %3")
                            .arg(i)
                            .arg(colorToString(loaded[std::size_t(i)]), colorToString(says.colours[std::size_t(i)])));
    }
    if (first.shown != says.shown || first.given != says.given)
        return also(QStringLiteral("the check box got %1 and the count box %2; the file says %3 and %4")
                        .arg(first.shown ? QString::number(*first.shown) : QStringLiteral("nothing"),
                             first.given ? QString::number(*first.given) : QStringLiteral("nothing"),
                             says.shown ? QString::number(*says.shown) : QStringLiteral("nothing"),
                             says.given ? QString::number(*says.given) : QStringLiteral("nothing")));
    if (first.shown && *first.shown != first.settings.visibleVertLines)
        return also(QStringLiteral("the check box disagrees with VisibleVertLines"));
    if (first.given)
        countsGiven.insert(*first.given);
    const auto badWidth = [](const Pen &p) { return p.width < 0; };
    if (badWidth(first.settings.axisPen) || badWidth(first.settings.mainWavePen) || badWidth(first.settings.vertLinePen)
        || std::any_of(first.settings.wavePens.begin(), first.settings.wavePens.end(), badWidth))
        return also(QStringLiteral("a pen of negative width"));

    try {
        saveDisplaySettings(path_, first.settings);
    } catch (const ProfileWriteError &e) {
        return also(QStringLiteral("save failed: %1").arg(e.message()));
    }

    for (std::size_t i = 0; i < file.probes.size(); ++i) {
        if (!probesBefore[i])
            continue;
        const Probe &p = file.probes[i];
        const std::optional<QString> after = probeValue(path_, p);
        if (after != probesBefore[i])
            return also(QStringLiteral("[%1] %2 was '%3', after the save %4")
                            .arg(p.section, p.key, visible(*probesBefore[i]),
                                 after ? "'" + visible(*after) + "'" : QStringLiteral("missing")));
        tally.markerKept += p.section == Marker.section;
    }

    const Loaded again = load(path_);
    if (again.error)
        return also(QStringLiteral("the saved file does not load: %1").arg(visible(again.error->left(200))));
    if (again.given != first.count)
        return also(QStringLiteral("the saved file gives the count box %1, %2 was saved")
                        .arg(again.given.value_or(-1))
                        .arg(first.count));
    if (const QString diff = difference(first, again); !diff.isEmpty())
        return also(QStringLiteral("the saved file loads differently: %1").arg(diff));
    return wrongMessage.isEmpty() ? std::nullopt : std::optional<QString>(wrongMessage);
}

std::uint32_t seedToUse()
{
    if (!qEnvironmentVariableIsSet("VELMORA_HOSTILE_SEED"))
        return DefaultSeed;
    return std::uint32_t(qEnvironmentVariable("VELMORA_HOSTILE_SEED").toULong(nullptr, 0));
}

int fileCountToUse()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VELMORA_HOSTILE_FILES", &ok);
    return ok && n > 0 ? n : DefaultFileCount;
}

TEST(HostileIniTest, DamagedFilesLoadSaveAndLoadBackAlike)
{
    const std::uint32_t seed = seedToUse();
    const int fileCount = fileCountToUse();
    // Thousands of saves: on tmpfs each flush to disk costs nothing.
    QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/velmora-XXXXXX")
                                                                : QDir::tempPath() + QStringLiteral("/velmora-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    const FilePlan plan(seed);
    std::cout << "hostile Visual.ini: seed 0x" << std::hex << seed << std::dec << ", " << fileCount << " files in "
              << qPrintable(dir.path()) << "; files 0 to " << plan.cutFiles() - 1 << " cut a good file, "
              << plan.cutFiles() << " and " << plan.cutFiles() + 1 << " are 3 MB" << std::endl;
    RecordProperty("seed", std::to_string(seed));

    // Two checkers side by side, each on every other file.
    constexpr int Workers = 2;
    std::vector<std::unique_ptr<Checker>> checkers;
    for (int w = 0; w < Workers; ++w) {
        const QString sub = QStringLiteral("w%1").arg(w);
        ASSERT_TRUE(QDir(dir.path()).mkdir(sub));
        checkers.push_back(std::make_unique<Checker>(plan, dir.filePath(sub)));
    }
    QElapsedTimer total;
    total.start();
    {
        std::vector<std::jthread> threads;
        for (int w = 0; w < Workers; ++w)
            threads.emplace_back([&checkers, w, fileCount] { checkers[std::size_t(w)]->run(w, Workers, fileCount); });
    }
    const qint64 elapsed = total.elapsed();

    Tally tally;
    std::set<int> countsGiven;
    for (const auto &checker : checkers) {
        tally += checker->tally;
        countsGiven.insert(checker->countsGiven.begin(), checker->countsGiven.end());
        for (const Failure &f : checker->failures) {
            // Kept for a look; the same seed and number make it again.
            const QString kept
                = QDir::temp().filePath(QStringLiteral("velmora-hostile-%1-%2.ini").arg(seed, 0, 16).arg(f.index));
            put(kept, f.bytes);
            ADD_FAILURE() << "file " << f.index << " of seed 0x" << std::hex << seed << std::dec << " ["
                          << damageText(f.damage).toStdString() << "], kept as " << kept.toStdString() << ": "
                          << f.what.toStdString() << "\n  begins: " << preview(f.bytes).toStdString();
        }
    }

    // The real count box brings each count the files gave into range as the
    // checks took it to.
    IntSpinBox countBox;
    countBox.setRange(FewestVertLines, MostVertLines);
    for (const int given : countsGiven) {
        countBox.setValue(given);
        EXPECT_EQ(countBox.typedValue(), countBoxValue(given)) << "count " << given;
    }

    QStringList byDamage;
    for (std::size_t d = 0; d < DamageKinds; ++d)
        byDamage << QStringLiteral("%1 %2/%3")
                        .arg(QLatin1String(DamageNames[d]))
                        .arg(tally.errorsByDamage[d])
                        .arg(tally.byDamage[d]);
    std::cout << "hostile Visual.ini: " << tally.files << " files, " << tally.bytes / 1024 << " KiB, " << elapsed
              << " ms on " << Workers << " threads; colour errors: " << tally.errorsInGeneral << " in general, "
              << tally.errorsInModes << " in wave sections, " << tally.wrongMessages
              << " of them with a wrong message; marker kept " << tally.markerKept << " of " << tally.withMarker << "; "
              << countsGiven.size() << " different counts given; files with huge lines " << tally.hugeFiles
              << "; failing files " << tally.failures
              << "\n  colour errors/files by damage: " << byDamage.join(QStringLiteral(", ")).toStdString()
              << std::endl;
    RecordProperty("files", tally.files);
    RecordProperty("colour_errors", tally.errorsInGeneral + tally.errorsInModes);
    RecordProperty("failing_files", tally.failures);
    EXPECT_EQ(tally.failures, 0);
}

// --- What is no settings file, in its place ---

// The save's error message, or nothing.
std::optional<QString> saveError(const QString &path, const DisplaySettings &s)
{
    try {
        saveDisplaySettings(path, s);
    } catch (const ProfileWriteError &e) {
        return e.message();
    }
    return std::nullopt;
}

QString cannotWrite(const QString &path)
{
    return path + QStringLiteral(" に書き込めません");
}

bool isCharDevice(const QString &path)
{
    struct stat st { };
    return ::stat(path.toLocal8Bit().constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

// Caps this process's address space a little above what it holds now, so that
// a read without end fails at once instead of taking the machine's memory.
class AddressSpaceCap {
public:
    explicit AddressSpaceCap(qint64 headroom)
    {
        QFile statm(QStringLiteral("/proc/self/statm"));
        const qint64 pages = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(0).toLongLong() : 0;
        ::getrlimit(RLIMIT_AS, &old_);
        rlimit capped = old_;
        capped.rlim_cur = std::min<rlim_t>(old_.rlim_cur, rlim_t(pages * ::sysconf(_SC_PAGESIZE) + headroom));
        // Sanitizers reserve terabytes of address space.
        capped_ = !Sanitized && pages > 0 && ::setrlimit(RLIMIT_AS, &capped) == 0;
    }
    ~AddressSpaceCap()
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
    DisplaySettings s;
    s.bgColor = colors::Navy;
    {
        const AddressSpaceCap cap(256 * 1024 * 1024);
        EXPECT_EQ(load(path).error, std::nullopt);
        loadDisplaySettings(path, s);
    }
    EXPECT_EQ(s.bgColor, colors::White);

    // The same, swapped in while the program runs. As root, the link leads to
    // a zero device of our own, so that a fault cannot replace the system's.
    const QString zero = dir.filePath(QStringLiteral("zero"));
    if (::mknod(zero.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 5)) == 0) {
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_TRUE(QFile::link(zero, path));
    }
    {
        const AddressSpaceCap cap(256 * 1024 * 1024);
        EXPECT_EQ(saveError(path, s), cannotWrite(path));
    }
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(isCharDevice(path));
}

// Runs the call on a thread of its own and says whether it ended within half a
// minute. One that blocked on the FIFO is set free by opening the FIFO from
// here until it ends.
template <typename Call> bool endsWithoutBlocking(const QString &fifo, Call call)
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
        DisplaySettings s;
        s.bgColor = colors::Navy;
        std::optional<QString> error;
        EXPECT_TRUE(endsWithoutBlocking(fifo, [&] {
            loadDisplaySettings(path, s);
            error = saveError(path, s);
        })) << path.toStdString();
        EXPECT_EQ(s.bgColor, colors::White);
        EXPECT_EQ(error, cannotWrite(path));
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
        putFile(path, bytes);
        QStringList errors;
        {
            DisplaySettingsStore store(path);
            if (const std::optional<QString> error = store.load())
                errors << *error;
            EXPECT_EQ(store.settings().bgColor, size > MaxProfileFileBytes ? colors::White : colors::Navy) << size;
            if (const std::optional<QString> error = store.save())
                errors << *error;
        }
        QStringList expected;
        if (size > MaxProfileFileBytes)
            expected << path + QStringLiteral(" は大きすぎるため読み込めません");
        // One that is read is still not made larger than what is read.
        expected << path + QStringLiteral(" は大きすぎるため書き込みません");
        EXPECT_EQ(errors, expected) << size;
        EXPECT_TRUE(fileBytes(path) == bytes) << size;
    }
}

TEST(NoSettingsFileTest, AUtf16FileIsReadAndWrittenBackInItsEncoding)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    const QString text = QStringLiteral("; メモ\r\n[general]\r\nBGColor=clNavy\r\n[mine]\r\n名前=値\r\n");
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encode(encoding, QStringConverter::Flag::WriteBom);
        putFile(path, encode(text));
        const Loaded first = load(path);
        EXPECT_EQ(first.settings.bgColor, colors::Navy);
        saveDisplaySettings(path, first.settings);

        const QByteArray saved = fileBytes(path);
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
        const Loaded again = load(path);
        EXPECT_EQ(again.error, std::nullopt);
        EXPECT_EQ(difference(first, again), QString());
    }
}

} // namespace
