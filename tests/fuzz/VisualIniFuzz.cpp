// Fuzz target for the settings file: each input is a whole Visual.ini, loaded
// as at start-up, saved as at exit and loaded back.
//
// Not part of the CMake build: scripts/fuzz [seconds] compiles it with clang's
// libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/,
// writes a seed corpus with the same source built as a plain program
// (VELMORA_FUZZ_SEEDER), and runs it. A broken rule traps; libFuzzer then keeps
// the input under build-fuzz/artifacts/, and
//     build-fuzz/visual_ini_fuzz build-fuzz/artifacts/crash-...
// runs that one input again.
//
// The rules, for every input:
// - loading ends normally or with ConvertError, nothing else;
// - every pen afterwards has a width of 0 or more;
// - a load that ends without error has given the count box its count;
// - saving into the fuzzer's own directory succeeds;
// - the saved file loads without error and gives back the same settings, and
//   the count the box held (it brings what it is given into 2..99) unchanged.

#include "display/VisualIni.h"
#include "platform/ColorText.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace {

constexpr int MinVertLines = 2;
constexpr int MaxVertLines = 99;

bool put(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size);
}

} // namespace

#ifndef VELMORA_FUZZ_SEEDER

namespace {

struct Loaded {
    DisplaySettings Settings;
    std::optional<QString> Error;
    std::optional<int> Given; // what reached the count box
    int Count = MinVertLines; // the count box: a new window's value until the file gives one
};

Loaded load(const QString &path)
{
    Loaded out;
    const VisualIniControls controls{
        [](bool) {},
        [&out](int count) {
            out.Given = count;
            out.Count = std::clamp(count, MinVertLines, MaxVertLines);
        },
    };
    try {
        loadDisplaySettings(path, out.Settings, controls);
    } catch (const ConvertError &e) {
        out.Error = e.message();
    }
    return out;
}

bool sameSettings(const Loaded &a, const Loaded &b)
{
    const DisplaySettings &x = a.Settings;
    const DisplaySettings &y = b.Settings;
    return x.bgColor == y.bgColor && x.axisPen == y.axisPen && x.mainWavePen == y.mainWavePen
        && x.vertLinePen == y.vertLinePen && x.visibleVertLines == y.visibleVertLines && x.wavePens == y.wavePens
        && a.Count == b.Count;
}

[[noreturn]] void violated(const char *rule, const QString &detail = QString())
{
    std::fprintf(stderr, "Visual.ini rule broken: %s %s\n", rule, qPrintable(detail));
    __builtin_trap();
}

void require(bool kept, const char *rule, const QString &detail = QString())
{
    if (!kept)
        violated(rule, detail);
}

// A directory of the process's own: under VELMORA_FUZZ_TMP when set (the
// script removes that afterwards, with whatever a crash left behind), else on
// tmpfs where there is one, as the file is saved thousands of times a second.
QString tempTemplate()
{
    QString base = qEnvironmentVariable("VELMORA_FUZZ_TMP");
    if (base.isEmpty())
        base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return base + QStringLiteral("/velmora-fuzz-XXXXXX");
}

void checkOneFile(const QString &path)
{
    const Loaded first = load(path);
    auto widthOk = [](const Pen &p) { return p.width >= 0; };
    require(widthOk(first.Settings.axisPen) && widthOk(first.Settings.mainWavePen)
                && widthOk(first.Settings.vertLinePen)
                && std::all_of(first.Settings.wavePens.begin(), first.Settings.wavePens.end(), widthOk),
            "every pen has a width of 0 or more");
    require(first.Error || first.Given, "a load without error sets the count box");

    try {
        saveDisplaySettings(path, first.Settings, first.Count);
    } catch (const ProfileWriteError &e) {
        violated("saving into a writable directory succeeds:", e.message());
    }

    const Loaded again = load(path);
    require(!again.Error, "the saved file loads without error:", again.Error.value_or(QString()));
    require(again.Given == first.Count, "the saved count, 2..99, reads back as it was saved");
    require(sameSettings(first, again), "the saved file gives back the same settings");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir(tempTemplate());
    static const QString path = dir.filePath(QStringLiteral("Visual.ini"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a directory from %s\n", qPrintable(tempTemplate()));
        std::abort();
    }
    if (!put(path, data, size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    checkOneFile(path);
    return 0;
}

#else

// Writes the seed corpus into the directory given: the file a run without one
// leaves behind, one with settings of every kind, and some damaged copies.
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const auto read = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const auto write = [&out](const char *name, const QByteArray &bytes) {
        const QString path = out.filePath(QLatin1String(name));
        if (!put(path, reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
    };

    const QString defaultPath = out.filePath(QStringLiteral("default.ini"));
    QFile::remove(defaultPath);
    saveDisplaySettings(defaultPath, DisplaySettings(), MinVertLines);
    const QByteArray plain = read(defaultPath);

    DisplaySettings varied;
    varied.bgColor = 0x00FF8000;
    varied.axisPen = {colors::SystemColor + 15, 3, 0};
    varied.mainWavePen = {colors::None, 4, 5};
    varied.vertLinePen = {0xFFFFFFFF, 1, 2};
    varied.visibleVertLines = true;
    for (int k = 0; k <= CustomWavePenCount; ++k)
        varied.wavePens[std::size_t(k)] = {Color(0x00010203 * Color(k)), k % 5, k % 6};
    const QString variedPath = out.filePath(QStringLiteral("varied.ini"));
    QFile::remove(variedPath);
    saveDisplaySettings(variedPath, varied, MaxVertLines);

    QByteArray crlf = plain;
    write("crlf.ini", crlf.replace("\n", "\r\n"));
    QByteArray cr = plain;
    write("cr.ini", cr.replace('\n', '\r'));
    write("cut.ini", plain.left(plain.size() / 2));
    write("cut-after-equals.ini", plain.left(plain.indexOf('=') + 1));
    QByteArray bad = plain;
    write("bad-colour.ini", bad.replace("AxisColor=clSilver", "AxisColor=xyz"));
    QByteArray limits = plain;
    write("limits.ini",
          limits.replace("AxisWidth=1", "AxisWidth=2147483648")
              .replace("MainWaveColor=clBlack", "MainWaveColor=$100000000")
              .replace("NumOfVertLines=2", "NumOfVertLines=-2147483649")
              .replace("DefaultColor=clRed", "DefaultColor=$FFFFFFFF"));
    QByteArray hex = plain;
    write("hex.ini", hex.replace("BGColor=clWhite", "BGColor=0x").replace("Width=1", "Width=$"));
    write("duplicate.ini", plain + "\n[GENERAL]\nbgcolor = CLBLUE \nBGColor=clLime\n[wave3]\nColor=-$1\n");
    write("unknown.ini", "; notes\n[velmora-test]\nmarker=keep-me\n" + plain + "[other]\nx=1\n");
    QByteArray nul = plain;
    write("nul.ini", nul.replace("clRed", QByteArray("cl\0Red", 6)));
    QByteArray noEquals = plain;
    write("no-equals.ini", noEquals.replace("Style=0", "Style 0"));
    QByteArray empty = plain;
    write("empty-values.ini", empty.replace("=clSilver", "="));
    write("empty.ini", QByteArray());
    return 0;
}

#endif
