// A transmitter that goes away while its port is open (the USB cable is
// pulled): the window notices, tells the user once and is ready to open
// again, and meanwhile must neither crash, hang nor burn the CPU.
//
// The CPU-share checks idle for seconds: they run only with ZQ_CPU_SHARE=1,
// as the CTest case tst_unplug_cpu (label slow) does.
#include "commandtime.h"
#include "configmodel.h"
#include "linecheck.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "portlist.h"
#include "portwrite.h"
#include "status.h"
#include "testsupport.h"
#include "texts.h"
#include "windowprobe.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
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

// Counts writes into a port that is not open (Qt warns about each).
int deadWrites = 0;
void countDeadWrites(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type == QtWarningMsg && msg.contains(QLatin1String("not open")))
        ++deadWrites;
}

int measureMs()
{
    const int ms = qEnvironmentVariableIntValue("ZQ_UNPLUG_MS");
    return ms > 0 ? ms : 3000;
}

// The window's once-a-second look at the system's ports.
QTimer *portWatch(QWidget &w)
{
    for (QTimer *t : w.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
        if (t->interval() == 1000)
            return t;
    return nullptr;
}

bool cpuShareChecked()
{
    return qEnvironmentVariableIntValue("ZQ_CPU_SHARE") == 1;
}

}  // namespace

class TestUnplug : public QObject
{
    Q_OBJECT

private slots:
    void init() { commandtime::scaled(); }

