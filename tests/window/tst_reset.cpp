// Factory defaults and the two reset commands.
#include "commandtime.h"
#include "configmodel.h"
#include "factory.h"
#include "frameencoder.h"
#include "framefields.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "options.h"
#include "readback.h"
#include "testsupport.h"
#include "windowprobe.h"
#include "wirecapture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

namespace {

// A live receiver packet reporting the four stick trims (StkTrim[3]..[0]).
QByteArray trimPacket(int t3, int t2, int t1, int t0)
{
    QByteArray p(20, '\0');
    p[0] = char(0xFE);
    p[1] = char(0x19);
    p[2] = char(80);
    p[10] = char(t3);
    p[11] = char(t2);
    p[12] = char(t1);
    p[13] = char(t0);
    return p;
}

void editEverywhere(ConfigModel &m)
{
    m.sub1 = 30;
    m.rev3 = 0;
    m.FS3 = 70;
    m.Volt = 20.0;
    m.Mode = 4;
    m.THCURE_Data04 = 10;
    m.DR_UpExp[2] = 35;
    m.rxVolt = 6.0;
    m.Vertion = 7;
    for (int &t : m.StkTrim)
        t = 50;
    for (int &s : m.StkStep)
        s = 9;
}

}  // namespace

class TstReset : public QObject
{
    Q_OBJECT

private slots:
    // The factory settings are the start-up values, except Volt (3.7 V,
    // matching VoltTenths 37); DR_RATE and Vertion are not settings to reset.
    void factoryDefaultsOverAnyModel()
    {
        QRandomGenerator rng(3);
        for (int round = 0; round < 20; ++round) {
            ConfigModel m = randomWildModel(rng);
            m.DR_RATE = 55;
            m.DR_EXP = -40;
            m.Vertion = 321;
            factoryDefaults(m);
            ConfigModel expected;
            expected.Volt = 3.7;
            const QStringList diff = differingFrameFields(m, expected);
            QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
            QCOMPARE(m.DR_EXP, 0);
            QCOMPARE(m.DR_RATE, 55);
            QCOMPARE(m.Vertion, 321);
        }
    }

    // The designed sequences, as --no-verify keeps them.
    void init() { commandtime::scaled(), useEnglishTexts(false); }

