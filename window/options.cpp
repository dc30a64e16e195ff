#include "options.h"

#include "language.h"
#include "readback.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

StartOptions failure(const QString &program, const QString &what)
{
    StartOptions o;
    o.action = StartOptions::Fail;
    o.message = QStringLiteral("%1: %2\nTry '%1 --help'.").arg(program, what);
    return o;
}

// Qt's own options (QGuiApplication, QApplication and the X11 platform),
// known here so that an option neither Qt nor the program takes is
// reported before a window is tried, display or not.  QApplication takes
// them out of the arguments itself.
const char *const kQtOptionsWithValue[] = {"platform",      "platformpluginpath",
                                           "platformtheme", "plugin",
                                           "qmljsdebugger", "qwindowgeometry",
                                           "geometry",      "qwindowicon",
                                           "icon",          "qwindowtitle",
                                           "title",         "style",
                                           "stylesheet",    "session",
                                           "display",       "name",
                                           "visual"};
const char *const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

void addQtOptions(QCommandLineParser &parser)
{
    for (const char *name : kQtOptionsWithValue) {
        QCommandLineOption o(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
    for (const char *name : kQtFlags) {
        QCommandLineOption o(QString::fromLatin1(name));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
}

// The options every program takes, besides its own and Qt's.
struct CommonOptions
{
    QCommandLineOption help, version, lang, port, noVerify;
};

// Sets the parser up; the order of the options is the order of --help.
CommonOptions addOptions(QCommandLineParser &parser, const ProgramOptions &program)
{
    // Qt's own options are single-dash words (-stylesheet, -reverse); read
    // them as compacted letters and they would pass for -h or -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(program.about);
    // Not addHelpOption(): its --help-all promises a list of Qt's own
    // options, which help given before QApplication exists cannot show.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Language of the window: %1. Overrides the environment variable %2.")
                                      .arg(languageChoices(), QLatin1String(kLangVariable)),
                                  knownLanguages().join(QLatin1Char('|')));
    parser.addOption(lang);
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Serial port to preselect, by name (ttyUSB0) or device path "
                                                 "(/dev/serial/by-id/...). A path the system does not list "
                                                 "is added to the list."),
                                  QStringLiteral("name"));
    if (program.offersPort)
        parser.addOption(port);
    for (const QCommandLineOption &extra : program.extraOptions)
        parser.addOption(extra);
    const QCommandLineOption noVerify(
        QStringLiteral("no-verify"),
        QStringLiteral("Do not read the settings back after a write, load or reset (the environment variable "
                       "%1=0 does the same): the line then carries only the frames and \"WWW\". For a "
                       "transmitter that does not answer a read right after a write, or to watch the bare "
                       "write on the line.")
            .arg(QLatin1String(kVerifyVariable)));
    parser.addOption(noVerify);
    addQtOptions(parser);
    return {help, version, lang, port, noVerify};
}

// What a start that runs takes from a parsed command line and the
// environment; a failure when a value is not accepted.
StartOptions runOptions(const QCommandLineParser &parser, const CommonOptions &common, const QString &name,
                        const QString &envLang, const ProgramOptions &program, bool qtOptionsTaken)
{
    StartOptions o;
    const bool fromOption = parser.isSet(common.lang);
    const QString language = fromOption ? parser.value(common.lang) : envLang;
    if ((fromOption || !language.isEmpty()) && !parseLanguage(language, &o.language))
        return failure(
            name, languageError(language, fromOption ? QStringLiteral("--lang") : QString::fromLatin1(kLangVariable)));
    if (program.offersPort)
        o.port = parser.value(common.port);
    const QString envVerify = qEnvironmentVariable(kVerifyVariable);
    if (!envVerify.isEmpty() && envVerify != QLatin1String("0") && envVerify != QLatin1String("1"))
        return failure(name, QStringLiteral("unknown value '%1' in %2; accepted values: 0, 1")
                                 .arg(envVerify, QLatin1String(kVerifyVariable)));
    o.verify = !parser.isSet(common.noVerify) && envVerify != QLatin1String("0");
    for (const QCommandLineOption &extra : program.extraOptions)
        if (parser.isSet(extra))
            o.extra.insert(extra.names().first(), extra.valueName().isEmpty() ? QString() : parser.value(extra));
    if (qtOptionsTaken && !parser.positionalArguments().isEmpty())
        return failure(name, QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    return o;
}

}  // namespace

StartOptions parseStartOptions(const QStringList &args, const QString &envLang, const ProgramOptions &program,
                               bool qtOptionsTaken)
{
    const QString name = QFileInfo(args.value(0, QStringLiteral("zqconfig"))).fileName();
    QCommandLineParser parser;
    const CommonOptions common = addOptions(parser, program);
    const bool parsed = parser.parse(args);
    StartOptions o;
    if (parser.isSet(common.help)) {
        o.action = StartOptions::ShowHelp;
        if (QCoreApplication::instance())
            o.message = parser.helpText();
        return o;
    }
    if (parser.isSet(common.version)) {
        o.action = StartOptions::ShowVersion;
        o.message =
            QStringLiteral("%1 %2 (Qt %3)\n").arg(name, QStringLiteral(ZQ_VERSION), QString::fromLatin1(qVersion()));
        return o;
    }
    if (!parsed)
        return failure(name, parser.errorText());
    return runOptions(parser, common, name, envLang, program, qtOptionsTaken);
}

int reportStartOptions(const StartOptions &options)
{
    const QByteArray text = options.message.toLocal8Bit();
    std::fputs(text.constData(), options.action == StartOptions::Fail ? stderr : stdout);
    if (options.action == StartOptions::Fail) {
        std::fputc('\n', stderr);
        return 2;
    }
    return 0;
}

bool answeredWithoutWindow(int &argc, char **argv, const ProgramOptions &program, int *status)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString envLang = qEnvironmentVariable(kLangVariable);
    if (parseStartOptions(args, envLang, program, false).action == StartOptions::Run)
        return false;
    // A core application is enough for the help text and needs no display.
    QCoreApplication app(argc, argv);
    *status = reportStartOptions(parseStartOptions(app.arguments(), envLang, program, false));
    return true;
}
