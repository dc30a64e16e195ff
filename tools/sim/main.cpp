// zqsim: a stand-in transmitter for the configuration tool.  It plays the
// transmitter's side of the serial protocol on a new pseudo-terminal (or on
// a given device) and prints the path the tool should open.

#include "simhost.h"

#include <cerrno>
#include <csignal>
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
        "  --quiet            no event log on stderr\n"
        "  --help             show this help\n"
        "  --version          show the version\n"
        "Prints the port the tool should open, then serves it until SIGINT or SIGTERM.\n");
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

} // namespace

int main(int argc, char **argv)
{
    zqsim::SimHost::Config conf;
    bool quiet = false;

    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char *opt) -> const char * {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "zqsim: %s needs a value\n", opt);
                std::exit(2);
            }
            return argv[++i];
        };
        auto number = [&](const char *opt, int lo, int hi) {
            int v = 0;
            const char *t = value(opt);
            if (!parseInt(t, lo, hi, v)) {
                std::fprintf(stderr, "zqsim: bad value for %s: %s\n", opt, t);
                std::exit(2);
            }
            return v;
        };
        if (a == "--state")
            conf.statePath = value("--state");
        else if (a == "--interval")
            conf.engine.intervalMs = number("--interval", 0, 60000);
        else if (a == "--ack-timeout")
            conf.engine.ackTimeoutMs = number("--ack-timeout", 0, 600000);
        else if (a == "--firmware")
            conf.initial.Vertion = number("--firmware", 0, 65535);
        else if (a == "--device")
            conf.devicePath = value("--device");
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

    static std::mutex logMutex;
    if (!quiet)
        conf.log = [](const std::string &m) {
            std::lock_guard<std::mutex> lock(logMutex);
            std::fprintf(stderr, "zqsim: %s\n", m.c_str());
        };

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

    int sig = 0;
    sigwait(&stopSignals, &sig);
    host.stop();
    if (!quiet)
        std::fprintf(stderr, "zqsim: stopped\n");
    return 0;
}
