// zqconfig-file: shows, compares, converts and checks the transmitter's
// configuration files without the window, the transmitter or a display.

#include "filereport.h"
#include "formatdoc.h"
#include "language.h"
#include "settingstable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

const char kHelp[] =
    "Usage: zqconfig-file [--lang en|zh] COMMAND [ARGUMENT]...\n"
    "Show, compare, convert and check the transmitter's configuration files\n"
    "(the 324-character files the window's Save button writes and its Load\n"
    "button reads), without the window, the transmitter or a display.\n"
    "\n"
    "Commands:\n"
    "  show [--no-filename] FILE\n"
    "                       print every setting page by page with the window's\n"
    "                       label, the value as the page shows it and its unit;\n"
    "                       a value that a load would change is followed by\n"
    "                       \"->\" and the value it becomes; the first line names\n"
    "                       the frames the file lacks (a load keeps the current\n"
    "                       settings of those)\n"
    "  diff A B             print the settings in which A and B differ, one per\n"
    "                       line: label, A's value, B's value; after a header\n"
    "                       naming A (---) and B (+++), as diff -u has it\n"
    "  export FILE          print the settings as one JSON object: the model's\n"
    "                       field names, plain numbers (voltages in volts,\n"
    "                       per-channel dual rates, exponentials, trims and\n"
    "                       trim steps as arrays of four); only the frames the\n"
    "                       file holds, a value a load repairs as repaired\n"
    "  import JSON OUTFILE  write the configuration file for a JSON object as\n"
    "                       export prints it; every field of each frame it\n"
    "                       names must be present and in range, otherwise\n"
    "                       nothing is written; a frame it leaves out is\n"
    "                       written as a row of '-', which a load skips\n"
    "  factory OUTFILE      write the factory configuration\n"
    "  check FILE...        print one line per file: fine, repaired (what a load\n"
    "                       would change) or short (which frames are missing);\n"
    "                       a file that is unreadable, with the reason, goes to\n"
    "                       standard error\n"
    "\n"
    "A FILE or JSON of \"-\" is read from standard input, an OUTFILE of \"-\" is\n"
    "written to standard output.  Inputs larger than 1 MiB are refused.  An\n"
    "OUTFILE is replaced as a whole or not at all and keeps its permissions;\n"
    "a device, a named pipe or a socket is written to, never replaced (a\n"
    "named pipe is given 3 seconds to find a reader).\n"
    "\n"
    "Options:\n"
    "  --lang en|zh         labels in English or Chinese (default: zh, or the\n"
    "                       environment variable ZQCONFIG_LANG)\n"
    "  --no-filename        show: leave the file's name out of the first line,\n"
    "                       so that the output depends on the content alone\n"
    "                       (git's textconv passes a temporary file name)\n"
    "  -h, --help           print this help and exit\n"
    "  -v, --version        print the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  success; diff: the files hold the same settings; check: every file\n"
    "     is fine\n"
    "  1  diff: the settings differ; check: a file is repaired or short\n"
    "  2  an error: a file that cannot be read or written, is empty, is not a\n"
    "     configuration file or not JSON, a JSON field that is missing,\n"
    "     unknown, of the wrong type or out of range, or a wrong command line;\n"
    "     one line on standard error names the file and the cause\n"
    "\n"
    "Environment:\n"
    "  ZQCONFIG_LANG        en or zh, as --lang\n";