    void resetWritesTheFactorySettings_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<bool>("holdsTrims");
        QTest::addColumn<bool>("confirm");  // declined in English
        QTest::newRow("top bar") << "toolButton_Reset" << true << true;
        QTest::newRow("system page") << "pushButton_Reset2" << false << true;
        if (qstrcmp(QTest::currentTestFunction(), "resetWithoutAPortChangesNothing") == 0)
            return;  // no question there
        QTest::newRow("top bar, declined") << "toolButton_Reset" << true << false;
        QTest::newRow("system page, declined") << "pushButton_Reset2" << false << false;
    }

    // Both resets write the factory frames and "WWW"; trims the transmitter
    // reports meanwhile never reach the I frame, and after the last frame
    // only the system page's reset lets them into the model.
    void resetWritesTheFactorySettings()
    {
        QFETCH(QString, buttonName);
        QFETCH(bool, holdsTrims);
        QFETCH(bool, confirm);
        QVERIFY(useEnglishTexts(!confirm));
        MainWindow w;
        w.setVerifyWrites(false);
        ConfigModel &cfg = w.model();
        int &trimHold = WindowProbe::trimHold(w);
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        peer.clearReceived();
        editEverywhere(cfg);
        const ConfigModel edited = cfg;
        QString asked;  // Yes is the first button; Enter must mean No
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                asked = box->text() + box->buttons().first()->text() + box->buttons().last()->text();
                confirm ? box->buttons().first()->click() : QTest::keyClick(box, Qt::Key_Return);
            }
        });
        answer.start(10);

        int holdDuringReset = -1;
        bool sentDuringH = false, sentDuringI = false;
        WireRecorder wire(peer, [&](const WireRecorder &r) {
            const int frameBytes = QByteArray(r.bytes).replace("WWW", "").size();
            if (frameBytes >= 243 && !sentDuringH) {
                sentDuringH = true;
                holdDuringReset = trimHold;
                peer.send(trimPacket(0x20, 0x21, 0x22, 0x23));
            }
            if (frameBytes >= 324 && !sentDuringI) {
                sentDuringI = true;
                peer.send(trimPacket(0x30, 0x31, 0x32, 0x33));
            }
        });
        auto *button = w.findChild<QAbstractButton *>(buttonName);
        QVERIFY(button);
        QTimer::singleShot(0, button, &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return !asked.isEmpty(); }, 5000));
        QCOMPARE(asked, confirm ? QStringLiteral("遥控器上的所有设置都将被出厂设置替换。是否继续？是否")
                                : QStringLiteral("Every setting on the transmitter will be replaced by the factory "
                                                 "settings. Continue?YesNo"));
        if (!confirm) {
            QVERIFY(waitForCommandEnd());
            QCOMPARE(wire.collectFor(commandtime::ms(1000)), QByteArray());
            QVERIFY2(differingFrameFields(cfg, edited).isEmpty() && trimHold == 0, "declined, nothing changes");
            return;
        }
        QVERIFY(waitUntil([&] { return QByteArray(wire.bytes).replace("WWW", "").size() >= 324; }, 15000));
        QVERIFY(waitUntil([&] { return wire.bytes.endsWith("WWW") && trimHold == 0; }, 3000));
        wire.collectFor(commandtime::ms(300));

        ConfigModel factory;
        factory.Volt = 3.7;
        QByteArray expected;
        for (FrameKind k : {FrameS, FrameG, FrameH, FrameI})
            expected += buildFrame(k, factory, frameTemplate(k)).toLatin1();
        QCOMPARE(QByteArray(wire.bytes).replace("WWW", ""), expected);
        QVERIFY(wire.bytes.endsWith("WWW"));
        QCOMPARE(expected.mid(77, 2), QByteArray("35"));
        QCOMPARE(expected.mid(243, 17), QByteArray("I8888888812121212"));

        QCOMPARE(holdDuringReset, holdsTrims ? 1 : 0);
        QCOMPARE(cfg.Vertion, 7);
        QCOMPARE(cfg.sub1, 0);
        QCOMPARE(cfg.rev3, 1);
        QCOMPARE(cfg.FS3, 0);
        QCOMPARE(cfg.Volt, 3.7);
        QCOMPARE(cfg.THCURE_Data04, 50);
        if (holdsTrims) {
            for (int t : cfg.StkTrim)
                QCOMPARE(t, 120);
        } else {
            QCOMPARE(cfg.StkTrim[3], 0x30);
            QCOMPARE(cfg.StkTrim[0], 0x33);
        }
    }

    void resetWithoutAPortChangesNothing_data() { resetWritesTheFactorySettings_data(); }

    void resetWithoutAPortChangesNothing()
    {
        QFETCH(QString, buttonName);
        QFETCH(bool, holdsTrims);
        MainWindow w;
        w.setVerifyWrites(false);
        ConfigModel &cfg = w.model();
        int &trimHold = WindowProbe::trimHold(w);
        PtyPeer peer;
        openPortInWindow(&w, peer.slavePath());
        QVERIFY(peer.waitFor("OK"));
        QTest::mouseClick(w.findChild<QAbstractButton *>("openButton"), Qt::LeftButton);
        QVERIFY(peer.waitFor("DIS"));
        peer.clearReceived();
        editEverywhere(cfg);
        // Let the pages show the edits (and echo them back).
        QTRY_COMPARE(w.findChild<QSpinBox *>("spinBox_sub1")->value(), 30);
        const ConfigModel before = cfg;

        int holdWhileShown = -1;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            if (qobject_cast<QMessageBox *>(QApplication::activeModalWidget()) && holdWhileShown < 0)
                holdWhileShown = trimHold;
        });
        probe.start(2);
        ModalCloser closer(50);
        WireRecorder wire(peer);
        QTimer::singleShot(0, w.findChild<QAbstractButton *>(buttonName), &QAbstractButton::click);
        QVERIFY(waitUntil([&] { return closer.count == 1; }, 5000));
        QCOMPARE(closer.lastTitle, QStringLiteral("提示"));
        QCOMPARE(closer.lastText, QStringLiteral("无法打开串口！"));
        QVERIFY2(closer.firstSeenAtMs >= commandtime::ms(190), qPrintable(QString::number(closer.firstSeenAtMs)));
        QVERIFY(waitForCommandEnd());
        QCOMPARE(wire.collectFor(commandtime::ms(1000)), QByteArray());
        QCOMPARE(holdWhileShown, holdsTrims ? 1 : 0);
        QCOMPARE(trimHold, 0);
        const QStringList diff = differingFrameFields(cfg, before);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
        QCOMPARE(cfg.DR_RATE, before.DR_RATE);
        QCOMPARE(WindowProbe::frame(w, FrameS), frameTemplate(FrameS));
    }
};

QTEST_MAIN(TstReset)
#include "tst_reset.moc"
