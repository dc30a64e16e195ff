// The link without a window: the test plays the transmitter on the master
// side of a pseudo-terminal and looks at the bytes of each command, their
// pauses, and where the answers go.
#include "commandtime.h"
#include "configmodel.h"
#include "modelfields.h"
#include "monitorstate.h"
#include "packetcases.h"
#include "packetframer.h"
#include "ptypeer.h"
#include "readback.h"
#include "readprogress.h"
#include "transmitterlink.h"
#include "wirecapture.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QByteArray kAck("WWW");

}  // namespace

class TestTransmitterLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void liveServoPacket();
    void liveReceiverPacketAndTrimHold();
    void everyChunkAnsweredOnce();
    void readTakenWhole_data();
    void readTakenWhole();
    void writeSendsTheFramesThenReadsBack();
    void pulledCableEndsTheWrite();

private:
    // Sends one chunk and waits for its acknowledgements.
    void exchange(const QByteArray &chunk, int answers = 1);

    ConfigModel pages;
    MonitorState live;
    std::unique_ptr<PtyPeer> peer;
    std::unique_ptr<TransmitterLink> link;
};

void TestTransmitterLink::init()
{
    commandtime::scaled();
    pages = ConfigModel();
    live = MonitorState();
    peer.reset(new PtyPeer);
    QVERIFY(peer->isOpen());
    link.reset(new TransmitterLink(pages, live));
    // As the window does through its serialPort_readyRead.
    connect(&link->port(), &QSerialPort::readyRead, link.get(), &TransmitterLink::takeBytes);
    QString why;
    QVERIFY2(link->open(peer->slavePath(), &why), qPrintable(why));
    QVERIFY(peer->waitFor("OK"));
    peer->clearReceived();
}

void TestTransmitterLink::cleanup()
{
    link.reset();
    peer.reset();
}

void TestTransmitterLink::exchange(const QByteArray &chunk, int answers)
{
    const int before = peer->received().size();
    QVERIFY(peer->send(chunk));
    QVERIFY2(waitUntil([&] {
                 peer->takeAvailable();
                 return peer->received().size() >= before + answers * kAck.size();
             }),
             "no acknowledgement");
    QCOMPARE(peer->received().mid(before), kAck.repeated(answers));
}

void TestTransmitterLink::liveServoPacket()
{
    LogCapture log;
    exchange(servoPacket({1500, 0x0102, 2000, 65535, 1000, 999, 1001, 500}, 1234));
    const int expected[8] = {1500, 258, 2000, 65535, 1000, 999, 1001, 500};
    for (int k = 0; k < 8; ++k)
        QCOMPARE(live.*kServoFields[k], expected[k]);
    QCOMPARE(live.TxVoltLive, 1234);
    QVERIFY(modelDiff(pages, ConfigModel{}).isEmpty());
    // Live packets are not logged.
    QVERIFY(log.lines.filter("ReadFlag").isEmpty());
}

void TestTransmitterLink::liveReceiverPacketAndTrimHold()
{
    int &trimHold = link->trimHold();
    exchange(receiverPacket(40, 84, 0x04D2, 0x1234, 0x5678, {0xFF, 0xEE, 0xEF, 0x10}));
    QCOMPARE(live.RssiLive, 40);
    // The trims once the line is quiet after the packet: it ended cleanly.
    QTRY_COMPARE(pages.StkTrim[3], 240);
    QCOMPARE(live.RxVoltLive, 84);
    QCOMPARE(live.ExtVoltLive, 1234);
    QCOMPARE(live.Spare1Live, 0x1234);
    QCOMPARE(live.Spare2Live, 0x5678);
    QCOMPARE(pages.StkTrim[3], 240);
    QCOMPARE(pages.StkTrim[2], 238);
    QCOMPARE(pages.StkTrim[1], 240);
    QCOMPARE(pages.StkTrim[0], 16);

    trimHold = 1;
    exchange(receiverPacket(95, 50, 77, 0, 0, {1, 2, 3, 4}));
    peer->collectFor(4 * PacketFramer::kQuietMs);
    QCOMPARE(live.RssiLive, 95);
    QCOMPARE(live.RxVoltLive, 50);
    QCOMPARE(live.ExtVoltLive, 77);
    QCOMPARE(pages.StkTrim[3], 240);
    QCOMPARE(pages.StkTrim[0], 16);

    trimHold = 0;
    exchange(receiverPacket(95, 50, 77, 0, 0, {1, 2, 3, 4}));
    QTRY_COMPARE(pages.StkTrim[3], 1);
    QCOMPARE(pages.StkTrim[0], 4);
}