    // Lists as "name name ... @selected"; "-" for a list left alone.  box:
    // what the 120 px box shows of the selection afterwards.
    void portListFollowsPlugging_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("box");
        QTest::newRow("no change, hand-added port stays") << "ttyS0 /dev/pts/3 @1"
                                                          << "ttyS0"
                                                          << "ttyS0"
                                                          << "-"
                                                          << "pts/3";
        QTest::newRow("plugged in: system order, selected") << "ttyS0 ttyS1 @0"
                                                            << "ttyS0 ttyS1"
                                                            << "ttyS0 ttyUSB0 ttyS1"
                                                            << "ttyS0 ttyUSB0 ttyS1 @1"
                                                            << "ttyUSB0";
        QTest::newRow("another unplugged, selection stays") << "ttyACM0 ttyUSB0 @1"
                                                            << "ttyACM0 ttyUSB0"
                                                            << "ttyUSB0"
                                                            << "ttyUSB0 @0"
                                                            << "ttyUSB0";
        QTest::newRow("selected unplugged") << "ttyS0 ttyUSB0 @1"
                                            << "ttyS0 ttyUSB0"
                                            << "ttyS0"
                                            << "ttyS0 @0"
                                            << "ttyS0";
        QTest::newRow("offered pty keeps its row") << "/dev/pts/7 ttyS0 @0"
                                                   << "ttyS0"
                                                   << "ttyS0 ttyUSB0"
                                                   << "/dev/pts/7 ttyS0 ttyUSB0 @2"
                                                   << "ttyUSB0";
        QTest::newRow("by-id link shown by its last part")
            << "ttyS0 /dev/serial/by-id/usb-Serial_Adapter_A50285BI-if00-port0 @1"
            << "ttyS0"
            << ""
            << "/dev/serial/by-id/usb-Serial_Adapter_A50285BI-if00-port0 @0"
            << "usb-Serial_Adapter_A50285BI-if00-port0";
        QTest::newRow("last one gone") << "ttyUSB0 @0"
                                       << "ttyUSB0"
                                       << ""
                                       << "@-1"
                                       << "";
    }

    void portListFollowsPlugging()
    {
        QFETCH(QString, shown);
        QFETCH(QString, before);
        QFETCH(QString, now);
        const auto names = [](const QString &s) { return s.split(QLatin1Char(' '), Qt::SkipEmptyParts); };
        QStringList list = names(shown);
        const int current = list.takeLast().mid(1).toInt();
        QStringList handAdded;  // what the system never listed was put there by hand
        for (const QString &name : list)
            if (!names(before).contains(name) && !names(now).contains(name))
                handAdded << name;
        const PortListUpdate u = followPorts(list, current, names(before), names(now), handAdded);
        const QString result = (u.items + QStringList{QStringLiteral("@%1").arg(u.current)}).join(QLatin1Char(' '));
        QTEST(u.changed ? result : QStringLiteral("-"), "result");
        const QStringList after = u.changed ? u.items : list;
        const int selected = u.changed ? u.current : current;
        QTEST(shortPortName(after.value(selected)), "box");
    }

    // A full output buffer is a live line; a closed master is not.
    void lineCheckTellsAFullLineFromAGoneOne()
    {
        PtyPeer peer;
        QSerialPort port(peer.slavePath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        const QString file = portFileLocation(port.portName());
        QCOMPARE(file, peer.slavePath());
        QVERIFY(!serialLineGone(port.handle(), file, QSerialPort::NoError));
        port.write(QByteArray(256 * 1024, 'x'));
        QVERIFY(!waitUntil([&] { return port.bytesToWrite() == 0; }, 300));
        QVERIFY(!serialLineGone(port.handle(), file, QSerialPort::ResourceError));
        peer.closeMaster();
        QVERIFY(serialLineGone(port.handle(), file, QSerialPort::NoError));
        QVERIFY(serialLineGone(port.handle(), file + QLatin1String("-gone"), QSerialPort::NoError));
    }

    // A line that takes part of a write at once gets the rest after it.
    void partlyTakenWriteSendsTheRest()
    {
        PtyPeer peer;
        QSerialPort port(peer.slavePath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        QByteArray bytes(256 * 1024, '\0');
        for (int k = 0; k < bytes.size(); ++k)
            bytes[k] = char(k % 251);
        writeToPort(port, bytes.constData(), bytes.size());
        QVERIFY(port.bytesToWrite() > 0 && port.bytesToWrite() < bytes.size());
        QVERIFY(peer.readAtLeast(bytes.size()) == bytes);
    }

    void pulledCableEndsTheConnection()
    {
        MainWindow w;
        MonitorState &mon = WindowProbe::monitor(w);
        w.show();
        auto *button = w.findChild<QPushButton *>(QStringLiteral("openButton"));
        auto *box = w.findChild<QComboBox *>(QStringLiteral("portNameBox"));
        QVERIFY(button && box);

        const double idleShare = cpuShareChecked() ? cpuShareWhileIdle(measureMs()) : 0;

        auto first = std::make_unique<PtyPeer>();
        QVERIFY(first->isOpen());
        openPortInWindow(&w, first->slavePath());
        QVERIFY(first->waitFor("OK"));
        QVERIFY(first->send(servoPacket(1500)));
        QVERIFY(first->waitFor("WWW"));
        QCOMPARE(mon.Servo1, 1500);
        mon.TxVoltLive = 840, mon.ExtVoltLive = 110, mon.RssiLive = 40, mon.RxVoltLive = 50;

        // Pull the cable, then let the tool sit there as a user would.
        QSignalSpy lost(&w, SIGNAL(linkLost()));
        const LinkTexts texts = linkTexts();
        {
            ModalCloser closer(50);
            first->closeMaster();
            QVERIFY(waitUntil([&] { return closer.count == 1; }, 5000));
            qInfo("loss shown %lld ms after the pull", closer.firstSeenAtMs);
            QCOMPARE(closer.lastTitle, texts.title);
            QCOMPARE(closer.lastText, texts.lineLost);
            QCOMPARE(lost.count(), 1);
            QCOMPARE(button->text(), texts.openText);
            QVERIFY(box->isEnabled());
            QCOMPARE(mon.Servo1, 1000);
            QVERIFY(!mon.TxVoltLive && !mon.ExtVoltLive && !mon.RssiLive && !mon.RxVoltLive);  // read-outs at rest
            if (cpuShareChecked()) {
                const int ms = measureMs();
                const double unplugged = cpuShareWhileIdle(ms);
                qInfo("CPU share over %d ms: %.1f%% idle with no port, %.1f%% after the cable was pulled", ms,
                      idleShare * 100, unplugged * 100);
                QVERIFY2(unplugged < 0.25, qPrintable(QStringLiteral("%1 %").arg(unplugged * 100, 0, 'f', 1)));
            } else {
                // At least until the port list was looked at again.
                QSignalSpy look(portWatch(w), &QTimer::timeout);
                QVERIFY(look.wait(5000));
            }
            QCOMPARE(closer.count, 1);
            QCOMPARE(lost.count(), 1);
        }
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
        QVERIFY(!cpuShareChecked() || cpuShareWhileIdle(500) < 0.25);
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
        WindowProbe::heldKnown(w) = true;
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
        ModalCloser closer(50);
        deadWrites = 0;
        const QtMessageHandler previous = qInstallMessageHandler(countDeadWrites);
        bool done = false;
        QTimer::singleShot(0, send, [&] {
            send->click();
            done = true;
        });
        QVERIFY(waitUntil([&] { return done; }, 10000));
        qInstallMessageHandler(previous);
        QVERIFY(cpuAtPull >= 0);
        QVERIFY(got.startsWith("S"));
        if (cpuShareChecked()) {
            cpuShareWhileIdle(int(qMax<qint64>(0, 1000 - sincePull.elapsed())));  // the write ends at the loss
            const double share = (cpuSeconds() - cpuAtPull) / (double(sincePull.elapsed()) / 1000.0);
            qInfo("CPU share while the write went on after the pull: %.1f%%", share * 100);
            QVERIFY2(share < 0.25, qPrintable(QStringLiteral("%1 %").arg(share * 100, 0, 'f', 1)));
            QVERIFY(cpuShareWhileIdle(1000) < 0.25);
        }
        QCOMPARE(closer.count, 1);
        // The designed line, then which frames went and what that leaves.
        QCOMPARE(closer.lastText, linkTexts().lineLost + "\n" + framesLeftText(1));
        const QString status = w.findChild<QLabel *>(QStringLiteral("statusCommand"))->text();
        QVERIFY2(
            QRegularExpression(QStringLiteral("^在第 1 帧（共 4 帧）之后中止：串口已断开（\\d\\d:\\d\\d:\\d\\d）$"))
                .match(status)
                .hasMatch(),
            qPrintable(status));
        QCOMPARE(deadWrites, 0);
        QCOMPARE(button->text(), linkTexts().openText);

        PtyPeer again;
        openPortInWindow(&w, again.slavePath());
        QVERIFY(again.waitFor("OK"));
        QCOMPARE(button->text(), linkTexts().closeText);
        // The loss ended that write only: the next command runs.
        QTimer::singleShot(0, w.findChild<QAbstractButton *>(QStringLiteral("toolButton_Read")),
                           &QAbstractButton::click);
        QVERIFY(again.waitFor("RR", 5000));
    }
};

QTEST_MAIN(TestUnplug)
#include "tst_unplug.moc"
