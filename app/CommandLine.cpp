#include "app/CommandLine.h"

#include "platform/PictureSize.h"
#include "platform/StrToInt.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The options QGuiApplication and QApplication take for themselves, listed
// only by --help-all.
void acceptQtOptions(QCommandLineParser &parser, bool listed)
{
    const char *const withValue[] = {"platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
                                     "qwindowicon", "qwindowtitle",       "session",       "display", "style",
                                     "stylesheet",  "qmljsdebugger",      "name",          "title",   "geometry"};
    const char *const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        if (!listed)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        if (!listed)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// A double-clicked lesson may have lost its extension on the way; a file that
// is there is tried, and refused with a message if it is no lesson.
bool isLesson(const QStringList &positional)
{
    if (positional.size() != 1)
        return false;
    const QString &arg = positional.constFirst();
    const QFileInfo file(arg);
    return arg.endsWith(QStringLiteral(".velmora"), Qt::CaseInsensitive) || (file.exists() && !file.isDir());
}

struct Options {
    QCommandLineOption help, version, lang, exportPng, exportAmplitudes, size, exportGif, frames;
};

Options describe(QCommandLineParser &parser, bool listQtOptions)
{
    // Qt's options are spelled with one dash, as X programs always did.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "両端を固定した弦の振動を、基準振動の重ね合わせとしてアニメーションで示します。"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QCoreApplication::translate("CommandLine",
                                    "画面の言語: ja (日本語) または en (英語)。既定はシステムの言語です。"),
        QStringLiteral("ja|en"));
    parser.addOption(lang);
    const QCommandLineOption exportPng(
        QStringLiteral("export-png"),
        QCoreApplication::translate("CommandLine",
                                    "レッスン (なければ起動時の状態) の画面を PNG ファイルに保存して終了します"),
        QStringLiteral("file.png"));
    parser.addOption(exportPng);
    const QCommandLineOption size(
        QStringLiteral("size"),
        QCoreApplication::translate("CommandLine", "--export-png と --export-gif の画像の大きさ (幅x高さ、ピクセル)"),
        QStringLiteral("WIDTHxHEIGHT"));
    parser.addOption(size);
    const QCommandLineOption exportAmplitudes(
        QStringLiteral("export-amplitudes"),
        QCoreApplication::translate("CommandLine",
                                    "レッスン (なければ起動時の状態) の各波の振幅を CSV ファイルに保存して終了します"),
        QStringLiteral("file.csv"));
    parser.addOption(exportAmplitudes);
    const QCommandLineOption exportGif(
        QStringLiteral("export-gif"),
        QCoreApplication::translate(
            "CommandLine",
            "レッスン (なければ起動時の状態) の1周期のアニメーションを GIF ファイルに保存して終了します"),
        QStringLiteral("file.gif"));
    parser.addOption(exportGif);
    const QCommandLineOption frames(
        QStringLiteral("frames"),
        QCoreApplication::translate("CommandLine", "--export-gif のコマ数 (%1〜%2、既定 %3)")
            .arg(MinPeriodFrames)
            .arg(MaxPeriodFrames)
            .arg(DefaultPeriodFrames),
        QStringLiteral("N"));
    parser.addOption(frames);
    parser.addPositionalArgument(QStringLiteral("lesson"),
                                 QCoreApplication::translate("CommandLine", "始めに開くレッスンのファイル (.velmora)"),
                                 QStringLiteral("[lesson.velmora]"));
    acceptQtOptions(parser, listQtOptions);
    return {help, version, lang, exportPng, exportAmplitudes, size, exportGif, frames};
}

