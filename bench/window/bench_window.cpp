// The whole window's CPU share while it monitors a transmitter at the
// line's rate, against its share while the open line is silent.
//
// The window runs in a process of its own (this program started again
// with --window PATH): shown, its refresh running, the port opened by its
// own button.  This process plays the transmitter on the pseudo-terminal's
// master side the way the real one does at 115200 baud: a live packet,
// wait for the "WWW", the next packet no sooner than 230 bit times after
// the previous one (~500 a second), servo and receiver packets in turn
// with the simulated transmitter's moving sticks and drifting voltages.
// The window process's CPU time (every thread, kernel time included) is
// read from /proc; silent and streaming periods alternate so that a busy
// neighbour weighs on both.  The platform is whatever QT_QPA_PLATFORM says
// (offscreen when unset).
//
// The same is measured for a bare answerer (this program again, with
// --bare PATH: poll, read, "WWW", nothing else), the least any program pays
// on this machine to wake for each packet, and for Qt's serial port alone
// (--qt-echo PATH: a GUI application with no window, whose QSerialPort
// answers each packet the way the window does, nothing else), the least
// any window answering on Qt's serial port pays.  The window's figure less
// the echo's is what the window, the decoding and the paint add.
//
// The window is measured twice: as a user has it while monitoring, and
// with the live graph open and a recording running (--window-graph PATH,
// its CSV file in a scratch folder), the cost of a range check against
// the graph closed.
//
// The four run side by side and take turns, so that the host's load
// weighs on each alike.  ZQ_BENCH_SECONDS sets the length of each silent
// and each streaming period (5 s; two of each per answerer).

#include "livepacket.h"
#include "mainwindow.h"
#include "packetformat.h"
#include "packets.h"
#include "portwrite.h"
#include "proccpu.h"
#include "windowprobe.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

int runWindow(int argc, char **argv, const char *port, bool graph)
{
    QApplication app(argc, argv);
    MainWindow w;
    w.show();
    QTemporaryDir scratch;
    if (graph) {
        WindowProbe::range(w).showGraph();
        if (!WindowProbe::range(w).startRecording(scratch.filePath(QStringLiteral("range.csv"))))
            return 1;
    }
    auto *box = w.findChild<QComboBox *>(QStringLiteral("portNameBox"));
    auto *open = w.findChild<QPushButton *>(QStringLiteral("openButton"));
    box->addItem(QString::fromLocal8Bit(port));
    box->setCurrentIndex(box->count() - 1);
    open->click();
    return app.exec();
}

int runQtEcho(int argc, char **argv, const char *port)
{
    QApplication app(argc, argv);
    QSerialPort line(QString::fromLocal8Bit(port));
    line.setBaudRate(QSerialPort::Baud115200);
    if (!line.open(QIODevice::ReadWrite))
        return 1;
    line.write("OK", 2);
    int have = 0;
    QObject::connect(&line, &QSerialPort::readyRead, [&] {
        for (have += int(line.readAll().size()); have >= packet::kLiveLength; have -= packet::kLiveLength)
            writeToPort(line, "WWW", 3);
    });
    return app.exec();
}

int runBare(const char *port)
{
    const int fd = ::open(port, O_RDWR | O_NOCTTY);
    termios tio{};
    if (fd < 0 || tcgetattr(fd, &tio) != 0)
        return 1;
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    if (::write(fd, "OK", 2) != 2)
        return 1;
    char buf[256];
    int have = 0;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, -1) < 0 && errno != EINTR)
            return 1;
        const ssize_t r = ::read(fd, buf, sizeof buf);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return 0;  // the line was closed
        for (have += int(r); have >= packet::kLiveLength; have -= packet::kLiveLength)
            if (::write(fd, "WWW", 3) != 3)
                return 1;
    }
}

double nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e9 + ts.tv_nsec;
}

