// The write sequence on a pseudo-terminal: four frames 800 ms apart and
// "WWW", or only the notice when no port is open.
#include "configmodel.h"
#include "frameencoder.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "testsupport.h"
#include "wirecapture.h"

#include <QAbstractButton>
#include <QTimer>
#include <QtTest>

namespace {

const QByteArray kInitialFrames =
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y"
    "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z"
    "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X"
    "I8888888812121212000000000000000000000000000000000000000000000000000000000000000V";

QAbstractButton *button(MainWindow &w, const char *name)
{
    return w.findChild<QAbstractButton *>(QLatin1String(name));
}

} // namespace

class TstWrite : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetProgramState(); }

    void sendWritesTheFourFramesThenWWW()
    {
        MainWindow w;
        PtyPeer peer;
        QVERIFY(peer.isOpen());
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        peer.clearReceived();

        LogCapture log;
        QAbstractButton *send = button(w, "toolButton_Send");
        QVERIFY(send);
        WireRecorder cap(peer);
        QTimer::singleShot(0, send, &QAbstractButton::click);
        // A second click inside the 200 ms pause lands on a disabled button.
        QTimer::singleShot(60, send, &QAbstractButton::click);
        QVERIFY(cap.waitForBytes(327));
        cap.collectFor(400);

        QCOMPARE(cap.bytes, kInitialFrames + "WWW");
        QVERIFY2(cap.arrival(0) >= 190, qPrintable(QString::number(cap.arrival(0))));
        for (int k = 1; k <= 4; ++k) {
            const qint64 gap = cap.arrival(81 * k) - cap.arrival(81 * (k - 1));
            QVERIFY2(gap >= 790, qPrintable(QStringLiteral("gap before byte %1: %2 ms").arg(81 * k).arg(gap)));
        }
        QCOMPARE(Str1.toLatin1(), kInitialFrames.mid(0, 81));
        QCOMPARE(Str4.toLatin1(), kInitialFrames.mid(243, 81));
        for (const char *line : {"Str1Blength:81", "Str2Blength:81", "Str3Blength:81", "Str4Blength:81"})
            QVERIFY2(log.lines.contains(QLatin1String(line)), line);
        QVERIFY(send->isEnabled());
    }

    // A model the editors allow but the S frame cannot carry in full: the
    // frame keeps its length and every field its place.
    void voltageBeyondTheFieldStaysInItsPlace()
    {
        MainWindow w;
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        peer.clearReceived();
        cfg.Volt = 60.0;
        cfg.Mode = 3;
        cfg.StkTrim[2] = 240;

        WireRecorder cap(peer);
        QTimer::singleShot(0, button(w, "toolButton_Send"), &QAbstractButton::click);
        QVERIFY(cap.waitForBytes(327));
        QCOMPARE(cap.bytes.mid(77, 4), QByteArray("FF3Y"));
        QCOMPARE(cfg.VoltTenths, 600);
        QCOMPARE(cap.bytes.mid(243, 5), QByteArray("I88FF"));
        QCOMPARE(cap.bytes.mid(243 + 80, 4), QByteArray("VWWW"));
    }

    void withoutAPortOnlyTheNoticeAppears()
    {
        MainWindow w;
        PtyPeer peer;
        // Open and close again: the line stays, the window's port is closed.
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        QTest::mouseClick(button(w, "openButton"), Qt::LeftButton);
        QVERIFY(peer.waitFor("DIS"));
        peer.clearReceived();
        cfg.sub1 = 33;
        const ConfigModel before = cfg;

        ModalCloser closer;
        QTimer::singleShot(0, button(w, "toolButton_Send"), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return closer.count == 1; }, 5000));
        QCOMPARE(closer.lastTitle, QStringLiteral("提示"));
        QCOMPARE(closer.lastText, QStringLiteral("无法打开串口！"));
        QVERIFY2(closer.firstSeenAtMs >= 190 && closer.firstSeenAtMs < 1500,
                 qPrintable(QString::number(closer.firstSeenAtMs)));
        QCOMPARE(peer.collectFor(1000), QByteArray());
        QCOMPARE(Str1, frameTemplate(FrameS));
        QCOMPARE(Str2, frameTemplate(FrameG));
        QCOMPARE(cfg.VoltTenths, before.VoltTenths);
        QCOMPARE(cfg.sub1, 33);
    }
};

QTEST_MAIN(TstWrite)
#include "tst_write.moc"
