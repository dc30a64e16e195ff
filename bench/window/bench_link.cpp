// The link as USB adapters deliver it.
//
// 1. Framer cost per packet, in memory: live packets whole, in three
//    pieces, byte by byte, and a whole read answer (19 packets); and what
//    random bytes in random bursts (1..64 bytes, the line quiet between)
//    yield, per byte of junk.
// 2. Latency over a pseudo-terminal, with the window answering: a peer
//    thread plays the transmitter (one packet, then wait for "WWW") and
//    times from the write of a packet's last byte to its "WWW": whole
//    live packets, live packets in three pieces 1 ms apart, and the AUX
//    packet led by FE, outside a read junk answered at the quiet time.
// 3. The port watcher: the cost of one look at the system's ports (what
//    polling would pay every second), and the window's idle CPU share with
//    no port open, with the watcher running and stopped.

#include "livepacket.h"
#include "mainwindow.h"
#include "packetframer.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSerialPortInfo>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

QByteArray auxLedByFe()
{
    return QByteArray::fromHex("fe1aaa01020304fe");
}

// A read's answers as the transmitter sends them, the AUX packet after
// code 99, each followed on the line by the quiet of its acknowledgement.
std::vector<QByteArray> readAnswers()
{
    std::vector<QByteArray> out;
    for (int code :
         {0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC}) {
        QByteArray p(12, char(0x40));
        p[0] = char(0xFE), p[1] = char(0x1A), p[2] = char(code), p[11] = char(0xFE);
        out.push_back(p);
        if (code == 0x99)
            out.push_back(QByteArray::fromHex("0000aa010203045a"));
    }
    return out;
}

// A read's state once the given groups have come: all of them but the AUX
// packet (its place comes after the group before it) when `upTo` is kGroups.
AwaitedAnswers awaitedAfter(int upTo)
{
    AwaitedAnswers a = AwaitedAnswers::fresh();
    for (int flag = 1; flag <= upTo; ++flag) {
        if (flag != packet::kAuxReadFlag)
            a.took(flag);
    }
    return a;
}

void framerInMemory()
{
    std::vector<QByteArray> live;
    for (int i = 0; i < 64; ++i)
        live.push_back(livePacket(i));
    const auto run = [&](const char *what, int pieces) {
        PacketFramer f;
        QVector<FramedChunk> out;
        const int n = 400000;
        std::vector<QByteArray> cut;
        for (const QByteArray &p : live)
            for (int k = 0; k < pieces; ++k)
                cut.push_back(p.mid(k * 20 / pieces, (k + 1) * 20 / pieces - k * 20 / pieces));
        long settled = 0;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < pieces; ++k)
                f.feed(cut[size_t((i & 63) * pieces + k)], AwaitedAnswers(), out);
            // Packets only: a receiver packet's trims follow it as a chunk of their own.
            for (const FramedChunk &c : out)
                settled += c.packet;
            out.clear();
        }
        const double ns = double(t.nsecsElapsed()) / n;
        std::printf("framer, live packet %s: %.0f ns/packet = %.4f %% of a core at %.0f packets/s (%ld settled)\n",
                    what, ns, ns * kPacketsPerSecond / 1e7, kPacketsPerSecond, settled);
    };
    run("whole", 1);
    run("in 3 pieces", 3);
    run("byte by byte", 20);

    const std::vector<QByteArray> answers = readAnswers();
    PacketFramer f;
    QVector<FramedChunk> out;
    const int n = 50000;
    long packets = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i) {
        AwaitedAnswers awaited = AwaitedAnswers::fresh();
        for (const QByteArray &answer : answers) {
            f.feed(answer, awaited, out);
            f.expire(awaited, out);
            for (const FramedChunk &c : out) {
                packets += c.packet;
                if (c.packet)
                    awaited.took(c.bytes.size() == 8 ? packet::kAuxReadFlag
                                                     : packet::settingsReadFlag(uchar(c.bytes[2])));
            }
            out.clear();
        }
    }
    std::printf("framer, read answers one by one: %.0f ns/packet (%.0f packets of 19 each time)\n",
                double(t.nsecsElapsed()) / n / 19, double(packets) / n);
}

// Packets of each kind that random junk yields, per byte.
void junkYield()
{
    QRandomGenerator rng(20261207);
    // Each kind as if the read awaited it: every settings group (a read
    // just asked), and the AUX packet (its group before it in).
    PacketFramer f, auxFramer;
    const AwaitedAnswers everyGroup = AwaitedAnswers::fresh(), auxNext = awaitedAfter(packet::kAuxReadFlag - 1);
    QVector<FramedChunk> out;
    long bytes = 0, bursts = 0, live = 0, afterJunk = 0, settings = 0, aux = 0;
    while (bytes < 200000000) {
        QByteArray burst(1 + int(rng.bounded(64)), Qt::Uninitialized);
        for (char &c : burst)
            c = char(rng.bounded(256));
        bytes += burst.size(), ++bursts;
        f.feed(burst, everyGroup, out);
        f.expire(everyGroup, out);
        for (const FramedChunk &c : out) {
            if (!c.packet)
                continue;
            const int n = c.bytes.size();
            live += n == 20, afterJunk += n == 20 && c.afterJunk, settings += n == 12;
        }
        out.clear();
        auxFramer.feed(burst, auxNext, out);
        auxFramer.expire(auxNext, out);
        for (const FramedChunk &c : out)
            aux += c.packet && c.bytes.size() == 8;
        out.clear();
    }
    std::printf(
        "framer, random junk: per byte %.2g live packets (%.0f %% found inside junk), %.2g settings, %.2g AUX "
        "(%ld bytes in %ld bursts of 1..64)\n",
        double(live) / bytes, 100.0 * afterJunk / qMax(live, 1L), double(settings) / bytes, double(aux) / bytes, bytes,
        bursts);
}

