// zqconfig-demo: the tool's own main window, with a simulated transmitter
// served on a pseudo-terminal whose path is offered in the port list, so
// every feature can be tried without hardware on the desk.

#include "mainwindow.h"
#include "portoffer.h"
#include "simhost.h"

#include <QApplication>
#include <QComboBox>

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    zqsim::SimHost::Config conf;
    // Often enough for smoothly moving bars, rarely enough to stay light
    // on the CPU.
    conf.engine.intervalMs = 25;
    // What the transmitter makes of the tool's commands, for whoever
    // watches the terminal.
    conf.log = [](const std::string &msg) { std::fprintf(stderr, "zqsim: %s\n", msg.c_str()); };
    zqsim::SimHost sim(conf);
    std::string error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "zqconfig-demo: cannot start the simulated transmitter: %s\n", error.c_str());
        return 1;
    }
    const QString port = QString::fromStdString(sim.slavePath());
    std::fprintf(stderr, "zqconfig-demo: simulated transmitter on %s\n", sim.slavePath().c_str());

    MainWindow window;
    auto *box = window.findChild<QComboBox *>(QStringLiteral("portNameBox"));
    if (!box) {
        std::fprintf(stderr, "zqconfig-demo: the window has no port list\n");
        return 1;
    }
    keepPortOffered(box, port);
    window.show();
    return app.exec();
}