// Usage errors of the exports are one line, as they are meant for scripts.
CommandLine exportCommand(const QCommandLineParser &parser, const Options &options, CommandLine result)
{
    const auto fail = [&result](const QString &line) {
        result.action = CommandLine::Action::Fail;
        result.text = line + u'\n';
        return result;
    };
    const bool picture = parser.isSet(options.exportPng) || parser.isSet(options.exportGif);
    // An empty name (a script's variable left unset) would write nothing and
    // still succeed.
    for (const QCommandLineOption *file : {&options.exportPng, &options.exportGif, &options.exportAmplitudes})
        if (parser.isSet(*file) && parser.value(*file).isEmpty())
            return fail(QCoreApplication::translate("CommandLine", "--%1 にファイル名がありません")
                            .arg(file->names().constFirst()));
    if (parser.isSet(options.exportPng) && !parser.isSet(options.size))
        return fail(QCoreApplication::translate("CommandLine", "--export-png と --size は一緒に指定してください"));
    if (parser.isSet(options.exportGif) && !parser.isSet(options.size))
        return fail(QCoreApplication::translate("CommandLine", "--export-gif と --size は一緒に指定してください"));
    if (parser.isSet(options.size) && !picture)
        return fail(QCoreApplication::translate("CommandLine",
                                                "--size は --export-png か --export-gif と一緒に指定してください"));
    if (parser.isSet(options.frames) && !parser.isSet(options.exportGif))
        return fail(QCoreApplication::translate("CommandLine", "--frames は --export-gif と一緒に指定してください"));
    if (parser.isSet(options.size)) {
        const std::optional<QSize> pixels = pictureSizeNamed(parser.value(options.size));
        if (!pixels)
            return fail(QCoreApplication::translate("CommandLine",
                                                    "画像の大きさ '%1' が正しくありません。幅x高さ (1〜%2) "
                                                    "で指定してください (例: 800x600)")
                            .arg(parser.value(options.size))
                            .arg(MaxPictureSide));
        result.exports.size = *pixels;
    }
    if (parser.isSet(options.frames)) {
        const std::optional<int> count = tryStrToInt(parser.value(options.frames));
        if (!count || *count < MinPeriodFrames || *count > MaxPeriodFrames)
            return fail(
                QCoreApplication::translate("CommandLine", "コマ数 '%1' が正しくありません。%2〜%3 で指定してください")
                    .arg(parser.value(options.frames))
                    .arg(MinPeriodFrames)
                    .arg(MaxPeriodFrames));
        result.exports.frames = *count;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return fail(QCoreApplication::translate("CommandLine", "余分な引数があります: %1").arg(positional.join(u' ')));
    result.action = CommandLine::Action::Export;
    result.exports.png = parser.value(options.exportPng);
    result.exports.amplitudes = parser.value(options.exportAmplitudes);
    result.exports.gif = parser.value(options.exportGif);
    if (!positional.isEmpty())
        result.exports.lesson = positional.constFirst();
    return result;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options = describe(parser, false);
    const auto &[help, version, lang, exportPng, exportAmplitudes, size, exportGif, frames] = options;

    if (!parser.parse(arguments))
        return {CommandLine::Action::Fail, parser.errorText() + QStringLiteral("\n\n") + parser.helpText(), {}, {}, {}};
    CommandLine result;
    if (parser.isSet(lang)) {
        result.language = languageNamed(parser.value(lang));
        if (!result.language)
            return {CommandLine::Action::Fail,
                    QCoreApplication::translate("CommandLine", "言語 '%1' はありません。ja か en を指定してください")
                            .arg(parser.value(lang))
                        + QStringLiteral("\n\n") + parser.helpText(),
                    {},
                    {},
                    {}};
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        QCommandLineParser everything;
        describe(everything, true);
        result.action = CommandLine::Action::ShowHelp;
        result.text = everything.helpText();
    } else if (parser.isSet(help)) {
        result.action = CommandLine::Action::ShowHelp;
        result.text = parser.helpText();
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Action::ShowVersion;
        result.text = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
    } else if (parser.isSet(exportPng) || parser.isSet(exportAmplitudes) || parser.isSet(exportGif)
               || parser.isSet(size) || parser.isSet(frames)) {
        return exportCommand(parser, options, std::move(result));
    } else if (isLesson(parser.positionalArguments())) {
        result.lesson = parser.positionalArguments().constFirst();
    } else if (!parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Action::Fail;
        result.text = QCoreApplication::translate("CommandLine", "余分な引数があります: %1")
                          .arg(parser.positionalArguments().join(u' '))
            + QStringLiteral("\n\n") + parser.helpText();
    }
    return result;
}

int exitCodeOf(const CommandLine &command)
{
    return command.action == CommandLine::Action::Fail ? 2 : 0;
}