void TestTransmitterLink::everyChunkAnsweredOnce()
{
    LogCapture log;
    const QByteArray servos = servoPacket({1100, 1200, 1300, 1400, 1500, 1600, 1700, 1800}, 900);
    QByteArray unknown = settingsPacket(0x50, {1, 2, 3, 4, 5, 6, 7, 8});
    QByteArray badMarker = settingsPacket(0x55, {0, 0, 0, 0, 0, 0, 0, 0});
    badMarker[11] = char(0x00);
    QByteArray wrongTag = servos;
    wrongTag[1] = char(0x20);
    // A run of junk is answered once, when the line goes quiet.
    const QList<QPair<QByteArray, int>> chunks = {
        {servos, 1},
        {settingsPacket(0x44, {1, 1, 1, 1, 1, 1, 1, 1}), 1},
        {unknown, 1},
        {badMarker, 1},
        {wrongTag, 1},
        {servos.left(13), 1},
        {QByteArray("x"), 1},
        {QByteArray(100, char(0xFE)), 1},
        {servos + servos, 2},  // two packets glued into one write
        // Junk, then a receiver packet within the quiet time: its monitor
        // values count, its trims may be junk's and do not.
        {QByteArray::fromHex("3700aa") + receiverPacket(40, 84, 0, 0, 0, {1, 2, 3, 4}), 2},
    };
    QSignalSpy taken(link.get(), &TransmitterLink::chunkTaken);
    for (const auto &c : chunks)
        exchange(c.first, c.second);
    // A packet split by more than the quiet time is two runs of junk.
    const QByteArray other = servoPacket({1900, 1000, 1000, 1000, 1000, 1000, 1000, 1000}, 0);
    exchange(other.left(6));
    exchange(other.mid(6));
    QCOMPARE(peer->collectFor(200), QByteArray());
    QCOMPARE(peer->received(), kAck.repeated(14));
    // Each answered chunk is told to the window before its answer, and
    // none of them refreshes the pages: no read awaited anything.
    QCOMPARE(taken.size(), 14);
    for (const QList<QVariant> &t : taken)
        QCOMPARE(t.value(0).toBool(), false);

    // Only the first live packet and the receiver packet decoded anything.
    QCOMPARE(live.Servo1, 1100);
    QCOMPARE(pages.rev1, 0);
    QCOMPARE(log.lines.filter("ReadFlag"), QStringList());
    QCOMPARE(pages.sub1, 0);
    QCOMPARE(live.RssiLive, 40);
    QCOMPARE(pages.StkTrim[0], 120);
}

void TestTransmitterLink::readTakenWhole_data()
{
    QTest::addColumn<bool>("aux");  // whether the AUX packet, the last group, comes
    QTest::newRow("every group") << true;
    QTest::newRow("no AUX packet") << false;
}

void TestTransmitterLink::readTakenWhole()
{
    QFETCH(bool, aux);
    QList<QByteArray> answers = wholeReadAnswers();
    ConfigModel expected;
    for (const SettingsCase &c : settingsCases())
        c.expect(expected);
    if (aux) {
        expected.AUX5 = 1, expected.AUX6 = 3, expected.AUX7 = 0, expected.AUX8 = 2;
    } else {
        QVERIFY(answers.removeOne(auxPacket(1, 3, 0, 2)));
    }
    ReadAnswerer transmitter(*peer, answers);
    LogCapture log;
    QCOMPARE(link->requestSettings(pages), aux);
    QCOMPARE(transmitter.sent, answers.size());
    QCOMPARE(link->progress().groupsArrived(), ReadProgress::kGroups - (aux ? 0 : 1));
    QVERIFY(!link->takingAnswers());
    // The answers as sent, in the read's copy; the pages untouched.
    const QStringList diff = modelDiff(link->answers(), expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(' ')));
    QVERIFY(modelDiff(pages, ConfigModel{}).isEmpty());
    QCOMPARE(log.lines.filter("ReadFlag").size(), answers.size());
    peer->collectFor(50);
    QCOMPARE(peer->received(), "RR" + kAck.repeated(answers.size()));
}

