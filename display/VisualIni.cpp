#include "display/VisualIni.h"

#include "platform/ColorText.h"
#include "platform/IniConvert.h"
#include "platform/ProfileFile.h"

#include <QCoreApplication>

namespace {

const QString General = QStringLiteral("general");

QString waveSection(int k)
{
    return QStringLiteral("wave%1").arg(k);
}

class SettingsReader {
public:
    // One read of the file serves every key. A file that cannot be read
    // reads as missing, key by key.
    explicit SettingsReader(const QString &path)
        : file_(path)
        , state_(file_.readOnce())
    {
    }

    bool tooLarge() const { return state_ == ProfileFileState::TooLarge; }

    Color color(const QString &section, const QString &key, const QString &defaultText) const
    {
        return stringToColorOrThrow(file_.readString(section, key, defaultText));
    }

    int integer(const QString &section, const QString &key, int defaultValue) const
    {
        return parseIniInteger(file_.readString(section, key, QString::number(defaultValue))).value_or(defaultValue);
    }

    bool boolean(const QString &section, const QString &key, bool defaultValue) const
    {
        return parseIniBoolean(file_.readString(section, key, iniBooleanText(defaultValue))).value_or(defaultValue);
    }

private:
    ProfileFile file_;
    ProfileFileState state_;
};

void setWidth(Pen &pen, int width)
{
    // A negative width is ignored; what counts is the width of a pen made
    // for loading, 1.
    pen.width = width >= 0 ? width : Pen{}.width;
}

// Width, colour and style keys of one pen, read in this order.
void readPen(const SettingsReader &ini, const QString &section, const QString &prefix, Pen &pen, const Pen &defaults)
{
    setWidth(pen, ini.integer(section, prefix + QStringLiteral("Width"), defaults.width));
    pen.color = ini.color(section, prefix + QStringLiteral("Color"), colorToString(defaults.color));
    pen.style = ini.integer(section, prefix + QStringLiteral("Style"), defaults.style);
}

void writePen(ProfileFile &ini, const QString &section, const QString &prefix, const Pen &pen)
{
    ini.writeString(section, prefix + QStringLiteral("Width"), QString::number(pen.width));
    ini.writeString(section, prefix + QStringLiteral("Color"), colorToString(pen.color));
    ini.writeString(section, prefix + QStringLiteral("Style"), QString::number(pen.style));
}

} // namespace

QString visualIniPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Visual.ini");
}

void loadDisplaySettings(const QString &path, DisplaySettings &s)
{
    const SettingsReader ini(path);
    const DisplaySettings defaults;

    s.bgColor = ini.color(General, QStringLiteral("BGColor"), colorToString(defaults.bgColor));
    readPen(ini, General, QStringLiteral("Axis"), s.axisPen, defaults.axisPen);
    readPen(ini, General, QStringLiteral("MainWave"), s.mainWavePen, defaults.mainWavePen);
    readPen(ini, General, QStringLiteral("VertLine"), s.vertLinePen, defaults.vertLinePen);

    s.visibleVertLines = ini.boolean(General, QStringLiteral("VisibleVertLines"), defaults.visibleVertLines);
    s.numOfVertLines = ini.integer(General, QStringLiteral("NumOfVertLines"), defaults.numOfVertLines);

    readPen(ini, General, QStringLiteral("Default"), s.wavePens[0], defaults.wavePens[0]);

    // Each mode's pen defaults to the default pen as the file has just given it.
    for (int k = 1; k <= CustomWavePenCount; ++k)
        readPen(ini, waveSection(k), QString(), s.wavePens[std::size_t(k)], s.wavePens[0]);
    if (ini.tooLarge())
        throw ProfileReadError(path);
}

void saveDisplaySettings(const QString &path, const DisplaySettings &s)
{
    ProfileFile ini(path);
    // Every key goes to disk in one replacement of the file, so a save cut
    // short leaves the old file whole.
    ini.beginUpdate();
    ini.writeString(General, QStringLiteral("BGColor"), colorToString(s.bgColor));
    writePen(ini, General, QStringLiteral("Axis"), s.axisPen);
    writePen(ini, General, QStringLiteral("MainWave"), s.mainWavePen);
    writePen(ini, General, QStringLiteral("VertLine"), s.vertLinePen);
    ini.writeString(General, QStringLiteral("VisibleVertLines"), iniBooleanText(s.visibleVertLines));
    ini.writeString(General, QStringLiteral("NumOfVertLines"), QString::number(s.numOfVertLines));
    writePen(ini, General, QStringLiteral("Default"), s.wavePens[0]);
    for (int k = 1; k <= CustomWavePenCount; ++k)
        writePen(ini, waveSection(k), QString(), s.wavePens[std::size_t(k)]);
    ini.endUpdate();
}
