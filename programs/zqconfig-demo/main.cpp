// zqconfig-demo: the tool's own main window, with a simulated transmitter
// served on a pseudo-terminal whose path is offered in the port list, so
// every feature can be tried without hardware on the desk.

#include "look.h"
#include "mainwindow.h"
#include "simhost.h"
#include "startup.h"

#include <cstdio>
#include <string>

namespace {

// A transmitter already set up for a small V-tail glider, so that a read
// visibly changes every page of a freshly started window.
zqsim::TransmitterSettings gliderSettings()
{
    zqsim::TransmitterSettings s;
    s.rev2 = 1;
    s.sub1 = 4, s.sub2 = -6, s.sub4 = 3;
    s.Lepa1 = 100, s.Repa1 = 100, s.Lepa2 = 110, s.Repa2 = 90, s.Lepa4 = 85, s.Repa4 = 85;
    s.FS1 = 48, s.FS2 = 55, s.FS3 = 5;
    s.delay3 = 60, s.delay5 = 80;
    s.AUX5 = 0, s.AUX6 = 2, s.AUX7 = 3, s.AUX8 = 5;
    s.VoltTenths = 70;  // a 2S pack
    s.AttiM = 1;
    s.RuMix = 1, s.Ru1 = 60, s.Ru2 = -55, s.Ru3 = 60, s.Ru4 = 55;
    s.DR_MIX = 1;
    s.DR_UpRate[0] = 85, s.DR_DownRate[0] = 65, s.DR_UpRate[1] = 80, s.DR_DownRate[1] = 60;
    s.DR_UpExp[0] = 25, s.DR_DownExp[0] = 35, s.DR_UpExp[1] = 20, s.DR_DownExp[1] = 30;
    s.DR_UP1 = s.DR_UpRate[0], s.DR_DOWN1 = s.DR_DownRate[0];
    s.PRM01_Mix = 2, s.PRM01_Master = 0, s.PRM01_Slave = 5, s.PRM01_Data2 = 30, s.PRM01_Data3 = 30;
    s.THCURE_MIX = 1;
    s.THCURE_Data02 = 22, s.THCURE_Data03 = 40, s.THCURE_Data04 = 56;
    s.THCURE_Data05 = 70, s.THCURE_Data06 = 86;
    s.rxVoltTenths = 38, s.extVoltTenths = 74, s.Rssi = -90;
    s.StkTrim[0] = 123, s.StkTrim[1] = 117, s.StkTrim[3] = 121;
    s.StkStep[0] = 4, s.StkStep[1] = 4, s.StkStep[2] = 3, s.StkStep[3] = 4;
    return s;
}

// The simulated transmitter's ways of disagreeing with what it is sent, so
// that what the tool says about it can be seen (zqsim has the same options).
const QList<QCommandLineOption> &disagreementOptions()
{
    static const QList<QCommandLineOption> options = {
        {QStringLiteral("misstore"),
         QStringLiteral("Whenever the frame carrying FIELD is stored, the simulated transmitter holds VALUE "
                        "for it instead of the value written. FIELD is a setting's name such as sub1, Lepa2, "
                        "Ru1 or StkStep[0]."),
         QStringLiteral("FIELD=VALUE")},
        {QStringLiteral("ignore-frame"),
         QStringLiteral("The simulated transmitter takes frame L (S, G, H or I) off the line without storing it."),
         QStringLiteral("L")},
        {QStringLiteral("silent-after-write"),
         QStringLiteral("The simulated transmitter leaves the first read request after a write unanswered.")},
        {QStringLiteral("fade"),
         QStringLiteral("A range check: the simulated transmitter is carried away and back every SECONDS; its "
                        "signal strength falls to nothing at the far end and live packets are lost at random as "
                        "it weakens (see the live graph, Ctrl+G)."),
         QStringLiteral("SECONDS")},
    };
    return options;
}

// False, with the reason, when a value is not one zqsim takes.
bool applyDisagreement(const StartOptions &options, zqsim::SimEngine::Options &engine, std::string *why)
{
    const auto value = [&](const char *name) { return options.extra.value(QLatin1String(name)).toStdString(); };
    if (options.extra.contains(QStringLiteral("misstore")) && !zqsim::parseMisstore(value("misstore"), engine, why)) {
        *why = "--misstore: " + *why;
        return false;
    }
    if (options.extra.contains(QStringLiteral("ignore-frame"))
        && !zqsim::parseIgnoreFrame(value("ignore-frame"), engine, why)) {
        *why = "--ignore-frame: " + *why;
        return false;
    }
    engine.silentAfterWrite = options.extra.contains(QStringLiteral("silent-after-write"));
    if (options.extra.contains(QStringLiteral("fade"))) {
        bool ok = false;
        engine.fadeSeconds = options.extra.value(QStringLiteral("fade")).toInt(&ok);
        if (!ok || engine.fadeSeconds < 2 || engine.fadeSeconds > 86400) {
            *why = "--fade: expected a number of seconds from 2 to 86400";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char *argv[])
{
    // No --port: the demo's port is its own simulated transmitter.
    const ProgramOptions program{
        QStringLiteral("The configuration tool's window with a simulated transmitter on a pseudo-terminal, "
                       "already offered in the port list: every feature can be tried without hardware. "
                       "The simulated transmitter's events are printed on standard error."),
        false, disagreementOptions()};
    StartOptions options;
    int status = 0;
    const auto app = startApplication(argc, argv, program, &options, &status);
    if (!app)
        return status;

    zqsim::SimHost::Config conf;
    // Often enough for smoothly moving bars, rarely enough to stay light
    // on the CPU.
    conf.engine.intervalMs = 25;
    conf.initial = gliderSettings();
    std::string why;
    if (!applyDisagreement(options, conf.engine, &why)) {
        std::fprintf(stderr, "zqconfig-demo: %s\n", why.c_str());
        return 2;
    }
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
    applyWindowOptions(window, options);
    window.offerPort(port);
    showOnScreen(&window);
    return app->exec();
}