// A write as the window runs it: the button pause, frames S G H I each
// with its pause, "WWW", the settle pause and "RR"; nobody answers here.
void TestTransmitterLink::writeSendsTheFramesThenReadsBack()
{
    pages.sub1 = 37;
    pages.Lepa2 = 96;
    WireRecorder wire(*peer);
    LogCapture log;
    QSignalSpy frames(link.get(), &TransmitterLink::frameGoing);
    QSignalSpy closing(link.get(), &TransmitterLink::closingWordSent);
    CommandWaits &waits = link->waits();
    waits.start();
    QVERIFY(waits.pause(kButtonPauseMs));
    link->sendFrames();
    link->sendClosingWord();
    const TransmitterLink::ReadBack verdict = link->readBack(pages);
    waits.finish();
    QCOMPARE(int(verdict), int(TransmitterLink::ReadBack::Incomplete));

    const QString s = link->storedFrame(FrameS), g = link->storedFrame(FrameG), h = link->storedFrame(FrameH),
                  i = link->storedFrame(FrameI);
    QVERIFY(wire.waitForBytes(4 * 81 + 5));
    QCOMPARE(wire.bytes, (s + g + h + i).toUtf8() + "WWW" + "RR");
    // The frames carry the pages.
    QVERIFY(modelDiff(modelOfFrames(ConfigModel{}, s, g, h, i), pages).isEmpty());
    QCOMPARE(frames.size(), 4);
    for (int k = 0; k < 4; ++k)
        QCOMPARE(frames[k].value(0).toInt(), k + 1);
    QCOMPARE(closing.size(), 1);
    const QStringList tooShort = shortWaits(wire, log, true);
    QVERIFY2(tooShort.isEmpty(), qPrintable(tooShort.join("; ")));
}

// The line hangs up after the G frame: the loss is told before the port
// closes, the remaining pauses are cut short and nothing more is sent.
void TestTransmitterLink::pulledCableEndsTheWrite()
{
    QStringList told;
    CommandWaits &waits = link->waits();
    // As the window does: a lost line abandons the command.
    connect(link.get(), &TransmitterLink::lineLost, &waits, &CommandWaits::abandon);
    connect(link.get(), &TransmitterLink::lineLost, [&] { told << QStringLiteral("lost"); });
    connect(link.get(), &TransmitterLink::closed,
            [&](bool lost) { told << (lost ? "closed after a loss" : "closed"); });
    connect(link.get(), &TransmitterLink::frameGoing, [&](int n) {
        told << QStringLiteral("frame %1").arg(n);
        if (n == 2)
            peer->closeMaster();
    });
    // The window looks at the line once a second; here more often.
    QTimer watch;
    connect(&watch, &QTimer::timeout, link.get(), &TransmitterLink::checkLine);
    watch.start(20);
    QElapsedTimer clock;
    clock.start();
    waits.start();
    link->sendFrames();
    link->sendClosingWord();
    waits.finish();
    QVERIFY(waits.cutShort());
    QVERIFY(!link->isOpen());
    QCOMPARE(told, QStringList({"frame 1", "frame 2", "lost", "closed after a loss", "frame 3", "frame 4"}));
    // Four whole pauses would mean the loss cut nothing short.
    QVERIFY2(clock.elapsed() < 4 * commandtime::ms(kFramePauseMs), qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestTransmitterLink)
#include "tst_transmitterlink.moc"