void sleepUntilNs(double t)
{
    timespec ts{};
    ts.tv_sec = time_t(t / 1e9);
    ts.tv_nsec = long(t - double(ts.tv_sec) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

struct Stream
{
    int master;
    double startNs;
    zqsim::TransmitterSettings settings;
    long sent = 0;
    long answered = 0;
    bool wrongAnswer = false;

    // Stop-and-wait at the line's rate for `seconds`.
    void run(double seconds)
    {
        const double period = 1e9 / kPacketsPerSecond;
        const double end = nowNs() + seconds * 1e9;
        double next = nowNs();
        QByteArray answer;
        while (next < end) {
            sleepUntilNs(next);
            const double t = nowNs();
            const zqsim::LiveValues v = zqsim::liveValuesAt(int64_t((t - startNs) / 1e6), settings);
            const zqsim::Bytes p = sent % 2 ? zqsim::encodeReceiverPacket(v, settings) : zqsim::encodeServoPacket(v);
            if (::write(master, p.data(), p.size()) != ssize_t(p.size()))
                return;
            ++sent;
            answer.clear();
            if (readBytes(master, 3, 2000, &answer) < 3)
                return;
            if (answer != "WWW")
                wrongAnswer = true;
            ++answered;
            next = std::max(next + period, nowNs());
        }
    }
};

struct Figures
{
    double busy = 0, idle = 0, rate = 0, usPerPacket = 0;
    const char *failure = nullptr;
};

// One answerer: this program started again as `mode` on a pseudo-terminal
// of its own, and its CPU time over the silent and the streaming periods.
struct Answerer
{
    const char *mode;
    pid_t pid = -1;
    int master = -1, slave = -1;
    Stream stream{-1, 0, zqsim::factorySettings()};
    long warm = 0;
    double idleNs = 0, idleWall = 0, busyNs = 0, busyWall = 0;
    const char *failure = nullptr;

    bool start(const char *self)
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
            failure = "no pseudo-terminal, nothing measured";
            return false;
        }
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        fcntl(master, F_SETFD, FD_CLOEXEC);
        pid = fork();
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::close(master);
            ::close(slave);
            execl("/proc/self/exe", self, mode, name, static_cast<char *>(nullptr));
            _exit(127);
        }
        QByteArray greeting;
        if (readBytes(master, 2, 20000, &greeting) < 2 || greeting != "OK") {
            failure = "the answerer did not open its port";
            return false;
        }
        stream = Stream{master, nowNs(), zqsim::factorySettings()};
        stream.run(2);  // warm up: glyphs, caches, the allocator's pools
        warm = stream.answered;
        return true;
    }

    void round(int seconds)
    {
        double c0 = processCpuNs(pid);
        double w0 = nowNs();
        sleepUntilNs(w0 + seconds * 1e9);
        idleNs += processCpuNs(pid) - c0;
        idleWall += nowNs() - w0;

        c0 = processCpuNs(pid);
        w0 = nowNs();
        stream.run(seconds);
        busyNs += processCpuNs(pid) - c0;
        busyWall += nowNs() - w0;
    }

    Figures finish()
    {
        Figures f;
        f.failure = failure;
        // Nothing but the answers may come back; a stray byte would show here.
        const int stray = pid > 0 && !failure ? readBytes(master, 1, 200) : 0;
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        ::close(master);
        ::close(slave);
        if (failure)
            return f;
        const long packets = stream.answered - warm;
        if (packets <= 0 || stream.answered != stream.sent || stream.wrongAnswer || stray) {
            std::printf("%s: %ld sent, %ld answered\n", mode, stream.sent, stream.answered);
            f.failure = "not every packet was answered with one WWW";
            return f;
        }
        f.idle = idleNs / idleWall * 100;
        f.busy = busyNs / busyWall * 100;
        f.rate = packets / (busyWall / 1e9);
        f.usPerPacket = (busyNs - idleNs * busyWall / idleWall) / packets / 1e3;
        // On a machine too busy to answer in time the share would be taken
        // at a lower rate and read as a better figure: no figure then.
        if (f.rate < 0.8 * kPacketsPerSecond)
            f.failure = "the line's rate was not held (the machine is too busy), nothing measured";
        return f;
    }
};

}  // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--window") == 0)
        return runWindow(argc, argv, argv[2], false);
    if (argc == 3 && std::strcmp(argv[1], "--window-graph") == 0)
        return runWindow(argc, argv, argv[2], true);
    if (argc == 3 && std::strcmp(argv[1], "--bare") == 0)
        return runBare(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--qt-echo") == 0)
        return runQtEcho(argc, argv, argv[2]);

    const int seconds =
        qEnvironmentVariableIsSet("ZQ_BENCH_SECONDS") ? qEnvironmentVariableIntValue("ZQ_BENCH_SECONDS") : 5;
    Answerer answerers[] = {{"--window"}, {"--bare"}, {"--qt-echo"}, {"--window-graph"}};
    for (Answerer &a : answerers) {
        if (!a.start(argv[0])) {
            std::printf("%s: %s\n", a.mode, a.failure);
            for (Answerer &b : answerers)
                b.finish();
            return 1;
        }
    }
    for (int round = 0; round < 2; ++round)
        for (Answerer &a : answerers)
            a.round(seconds);
    const Figures window = answerers[0].finish();
    const Figures bare = answerers[1].finish();
    const Figures echo = answerers[2].finish();
    const Figures graph = answerers[3].finish();
    for (const Figures *f : {&window, &bare, &echo, &graph}) {
        if (f->failure) {
            std::printf("%s (%.0f of %.0f packets/s)\n", f->failure, f->rate, kPacketsPerSecond);
            return 1;
        }
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    std::printf(
        "window process above idle at %.0f live packets/s (%s): %.2f %% of a core "
        "(%.0f us/packet; busy %.2f %%, idle %.2f %%, %.0f packets/s over 2 x %d s)\n",
        kPacketsPerSecond, platform.constData(), window.busy - window.idle, window.usPerPacket, window.busy,
        window.idle, window.rate, seconds);
    const auto beside = [&window](const char *what, const Figures &f) {
        std::printf("%s above idle: %.2f %% of a core (%.0f us/packet; %.0f packets/s); the window adds %.2f %%\n",
                    what, f.busy - f.idle, f.usPerPacket, f.rate, (window.busy - window.idle) - (f.busy - f.idle));
    };
    beside("bare answerer (poll, read, write per packet)", bare);
    beside("Qt serial port echo (QApplication, no window, QSerialPort, \"WWW\" per packet)", echo);
    // Above idle is the receive path; the graph's redraw once a second
    // runs on the silent line too, so the shares while streaming are
    // given beside it.
    std::printf(
        "window with the live graph open and recording above idle: %.2f %% of a core (%.0f us/packet; "
        "%.0f packets/s), %.2fx the window's with the graph closed; streaming %.2f %% against %.2f %% "
        "(%.2fx), silent %.2f %% against %.2f %%\n",
        graph.busy - graph.idle, graph.usPerPacket, graph.rate, (graph.busy - graph.idle) / (window.busy - window.idle),
        graph.busy, window.busy, graph.busy / window.busy, graph.idle, window.idle);
    return 0;
}
