// Cost of zqconfig-file's work on one configuration file, in memory:
// building the settings table (once per run), reading a file as a load
// does, show, export and import.  The program's own start-up is measured
// by the shell (see docs/zqconfig-file.md).

#include "filereport.h"
#include "settingstable.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

template <typename F> void measure(const char *what, int n, F &&f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i)
        f();
    std::printf("%-28s %10.2f us\n", what, t.nsecsElapsed() / 1e3 / n);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QElapsedTimer t;
    t.start();
    const int settings = settingsTable().size();
    std::printf("%-28s %10.2f us (%d settings)\n", "settings table, first use", t.nsecsElapsed() / 1e3, settings);

    const QByteArray file = configFileOf(factoryModel());
    const ConfigFileRead read = readConfigFile(file);
    const QByteArray json = exportJson(read);
    volatile int sink = 0;
    measure("read (decode + load repairs)", 20000, [&] { sink = sink + readConfigFile(file).length; });
    measure("show text", 2000, [&] { sink = sink + showConfig(read, QStringLiteral("f")).size(); });
    measure("diff (equal files)", 2000, [&] { sink = sink + diffConfigs(read, read).size(); });
    measure("export JSON", 5000, [&] { sink = sink + exportJson(read).size(); });
    measure("import JSON", 5000, [&] {
        QByteArray out;
        QString error;
        importJson(json, out, error);
        sink = sink + out.size();
    });
    return 0;
}
