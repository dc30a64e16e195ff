// zqsim: a stand-in transmitter for the configuration tool.  It plays the
// transmitter's side of the serial protocol on a new pseudo-terminal (or on
// a given device) and prints the path the tool should open.

#include "simhost.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include <pthread.h>

namespace {

void usage(std::FILE *to)
{
    std::fprintf(to,
                 "Usage: zqsim [options]\n"
                 "Plays the transmitter's side of the serial protocol for the configuration tool.\n"
                 "\n"
                 "Options:\n"
                 "  --state FILE       keep the settings in FILE between runs (the tool's file format)\n"
                 "  --interval MS      least time between two packets (default 20; 0 = as fast as acknowledged)\n"
                 "  --ack-timeout MS   resume after MS without an acknowledgement (default 0 = wait)\n"
                 "  --firmware N       firmware number reported on a read (default 51)\n"
                 "  --device PATH      serve PATH instead of a new pseudo-terminal\n"
                 "  --deliver HOW      how packets reach the line, as USB adapters deliver them:\n"
                 "                     whole (default), bytes (byte by byte at the line rate),\n"
                 "                     pieces:N (N bytes a write, 1 ms apart), random (random\n"
                 "                     pieces, random gaps up to --max-gap)\n"
                 "  --max-gap MS       longest gap within a packet for --deliver random (default 20)\n"
                 "  --seed N           seed of the random pieces and losses (default 1)\n"
                 "  --fade SECONDS     a range check: the transmitter is carried away and back every\n"
                 "                     SECONDS; the signal strength falls to nothing at the far end\n"
                 "                     and live packets are lost at random as it weakens\n"
                 "  --pull-after-seconds N  pull the cable N seconds after start, then exit\n"
                 "  --pull-after-packets N  pull the cable after N packets, then exit\n"
                 "A transmitter that disagrees with what it is sent, to see how the tool tells:\n"
                 "  --misstore FIELD=VALUE  whenever the frame carrying FIELD is stored, FIELD holds\n"
                 "                     VALUE instead of the value written (FIELD: a setting's\n"
                 "                     name such as sub1, Lepa2, Ru1 or StkStep[0])\n"
                 "  --ignore-frame L   take frame L (S, G, H or I) off the line without storing it\n"
                 "  --silent-after-write  leave the first read request after a write unanswered\n"
                 "  --quiet            no event log on stderr\n"
                 "  --help             show this help\n"
                 "  --version          show the version\n"
                 "Prints the port the tool should open, then serves it until SIGINT or SIGTERM\n"
                 "(or until the cable is pulled).\n");
}

bool parseInt(const char *text, int lo, int hi, int &out)
{
    char *end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno || !end || *end || end == text || v < lo || v > hi)
        return false;
    out = int(v);
    return true;
}

// Hands out the arguments after the one at `i`; a missing or bad value
// ends the program with status 2.
struct Arguments
{
    int argc;
    char **argv;
    int i;

    const char *value(const char *opt)
    {
        if (i + 1 >= argc) {
            std::fprintf(stderr, "zqsim: %s needs a value\n", opt);
            std::exit(2);
        }
        return argv[++i];
    }

    int number(const char *opt, int lo, int hi)
    {
        int v = 0;
        const char *t = value(opt);
        if (!parseInt(t, lo, hi, v)) {
            std::fprintf(stderr, "zqsim: bad value for %s: %s\n", opt, t);
            std::exit(2);
        }
        return v;
    }
};

bool parseDelivery(const std::string &how, zqsim::SimHost::Config &conf)
{
    using Delivery = zqsim::SimHost::Config::Delivery;
    if (how == "whole")
        conf.delivery = Delivery::Whole;
    else if (how == "bytes")
        conf.delivery = Delivery::Bytes;
    else if (how == "random")
        conf.delivery = Delivery::Random;
    else if (how.rfind("pieces:", 0) == 0 && parseInt(how.c_str() + 7, 1, 20, conf.pieceSize))
        conf.delivery = Delivery::Pieces;
    else
        return false;
    return true;
}