struct Pty
{
    int master = -1, slave = -1;
    QString name;
    bool open()
    {
        char buf[256] = {};
        if (openpty(&master, &slave, buf, nullptr, nullptr) != 0)
            return false;
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        name = QString::fromLocal8Bit(buf);
        return true;
    }
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }
};

double nowUs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

// Sends packets in pieces gapUs apart; returns the microseconds from each
// packet's last byte to its acknowledgement.
std::vector<double> roundTrips(int master, const QByteArray &packet, int pieces, int gapUs, int n)
{
    std::vector<double> us;
    char buf[64];
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < pieces; ++k) {
            const QByteArray piece =
                packet.mid(k * packet.size() / pieces, (k + 1) * packet.size() / pieces - k * packet.size() / pieces);
            if (k > 0)
                ::usleep(useconds_t(gapUs));
            if (::write(master, piece.constData(), size_t(piece.size())) != piece.size())
                return us;
        }
        const double sent = nowUs();
        int got = 0;
        while (got < 3) {
            pollfd pf{master, POLLIN, 0};
            if (::poll(&pf, 1, 2000) <= 0)
                return us;
            const ssize_t r = ::read(master, buf, sizeof buf);
            if (r <= 0)
                return us;
            got += int(r);
        }
        us.push_back(nowUs() - sent);
    }
    return us;
}

void latencyOverPty()
{
    Pty pty;
    if (!pty.open()) {
        std::printf("no pseudo-terminal, skipping the latency\n");
        return;
    }
    MainWindow window;
    auto *box = window.findChild<QComboBox *>(QStringLiteral("portNameBox"));
    auto *open = window.findChild<QPushButton *>(QStringLiteral("openButton"));
    box->addItem(pty.name);
    box->setCurrentIndex(box->count() - 1);
    open->click();
    QElapsedTimer wait;
    wait.start();
    char greeting[8];
    int got = 0;
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    while (got < 2 && wait.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const ssize_t r = ::read(pty.master, greeting, sizeof greeting);
        got += r > 0 ? int(r) : 0;
    }
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) & ~O_NONBLOCK);

    const auto measure = [&](const char *what, const QByteArray &packet, int pieces, int gapUs, int n) {
        std::atomic<bool> done{false};
        std::vector<double> us;
        std::thread peer([&] {
            us = roundTrips(pty.master, packet, pieces, gapUs, n);
            done = true;
        });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        peer.join();
        if (us.empty()) {
            std::printf("%s: no answers\n", what);
            return;
        }
        std::sort(us.begin(), us.end());
        std::printf("%s, median: %.0f us, 90th percentile %.0f us (%zu packets)\n", what, us[us.size() / 2],
                    us[us.size() * 9 / 10], us.size());
    };
    measure("whole live packet, last byte to WWW", livePacket(1), 1, 0, 2000);
    measure("live in 3 pieces 1 ms apart", livePacket(1), 3, 1000, 500);
    measure("AUX packet led by FE (quiet time)", auxLedByFe(), 1, 0, 40);
    open->click();
}

double processCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void portWatcher()
{
    const int n = 200;
    QElapsedTimer t;
    t.start();
    int ports = 0;
    for (int i = 0; i < n; ++i)
        ports += QSerialPortInfo::availablePorts().size();
    const double ms = double(t.nsecsElapsed()) / n / 1e6;
    std::printf("one look at the system's ports: %.3f ms (%d ports) = %.3f %% of a core once a second\n", ms, ports / n,
                ms / 10.0);

    const int seconds = qEnvironmentVariableIntValue("ZQ_BENCH_IDLE_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("ZQ_BENCH_IDLE_SECONDS")
                            : 10;
    MainWindow window;
    QTimer *watch = nullptr;
    for (QTimer *timer : window.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
        if (timer->interval() == 1000)
            watch = timer;
    const auto idleShare = [&] {
        QEventLoop loop;
        QTimer::singleShot(seconds * 500, &loop, &QEventLoop::quit);
        const double c0 = processCpuSeconds();
        loop.exec();
        return (processCpuSeconds() - c0) / seconds * 200.0;
    };
    // Alternating, so a slow start or a busy neighbour weighs on both.
    double running = 0, stopped = 0;
    for (int round = 0; round < 2; ++round) {
        if (watch)
            watch->stop();
        stopped += idleShare() / 2;
        if (watch)
            watch->start();
        running += idleShare() / 2;
    }
    std::printf("window idle, no port open, over 2 x %d s: %.3f %% of a core with the watcher, %.3f %% without\n",
                seconds, running, stopped);
}

}  // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    framerInMemory();
    junkYield();
    latencyOverPty();
    portWatcher();
    return 0;
}
