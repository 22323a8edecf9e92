#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// The options QGuiApplication and QApplication take for themselves.
void acceptQtOptions(QCommandLineParser &parser)
{
    const char *const withValue[] = {"platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
                                     "qwindowicon", "qwindowtitle",       "session",       "display", "style",
                                     "stylesheet",  "qmljsdebugger",      "name",          "title",   "geometry"};
    const char *const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's options are spelled with one dash, as X programs always did.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "両端を固定した弦の振動を、基準振動の重ね合わせとしてアニメーションで示します。"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    acceptQtOptions(parser);

    if (!parser.parse(arguments))
        return {CommandLine::Action::Fail, parser.errorText() + QStringLiteral("\n\n") + parser.helpText()};
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return {CommandLine::Action::ShowHelp, parser.helpText()};
    if (parser.isSet(version))
        return {CommandLine::Action::ShowVersion,
                QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n'};
    if (!parser.positionalArguments().isEmpty())
        return {CommandLine::Action::Fail,
                QCoreApplication::translate("CommandLine", "余分な引数があります: %1")
                        .arg(parser.positionalArguments().join(u' '))
                    + QStringLiteral("\n\n") + parser.helpText()};
    return {};
}

int exitCodeOf(const CommandLine &command)
{
    return command.action == CommandLine::Action::Fail ? 2 : 0;
}
