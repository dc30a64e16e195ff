// A transmitter that goes away while its port is open (the USB cable is
// pulled): the window keeps showing the connection until the user closes
// it, and meanwhile must neither crash, hang nor burn the CPU.
#include "configmodel.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "texts.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the plain event loop (no polling of our own) for ms and returns the
// process's CPU time over that wall time.
double cpuShareWhileIdle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    wall.start();
    const double before = cpuSeconds();
    loop.exec();
    return (cpuSeconds() - before) / (double(wall.elapsed()) / 1000.0);
}

QByteArray servoPacket(int servo1)
{
    QByteArray p(20, '\0');
    p[0] = char(0xFE);
    p[1] = char(0x18);
    for (int ch = 0; ch < 8; ++ch) {
        const int v = ch == 0 ? servo1 : 1000;
        p[2 + 2 * ch] = char(v >> 8);
        p[3 + 2 * ch] = char(v & 0xFF);
    }
    return p;
}

int measureMs()
{
    const int ms = qEnvironmentVariableIntValue("ZQ_UNPLUG_MS");
    return ms > 0 ? ms : 3000;
}

} // namespace

class TestUnplug : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetProgramState(); }

    void pulledCableKeepsTheWindowCalm()
    {
        MainWindow w;
        w.show();
        auto *button = w.findChild<QPushButton *>(QStringLiteral("openButton"));
        auto *box = w.findChild<QComboBox *>(QStringLiteral("portNameBox"));
        QVERIFY(button && box);

        const double idleShare = cpuShareWhileIdle(measureMs());

        auto first = std::make_unique<PtyPeer>();
        QVERIFY(first->isOpen());
        openPortInWindow(&w, first->slavePath());
        QVERIFY(first->waitFor("OK"));
        QVERIFY(first->send(servoPacket(1500)));
        QVERIFY(first->waitFor("WWW"));
        QCOMPARE(mon.Servo1, 1500);

        // Pull the cable, then let the tool sit there as a user would.
        first->closeMaster();
        const int ms = measureMs();
        const double unplugged = cpuShareWhileIdle(ms);
        // A command that writes into the dead line (here the read request).
        auto *read = w.findChild<QAbstractButton *>(QStringLiteral("toolButton_Read"));
        QVERIFY(read);
        {
            ModalCloser closer;  // nobody answers: the read says it is incomplete
            read->click();
        }
        const double afterWrite = cpuShareWhileIdle(ms);
        qInfo("CPU share over %d ms: %.1f%% idle with no port, %.1f%% with the transmitter gone, "
              "%.1f%% after writing to the dead line",
              ms, idleShare * 100, unplugged * 100, afterWrite * 100);
        QVERIFY2(unplugged < 0.25, qPrintable(QStringLiteral("%1 %").arg(unplugged * 100, 0, 'f', 1)));
        QVERIFY2(afterWrite < 0.25, qPrintable(QStringLiteral("%1 %").arg(afterWrite * 100, 0, 'f', 1)));

        // Nothing closes the connection but the user.
        const LinkTexts texts = linkTexts();
        QCOMPARE(button->text(), texts.closeText);
        QVERIFY(!box->isEnabled());
        QCOMPARE(mon.Servo1, 1500);

        // Closing still works and brings the window back to rest.
        QElapsedTimer t;
        t.start();
        button->click();
        QVERIFY2(t.elapsed() < 2000, "closing a dead port must not block");
        QCOMPARE(button->text(), texts.openText);
        QVERIFY(box->isEnabled());
        QCOMPARE(mon.Servo1, 1000);
        first.reset();

        // Another transmitter on another port works as if nothing happened.
        PtyPeer second;
        QVERIFY(second.isOpen());
        openPortInWindow(&w, second.slavePath());
        QCOMPARE(button->text(), texts.closeText);
        QVERIFY(second.waitFor("OK"));
        QVERIFY(second.send(servoPacket(1700)));
        QVERIFY(second.waitFor("WWW"));
        QCOMPARE(mon.Servo1, 1700);
        QVERIFY(cpuShareWhileIdle(500) < 0.25);
        button->click();
        QVERIFY(second.waitFor("DIS"));
    }

    // The cable goes while a write waits between its frames: the rest of
    // the frames and the closing "WWW" go into the dead line.
    void pulledCableDuringAWrite()
    {
        MainWindow w;
        auto *button = w.findChild<QPushButton *>(QStringLiteral("openButton"));
        auto *send = w.findChild<QAbstractButton *>(QStringLiteral("toolButton_Send"));
        QVERIFY(button && send);
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        peer.clearReceived();

        // Pull the cable from inside the write's own waits, once the first
        // frame is through.
        QByteArray got;
        double cpuAtPull = -1;
        QElapsedTimer sincePull;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            got += peer.takeAvailable();
            if (got.size() >= 81 && cpuAtPull < 0) {
                peer.closeMaster();
                cpuAtPull = cpuSeconds();
                sincePull.start();
            }
        });
        watch.start(5);
        bool done = false;
        QTimer::singleShot(0, send, [&] {
            send->click();
            done = true;
        });
        QVERIFY(waitUntil([&] { return done; }, 10000));
        QVERIFY(cpuAtPull >= 0);
        QVERIFY(got.startsWith("S"));
        const double share = (cpuSeconds() - cpuAtPull) / (double(sincePull.elapsed()) / 1000.0);
        qInfo("CPU share while the write went on into the dead line: %.1f%%", share * 100);
        QVERIFY2(share < 0.25, qPrintable(QStringLiteral("%1 %").arg(share * 100, 0, 'f', 1)));
        QVERIFY(cpuShareWhileIdle(1000) < 0.25);

        QCOMPARE(button->text(), linkTexts().closeText);
        button->click();
        QCOMPARE(button->text(), linkTexts().openText);
    }
};

QTEST_MAIN(TestUnplug)
#include "tst_unplug.moc"
