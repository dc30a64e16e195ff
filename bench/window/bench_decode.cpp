// Cost of one received live packet: decode, dual-rate selection, sanity
// pass and the "WWW" acknowledgement.
//
// 1. In memory: the GUI-free steps with the acknowledgement written to a
//    QBuffer, so only our own work is measured.
// 2. Over a pseudo-terminal: the window itself opens the slave side and
//    answers the packets in its ready-read slot, while a peer thread plays
//    the transmitter; the figure is the CPU time of the GUI thread alone
//    (event dispatch, readAll, decode, sanity, write), per packet.  The
//    100 ms refresh is stopped so that only per-packet work is counted.
//
// Prints ns per packet and the share of one core at the line's maximum of
// about 500 live packets a second: 115200 baud, 10 bits a byte, and each
// 20-byte packet waits for its 3-byte answer before the next is sent.

#include "configmodel.h"
#include "livepacket.h"
#include "monitorstate.h"
#include "packetdecoder.h"
#include "readprogress.h"
#include "sanity.h"

#include "mainwindow.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

double threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e9 + ts.tv_nsec;
}

void report(const char *what, double nsPerPacket)
{
    std::printf("%-34s %9.0f ns/packet  = %.4f %% of one core at %.0f packets/s\n", what, nsPerPacket,
                nsPerPacket * kPacketsPerSecond / 1e9 * 100.0, kPacketsPerSecond);
}

void inMemory()
{
    QByteArray packets[64];
    for (int i = 0; i < 64; ++i)
        packets[i] = livePacket(i);
    QBuffer ack;
    ack.open(QIODevice::WriteOnly);
    ConfigModel m;
    MonitorState live;

    const int n = 2000000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i) {
        decodePacket(packets[i & 63], m, live, false, AwaitedAnswers());
        selectDualRate(m);
        applySanity(m);
        selectDualRate(m);
        ack.write("WWW", 3);
        if ((i & 0xFFFF) == 0)
            ack.seek(0);  // keep the buffer small
    }
    report("decode+sanity+ack (in memory)", double(t.nsecsElapsed()) / n);
    std::printf("  (check: Servo1=%d RssiLive=%d)\n", live.Servo1, live.RssiLive);
}

void overPty()
{
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::printf("no pseudo-terminal, skipping the serial path\n");
        return;
    }
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    MainWindow window;
    for (QTimer *t : window.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
        t->stop();
    auto *box = window.findChild<QComboBox *>(QStringLiteral("portNameBox"));
    auto *open = window.findChild<QPushButton *>(QStringLiteral("openButton"));
    box->addItem(QString::fromLocal8Bit(name));
    box->setCurrentIndex(box->count() - 1);
    open->click();
    // Consume the greeting.
    {
        char buf[16];
        int got = 0;
        for (int i = 0; i < 200 && got < 2; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const ssize_t r = ::read(master, buf, sizeof buf);
            if (r > 0)
                got += int(r);
            else
                ::usleep(5000);
        }
        if (got < 2) {
            std::printf("the window did not open %s\n", name);
            return;
        }
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) & ~O_NONBLOCK);
    std::atomic<int> answered{0};

    // The peer sends one packet and waits for its acknowledgement, like the
    // transmitter would, so chunks never merge.
    const int n = 20000;
    std::atomic<bool> done{false};
    std::thread peer([&] {
        char buf[64];
        for (int i = 0; i < n; ++i) {
            const QByteArray p = livePacket(i);
            if (::write(master, p.constData(), size_t(p.size())) != p.size())
                break;
            int got = 0;
            while (got < 3) {
                pollfd pf{master, POLLIN, 0};
                if (::poll(&pf, 1, 2000) <= 0)
                    break;
                const ssize_t r = ::read(master, buf, sizeof buf);
                if (r <= 0)
                    break;
                got += int(r);
            }
            if (got < 3)
                break;
            ++answered;
        }
        done = true;
    });

    QTimer wake;  // lets the loop notice the end of the run
    wake.start(20);
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = threadCpuNs();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double cpu = threadCpuNs() - cpu0;
    peer.join();
    open->click();
    ::close(master);
    ::close(slave);

    if (answered == 0) {
        std::printf("no packets answered over the pty\n");
        return;
    }
    report("GUI thread CPU, serial path (pty)", cpu / answered);
    std::printf("  (%d packets answered, wall %.1f us/packet round trip)\n", answered.load(),
                wall.nsecsElapsed() / 1e3 / answered);
}

}  // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    inMemory();
    overPty();
    return 0;
}