// Reads the command line into `conf` and `quiet`: -1 to go on, else the
// exit status (help and version shown, or a bad option told).
int readArguments(int argc, char **argv, zqsim::SimHost::Config &conf, bool &quiet)
{
    Arguments args{argc, argv, 1};
    for (; args.i < argc; ++args.i) {
        const std::string a = argv[args.i];
        if (a == "--state")
            conf.statePath = args.value("--state");
        else if (a == "--interval")
            conf.engine.intervalMs = args.number("--interval", 0, 60000);
        else if (a == "--ack-timeout")
            conf.engine.ackTimeoutMs = args.number("--ack-timeout", 0, 600000);
        else if (a == "--firmware")
            conf.initial.Vertion = args.number("--firmware", 0, 65535);
        else if (a == "--device")
            conf.devicePath = args.value("--device");
        else if (a == "--deliver") {
            const std::string how = args.value("--deliver");
            if (!parseDelivery(how, conf)) {
                std::fprintf(stderr, "zqsim: bad value for --deliver: %s\n", how.c_str());
                return 2;
            }
        } else if (a == "--max-gap")
            conf.maxGapMs = args.number("--max-gap", 0, 1000);
        else if (a == "--seed")
            conf.engine.fadeSeed = conf.seed = uint32_t(args.number("--seed", 1, 2147483647));
        else if (a == "--fade")
            conf.engine.fadeSeconds = args.number("--fade", 2, 86400);
        else if (a == "--pull-after-seconds")
            conf.pullAfterMs = args.number("--pull-after-seconds", 1, 86400) * 1000;
        else if (a == "--pull-after-packets")
            conf.pullAfterPackets = args.number("--pull-after-packets", 1, 100000000);
        else if (a == "--misstore" || a == "--ignore-frame") {
            const std::string text = args.value(a.c_str());
            std::string why;
            if (!(a == "--misstore" ? zqsim::parseMisstore(text, conf.engine, &why)
                                    : zqsim::parseIgnoreFrame(text, conf.engine, &why))) {
                std::fprintf(stderr, "zqsim: bad value for %s: %s\n", a.c_str(), why.c_str());
                return 2;
            }
        } else if (a == "--silent-after-write")
            conf.engine.silentAfterWrite = true;
        else if (a == "--quiet")
            quiet = true;
        else if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else if (a == "--version") {
            std::printf("zqsim %s\n", ZQ_VERSION);
            return 0;
        } else {
            std::fprintf(stderr, "zqsim: unknown option %s\n", a.c_str());
            usage(stderr);
            return 2;
        }
    }
    return -1;
}

// Serves the port until a stop signal, or until the cable is pulled.
int serve(const zqsim::SimHost::Config &conf, bool quiet)
{
    // Block the stop signals before the worker starts so only sigwait below
    // ever sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    zqsim::SimHost host(conf);
    std::string error;
    if (!host.start(&error)) {
        std::fprintf(stderr, "zqsim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", host.slavePath().c_str());
    std::fflush(stdout);

    const timespec tick{0, 100 * 1000 * 1000};
    while (!host.pulled() && sigtimedwait(&stopSignals, nullptr, &tick) < 0) {
    }
    host.stop();
    if (!quiet)
        std::fprintf(stderr, "zqsim: stopped\n");
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    zqsim::SimHost::Config conf;
    bool quiet = false;
    const int status = readArguments(argc, argv, conf, quiet);
    if (status >= 0)
        return status;

    static std::mutex logMutex;
    if (!quiet)
        conf.log = [](const std::string &m) {
            std::lock_guard<std::mutex> lock(logMutex);
            std::fprintf(stderr, "zqsim: %s\n", m.c_str());
        };
    return serve(conf, quiet);
}
