// zqconfig-file: shows, compares, converts and checks the transmitter's
// configuration files without the window, the transmitter or a display.

#include "filereport.h"
#include "formatdoc.h"
#include "language.h"
#include "settingstable.h"

#include <QCoreApplication>
#include <QFileInfo>
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
    "  show FILE            print every setting page by page with the window's\n"
    "                       label, the value as the page shows it and its unit;\n"
    "                       a value that a load would change is followed by\n"
    "                       \"->\" and the value it becomes; the first line names\n"
    "                       the frames the file lacks (a load keeps the current\n"
    "                       settings of those)\n"
    "  diff A B             print the settings in which A and B differ, one per\n"
    "                       line: label, A's value, B's value\n"
    "  export FILE          print the settings as one JSON object: the model's\n"
    "                       field names, plain numbers (voltages in volts,\n"
    "                       per-channel dual rates, exponentials, trims and\n"
    "                       trim steps as arrays of four)\n"
    "  import JSON OUTFILE  write the configuration file for a JSON object as\n"
    "                       export prints it; every field must be present and\n"
    "                       in range, otherwise nothing is written\n"
    "  factory OUTFILE      write the factory configuration\n"
    "  check FILE...        print one line per file: fine, repaired (what a load\n"
    "                       would change) or short (which frames are missing);\n"
    "                       a file that is unreadable, with the reason, goes to\n"
    "                       standard error\n"
    "\n"
    "A FILE or JSON of \"-\" is read from standard input, an OUTFILE of \"-\" is\n"
    "written to standard output.  Inputs larger than 1 MiB are refused.  An\n"
    "OUTFILE is replaced as a whole or not at all.\n"
    "\n"
    "Options:\n"
    "  --lang en|zh         labels in English or Chinese (default: zh, or the\n"
    "                       environment variable ZQCONFIG_LANG)\n"
    "  -h, --help           print this help and exit\n"
    "  -v, --version        print the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  success; diff: the files hold the same settings; check: every file\n"
    "     is fine\n"
    "  1  diff: the settings differ; check: a file is repaired or short\n"
    "  2  an error: a file that cannot be read, is not a configuration file,\n"
    "     or a JSON field that is missing, unknown, of the wrong type or out\n"
    "     of range; one line on standard error names the file and the fault\n"
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

int run(const QString &command, const QStringList &args)
{
    const auto arity = [&](int n) { return args.size() == n; };
    if (command == QLatin1String("show") && arity(1)) {
        ConfigFileRead f;
        if (!loadConfig(args[0], f))
            return 2;
        print(showConfig(f, args[0]));
        return 0;
    }
    if (command == QLatin1String("diff") && arity(2)) {
        ConfigFileRead a, b;
        if (!loadConfig(args[0], a) || !loadConfig(args[1], b))
            return 2;
        const QStringList lines = diffConfigs(a, b);
        for (const QString &l : lines)
            print(l + QLatin1Char('\n'));
        return lines.isEmpty() ? 0 : 1;
    }
    if (command == QLatin1String("export") && arity(1)) {
        ConfigFileRead f;
        if (!loadConfig(args[0], f))
            return 2;
        print(QString::fromUtf8(exportJson(f)));
        return 0;
    }
    if (command == QLatin1String("import") && arity(2)) {
        QByteArray json, content;
        QString error;
        if (!readInput(args[0], json, error))
            return fail(args[0], error);
        if (!importJson(json, content, error))
            return fail(args[0], error);
        return writeTo(args[1], content);
    }
    if (command == QLatin1String("factory") && arity(1))
        return writeTo(args[0], configFileOf(factoryModel()));
    if (command == QLatin1String("check") && !args.isEmpty()) {
        int status = 0;
        for (const QString &path : args) {
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
    // Not in the help: writes docs/file-format.md.
    if (command == QLatin1String("format-doc") && arity(0)) {
        print(fileFormatDocument());
        return 0;
    }
    static const QStringList known = {"show", "diff", "export", "import", "factory", "check"};
    if (known.contains(command))
        return usage(QStringLiteral("wrong number of arguments for %1").arg(command));
    return usage(QStringLiteral("unknown command '%1'").arg(command));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    QString lang = qEnvironmentVariable(kLangVariable, QStringLiteral("zh"));
    QString langFrom = QString::fromLatin1(kLangVariable);
    QStringList rest;
    for (int k = 0; k < args.size(); ++k) {
        const QString &a = args[k];
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            print(QString::fromUtf8(kHelp));
            return 0;
        }
        if (a == QLatin1String("-v") || a == QLatin1String("--version")) {
            print(QStringLiteral("zqconfig-file %1\n").arg(QLatin1String(ZQ_VERSION)));
            return 0;
        }
        if (a == QLatin1String("--lang")) {
            if (k + 1 == args.size())
                return usage(QStringLiteral("--lang needs a value (en or zh)"));
            lang = args[++k];
            langFrom = QStringLiteral("--lang");
        } else if (a.startsWith(QLatin1String("--lang="))) {
            lang = a.mid(7);
            langFrom = QStringLiteral("--lang");
        } else if (a == QLatin1String("--")) {
            rest += args.mid(k + 1);
            break;
        } else if (a.startsWith(QLatin1Char('-')) && a != QLatin1String("-")) {
            return usage(QStringLiteral("unknown option '%1'").arg(a));
        } else {
            rest << a;
        }
    }
    bool english = false;
    if (!parseLanguage(lang, &english))
        return usage(languageError(lang, langFrom));
    if (!useEnglishTexts(english))
        return fail(QStringLiteral("--lang en"), QStringLiteral("the English texts are missing from this build"));
    if (rest.isEmpty())
        return usage(QStringLiteral("no command"));
    return run(rest.takeFirst(), rest);
}
