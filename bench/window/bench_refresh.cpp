// Cost of the 100 ms refresh: one ui_Display tick over all pages, and one
// full paint of each curve widget.  Both run ten times a second for the
// life of the window.  Then what an idle window costs on each page, as a
// share of a core above a bare event loop.
//
//   QT_QPA_PLATFORM=offscreen ./bench_refresh [-median 5]
//   QT_QPA_PLATFORM=offscreen ./bench_refresh idleWindowOnEachPage
#include "configmodel.h"
#include "curewidget.h"
#include "hover.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "mwidget.h"
#include "proccpu.h"
#include "windowprobe.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMetaMethod>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

const char *const kPageNames[6] = {"Monitor", "Basic", "Advanced 1", "Advanced 2", "Mixes", "System"};

// Tells the measuring process, through the pipe `fd`, that this process
// has started and run its first second of refresh ticks.
void reportReadySoon(int fd)
{
    QTimer::singleShot(1000, [fd] {
        if (::write(fd, "R", 1) != 1)
            std::perror("ready pipe");
        ::close(fd);
    });
}

// The idle window in a process of its own: shown on `page`, its port
// closed, or open on `port` with nothing arriving.
int runIdleWindow(int argc, char **argv, int page, const char *port, int readyFd)
{
    QApplication app(argc, argv);
    MainWindow w;
    w.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(page);
    w.show();
    if (std::strcmp(port, "-") != 0) {
        auto *box = w.findChild<QComboBox *>(QStringLiteral("portNameBox"));
        box->addItem(QString::fromLocal8Bit(port));
        box->setCurrentIndex(box->count() - 1);
        w.findChild<QPushButton *>(QStringLiteral("openButton"))->click();
    }
    reportReadySoon(readyFd);
    return app.exec();
}

// The yardstick: a GUI application with nothing but its event loop.
int runEventLoop(int argc, char **argv, int readyFd)
{
    QApplication app(argc, argv);
    reportReadySoon(readyFd);
    return app.exec();
}

double nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e9 + ts.tv_nsec;
}

// This program started again in one of the modes above.
struct Child
{
    pid_t pid = -1;
    int ready = -1;               // read end of the ready pipe
    int master = -1, slave = -1;  // the silent line, when the port is open
    std::vector<double> shares;   // % of a core, one per round

