#include "display/VisualIni.h"

#include "platform/ColorText.h"
#include "platform/IniConvert.h"
#include "platform/ProfileFile.h"

#include <QCoreApplication>

namespace {

const QString General = QStringLiteral("general");

QString WaveSection(int k)
{
    return QStringLiteral("wave%1").arg(k);
}

class TSettingsReader {
public:
    // One read of the file serves every key. A file that cannot be read
    // reads as missing, key by key.
    explicit TSettingsReader(const QString &path)
        : file_(path)
        , state_(file_.ReadOnce())
    {
    }

    bool TooLarge() const { return state_ == TProfileFileState::TooLarge; }

    TColor Color(const QString &section, const QString &key, const QString &defaultText) const
    {
        return StringToColorOrThrow(file_.ReadString(section, key, defaultText));
    }

    int Integer(const QString &section, const QString &key, int defaultValue) const
    {
        return ParseIniInteger(file_.ReadString(section, key, QString::number(defaultValue))).value_or(defaultValue);
    }

    bool Boolean(const QString &section, const QString &key, bool defaultValue) const
    {
        return ParseIniBoolean(file_.ReadString(section, key, IniBooleanText(defaultValue))).value_or(defaultValue);
    }

private:
    TProfileFile file_;
    TProfileFileState state_;
};

void SetWidth(TPen &pen, int width)
{
    // A negative width is ignored; what counts is the width of a pen made
    // for loading, 1.
    pen.Width = width >= 0 ? width : TPen{}.Width;
}

// Width, colour and style keys of one pen, read in this order.
void ReadPen(const TSettingsReader &ini, const QString &section, const QString &prefix, TPen &pen, const TPen &defaults)
{
    SetWidth(pen, ini.Integer(section, prefix + QStringLiteral("Width"), defaults.Width));
    pen.Color = ini.Color(section, prefix + QStringLiteral("Color"), ColorToString(defaults.Color));
    pen.Style = ini.Integer(section, prefix + QStringLiteral("Style"), defaults.Style);
}

void WritePen(TProfileFile &ini, const QString &section, const QString &prefix, const TPen &pen)
{
    ini.WriteString(section, prefix + QStringLiteral("Width"), QString::number(pen.Width));
    ini.WriteString(section, prefix + QStringLiteral("Color"), ColorToString(pen.Color));
    ini.WriteString(section, prefix + QStringLiteral("Style"), QString::number(pen.Style));
}

} // namespace

QString VisualIniPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Visual.ini");
}

void LoadDisplaySettings(const QString &path, TDisplaySettings &s, const TVisualIniControls &controls)
{
    const TSettingsReader ini(path);
    const TDisplaySettings defaults;

    s.SetBGColor(ini.Color(General, QStringLiteral("BGColor"), ColorToString(defaults.BGColor)));
    ReadPen(ini, General, QStringLiteral("Axis"), s.AxisPen, defaults.AxisPen);
    ReadPen(ini, General, QStringLiteral("MainWave"), s.MainWavePen, defaults.MainWavePen);
    ReadPen(ini, General, QStringLiteral("VertLine"), s.VertLinePen, defaults.VertLinePen);

    s.VisibleVertLines = ini.Boolean(General, QStringLiteral("VisibleVertLines"), defaults.VisibleVertLines);
    if (controls.ShowVisibleVertLines)
        controls.ShowVisibleVertLines(s.VisibleVertLines);
    const int numOfVertLines = ini.Integer(General, QStringLiteral("NumOfVertLines"), defaults.NumOfVertLines());
    if (controls.SetNumOfVertLines)
        controls.SetNumOfVertLines(numOfVertLines);

    ReadPen(ini, General, QStringLiteral("Default"), s.WavePens[0], defaults.WavePens[0]);

    // Each mode's pen defaults to the default pen as the file has just given it.
    for (int k = 1; k <= CustomWavePenCount; ++k)
        ReadPen(ini, WaveSection(k), QString(), s.WavePens[std::size_t(k)], s.WavePens[0]);
    if (ini.TooLarge())
        throw TProfileReadError(path);
}

void SaveDisplaySettings(const QString &path, const TDisplaySettings &s, int numOfVertLines)
{
    TProfileFile ini(path);
    // Every key goes to disk in one replacement of the file, so a save cut
    // short leaves the old file whole.
    ini.BeginUpdate();
    ini.WriteString(General, QStringLiteral("BGColor"), ColorToString(s.BGColor));
    WritePen(ini, General, QStringLiteral("Axis"), s.AxisPen);
    WritePen(ini, General, QStringLiteral("MainWave"), s.MainWavePen);
    WritePen(ini, General, QStringLiteral("VertLine"), s.VertLinePen);
    ini.WriteString(General, QStringLiteral("VisibleVertLines"), IniBooleanText(s.VisibleVertLines));
    ini.WriteString(General, QStringLiteral("NumOfVertLines"), QString::number(numOfVertLines));
    WritePen(ini, General, QStringLiteral("Default"), s.WavePens[0]);
    for (int k = 1; k <= CustomWavePenCount; ++k)
        WritePen(ini, WaveSection(k), QString(), s.WavePens[std::size_t(k)]);
    ini.EndUpdate();
}