void print(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int fail(const QString &what, const QString &why)
{
    QString text = QStringLiteral("zqconfig-file: ") + what + QStringLiteral(": ") + why;
    // One line, whatever a file name holds.
    for (QChar &c : text)
        if (c.unicode() < 0x20)
            c = QLatin1Char('?');
    const QByteArray line = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    return 2;
}

int usage(const QString &why)
{
    return fail(why, QStringLiteral("try 'zqconfig-file --help'"));
}

// What the command line asks of a command besides its arguments.
struct Call
{
    QStringList args;
    bool withFileName = true;
};

// Reads a configuration file; false after reporting why it is none.
bool loadConfig(const QString &path, ConfigFileRead &read, const QString &prefix = QString())
{
    QByteArray bytes;
    QString error;
    if (!readInput(path, bytes, error)) {
        fail(path, prefix + error);
        return false;
    }
    read = readConfigFile(bytes);
    if (!read.any()) {
        fail(path, prefix + QStringLiteral("not a configuration file (no S, G, H or I frame in place)"));
        return false;
    }
    return true;
}

int writeTo(const QString &path, const QByteArray &content)
{
    if (path == QLatin1String("-")) {
        std::fwrite(content.constData(), 1, size_t(content.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : fail(path, QStringLiteral("cannot write to standard output"));
    }
    QString error;
    return writeOutput(path, content, error) ? 0 : fail(path, error);
}

int showCommand(const Call &call)
{
    ConfigFileRead f;
    if (!loadConfig(call.args[0], f))
        return 2;
    print(showConfig(f, call.withFileName ? call.args[0] : QString()));
    return 0;
}

int diffCommand(const Call &call)
{
    ConfigFileRead a, b;
    if (!loadConfig(call.args[0], a) || !loadConfig(call.args[1], b))
        return 2;
    const QStringList lines = diffConfigs(a, b);
    // Which file is which, as diff -u says it; nothing when they agree.
    if (!lines.isEmpty())
        print(QStringLiteral("--- %1\n+++ %2\n").arg(call.args[0], call.args[1]));
    for (const QString &l : lines)
        print(l + QLatin1Char('\n'));
    return lines.isEmpty() ? 0 : 1;
}

int exportCommand(const Call &call)
{
    ConfigFileRead f;
    if (!loadConfig(call.args[0], f))
        return 2;
    print(QString::fromUtf8(exportJson(f)));
    return 0;
}

int importCommand(const Call &call)
{
    QByteArray json, content;
    QString error;
    if (!readInput(call.args[0], json, error) || !importJson(json, content, error))
        return fail(call.args[0], error);
    return writeTo(call.args[1], content);
}

int factoryCommand(const Call &call)
{
    return writeTo(call.args[0], configFileOf(factoryModel()));
}

int checkCommand(const Call &call)
{
    int status = 0;
    for (const QString &path : call.args) {
        ConfigFileRead f;
        if (!loadConfig(path, f, QStringLiteral("unreadable: "))) {
            status = 2;
            continue;
        }
        bool fine = false;
        const QString verdict = checkConfig(f, &fine);
        print(path + QStringLiteral(": ") + verdict + QLatin1Char('\n'));
        if (!fine && status == 0)
            status = 1;
    }
    return status;
}

int formatDocCommand(const Call &)
{
    print(fileFormatDocument());
    return 0;
}

struct Command
{
    const char *name;
    int minArgs, maxArgs;
    int (*run)(const Call &);
};

// "format-doc" writes docs/file-format.md and is left out of the help.
const Command kCommands[] = {
    {"show", 1, 1, showCommand},
    {"diff", 2, 2, diffCommand},
    {"export", 1, 1, exportCommand},
    {"import", 2, 2, importCommand},
    {"factory", 1, 1, factoryCommand},
    {"check", 1, 1 << 30, checkCommand},
    {"format-doc", 0, 0, formatDocCommand},
};

int run(const QString &name, const Call &call)
{
    for (const Command &c : kCommands) {
        if (name != QLatin1String(c.name))
            continue;
        if (call.args.size() < c.minArgs || call.args.size() > c.maxArgs)
            return usage(QStringLiteral("wrong number of arguments for %1").arg(name));
        if (!call.withFileName && name != QLatin1String("show"))
            return usage(QStringLiteral("--no-filename belongs to show, not %1").arg(name));
        return c.run(call);
    }
    return usage(QStringLiteral("unknown command '%1'").arg(name));
}

// Qt's parser messages in this program's voice: lower case, no full stop.
QString parserError(QString text)
{
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text.at(0).toLower();
    return text;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("en|zh"));
    const QCommandLineOption noFileName(QStringLiteral("no-filename"));
    parser.addOptions({help, version, lang, noFileName});
    if (!parser.parse(app.arguments()))
        return usage(parserError(parser.errorText()));
    if (parser.isSet(help)) {
        print(QString::fromUtf8(kHelp));
        return 0;
    }
    if (parser.isSet(version)) {
        print(QStringLiteral("zqconfig-file %1\n").arg(QLatin1String(ZQ_VERSION)));
        return 0;
    }

    // As the window: --lang wins over the variable, an empty one is unset.
    QString language = parser.value(lang);
    QString from = QStringLiteral("--lang");
    if (!parser.isSet(lang)) {
        language = qEnvironmentVariable(kLangVariable);
        from = QString::fromLatin1(kLangVariable);
        if (language.isEmpty())
            language = QString::fromLatin1(kSourceLanguage);
    }
    if (!parseLanguage(language, &language))
        return usage(languageError(language, from));
    if (!useLanguage(language))
        return fail(QStringLiteral("--lang ") + language, QStringLiteral("the texts are missing from this build"));

    Call call;
    call.args = parser.positionalArguments();
    call.withFileName = !parser.isSet(noFileName);
    if (call.args.isEmpty())
        return usage(QStringLiteral("no command"));
    const QString name = call.args.takeFirst();
    return run(name, call);
}