    bool start(const char *self, const char *mode, int page, bool portOpen)
    {
        char name[256] = "-";
        if (portOpen) {
            if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
                return false;
            termios tio{};
            tcgetattr(slave, &tio);
            cfmakeraw(&tio);
            tcsetattr(slave, TCSANOW, &tio);
            fcntl(master, F_SETFD, FD_CLOEXEC);
            fcntl(slave, F_SETFD, FD_CLOEXEC);
        }
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return false;
        pid = fork();
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            fcntl(fds[1], F_SETFD, 0);
            const QByteArray fd = QByteArray::number(fds[1]);
            const QByteArray pageArg = QByteArray::number(page);
            if (std::strcmp(mode, "--event-loop") == 0)
                execl("/proc/self/exe", self, mode, fd.constData(), static_cast<char *>(nullptr));
            else
                execl("/proc/self/exe", self, mode, pageArg.constData(), name, fd.constData(),
                      static_cast<char *>(nullptr));
            _exit(127);
        }
        ::close(fds[1]);
        ready = fds[0];
        return pid > 0;
    }

    // Started, and when its port is open the window's greeting came.
    bool waitReady()
    {
        if (readText(ready, 1, 60000) != "R")
            return false;
        return master < 0 || readText(master, 2, 10000) == "OK";
    }

    void stop()
    {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        for (int fd : {ready, master, slave})
            if (fd >= 0)
                ::close(fd);
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

class BenchRefresh : public QObject
{
    Q_OBJECT

    QMetaMethod tickMethod(MainWindow &w)
    {
        const QMetaObject *mo = w.metaObject();
        return mo->method(mo->indexOfSlot("ui_Display()"));
    }

    // Shown on `page` and painted once, as a user has it.
    bool showOnPage(MainWindow &w, int page)
    {
        w.findChild<QTabWidget *>("tabWidget")->setCurrentIndex(page);
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }

private slots:
    void tickUnchangedModel_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("hidden window") << -1;
        QTest::newRow("shown, channel page") << 1;
        QTest::newRow("shown, curve page") << 3;
    }
    void tickUnchangedModel()
    {
        QFETCH(int, page);
        MainWindow w;
        ConfigModel &cfg = w.model();
        if (page >= 0)
            QVERIFY(showOnPage(w, page));
        const QMetaMethod tick = tickMethod(w);
        // Make sure the tick really reaches the widgets before timing it.
        cfg.sub1 = 7;
        QVERIFY(tick.invoke(&w));
        QCOMPARE(w.findChild<QSpinBox *>("spinBox_sub1")->value(), 7);
        cfg.sub1 = 0;
        tick.invoke(&w);
        QCoreApplication::processEvents();
        QBENCHMARK
        {
            tick.invoke(&w);
        }
    }

    // The monitor page while the sticks move: every bar and value changes
    // between two ticks, and the paint that follows is counted too.
    void tickMovingSticks()
    {
        MainWindow w;
        MonitorState &mon = WindowProbe::monitor(w);
        QVERIFY(showOnPage(w, 0));
        const QMetaMethod tick = tickMethod(w);
        int step = 0;
        QBENCHMARK
        {
            ++step;
            for (int k = 0; k < 8; ++k)
                mon.*kServoFields[k] = 1000 + ((step + k) % 2 ? 400 : -400) + k;
            mon.TxVoltLive = 800 + step % 2;
            tick.invoke(&w);
            QCoreApplication::sendPostedEvents();
        }
    }

    // While the pointer rests on a combo box past the threshold its sheet
    // is read and applied again on every tick.
    void tickWithPointerRestingOnACombo()
    {
        MainWindow w;
        // The pointer can only rest on a box that is shown, and only a
        // shown (polished) box pays for the new sheet.
        QVERIFY(showOnPage(w, 3));
        QComboBox *box = w.findChild<QComboBox *>("comboBox_DR_POSI");
        box->setAttribute(Qt::WA_UnderMouse, true);
        WindowProbe::hover(w).drPosi = kHoverTicks;
        const QMetaMethod tick = tickMethod(w);
        tick.invoke(&w);
        QFile rev(QString::fromLatin1(kComboSheetRev));
        if (rev.open(QIODevice::ReadOnly))
            QCOMPARE(box->styleSheet(), QString::fromUtf8(rev.readAll()));
        else
            qWarning("the style sheets are not in the bundle; this measures the failed open only");
        QBENCHMARK
        {
            tick.invoke(&w);
        }
    }

    // The window idle on each page, port closed and open on a silent
    // line, beside a bare event loop: every one in a process of its own,
    // all measured over the same periods so that the host's load weighs on
    // each alike.  ZQ_BENCH_SECONDS sets the length of a period (5 s; three
    // of them).
    void idleWindowOnEachPage()
    {
        const int seconds =
            qEnvironmentVariableIsSet("ZQ_BENCH_SECONDS") ? qEnvironmentVariableIntValue("ZQ_BENCH_SECONDS") : 5;
        const int rounds = 3;
        const QByteArray selfPath = QCoreApplication::arguments().value(0).toLocal8Bit();
        std::vector<Child> children(13);
        bool started = children[0].start(selfPath.constData(), "--event-loop", 0, false);
        for (int i = 0; i < 12; ++i) {
            Child &c = children[1 + i];
            const bool open = i % 2;
            started = c.start(selfPath.constData(), "--idle-window", i / 2, open) && started;
        }
        for (Child &c : children)
            started = started && c.waitReady();
        if (!started) {
            for (Child &c : children)
                c.stop();
            QFAIL("an idle window did not start");
        }
        for (int r = 0; r < rounds; ++r) {
            std::vector<double> c0;
            for (const Child &c : children)
                c0.push_back(processCpuNs(c.pid));
            const double w0 = nowNs();
            QTest::qSleep(seconds * 1000);
            const double wall = nowNs() - w0;
            for (size_t k = 0; k < children.size(); ++k)
                children[k].shares.push_back((processCpuNs(children[k].pid) - c0[k]) / wall * 100);
        }
        // Nothing may have been written to a silent line but the greeting.
        bool stray = false;
        for (const Child &c : children)
            stray = stray || (c.master >= 0 && !readText(c.master, 1, 0).isEmpty());
        for (Child &c : children)
            c.stop();
        QVERIFY2(!stray, "a window wrote to its silent line");

        const std::vector<double> &yard = children[0].shares;
        std::printf("bare event loop (the yardstick): %.2f %% of a core (median of %d x %d s)\n", median(yard), rounds,
                    seconds);
        // One line a page: the port closed, then open on the silent line.
        for (int page = 0; page < 6; ++page) {
            double figure[2], low[2], high[2];
            for (int open = 0; open < 2; ++open) {
                std::vector<double> above;
                for (int r = 0; r < rounds; ++r)
                    above.push_back(children[1 + 2 * page + open].shares[r] - yard[r]);
                figure[open] = median(above);
                low[open] = *std::min_element(above.begin(), above.end());
                high[open] = *std::max_element(above.begin(), above.end());
            }
            std::printf(
                "idle window above the event loop, %s page: %.2f %% of a core with the port closed "
                "(%.2f to %.2f), %.2f %% open on a silent line (%.2f to %.2f); median of %d x %d s\n",
                kPageNames[page], figure[0], low[0], high[0], figure[1], low[1], high[1], rounds, seconds);
        }
        std::fflush(stdout);
    }

    void paintThrottleCurve()
    {
        const ConfigModel cfg;
        cureWidget w;
        w.setModel(&cfg);
        w.resize(300, 300);
        QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
        QBENCHMARK
        {
            w.render(&img);
        }
    }

    void paintDualRateCurve()
    {
        ConfigModel cfg;
        cfg.DR_RATE = 70;
        cfg.DR_EXP = -30;
        mWidget w;
        w.setModel(&cfg);
        w.resize(280, 280);
        QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
        QBENCHMARK
        {
            w.render(&img);
        }
    }
};

int main(int argc, char **argv)
{
    // The idle windows and the yardstick are this program started again.
    if (argc == 5 && std::strcmp(argv[1], "--idle-window") == 0)
        return runIdleWindow(argc, argv, std::atoi(argv[2]), argv[3], std::atoi(argv[4]));
    if (argc == 3 && std::strcmp(argv[1], "--event-loop") == 0)
        return runEventLoop(argc, argv, std::atoi(argv[2]));
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    BenchRefresh bench;
    return QTest::qExec(&bench, argc, argv);
}
#include "bench_refresh.moc"
