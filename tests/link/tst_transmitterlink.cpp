// The link without a window: the test plays the transmitter on the master
// side of a pseudo-terminal and looks at the bytes of each command, their
// pauses, and where the answers go.
#include "commandtime.h"
#include "configmodel.h"
#include "modelfields.h"
#include "monitorstate.h"
#include "packetcases.h"
#include "packetformat.h"
#include "packetframer.h"
#include "ptypeer.h"
#include "readback.h"
#include "readprogress.h"
#include "simengine.h"
#include "transmitterlink.h"
#include "wirecapture.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>
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
    void readBackVerdicts_data();
    void readBackVerdicts();
    void pulledCableEndsTheWrite();

private:
    // Sends one chunk and waits for its acknowledgements.
    void exchange(const QByteArray &chunk, int answers = 1) { ::exchange(*peer, chunk, answers); }

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

void TestTransmitterLink::liveServoPacket()
{
    QSignalSpy answers(link.get(), &TransmitterLink::answerTaken);
    exchange(servoPacket({1500, 0x0102, 2000, 65535, 1000, 999, 1001, 500}, 1234));
    const int expected[8] = {1500, 258, 2000, 65535, 1000, 999, 1001, 500};
    for (int k = 0; k < 8; ++k)
        QCOMPARE(live.*kServoFields[k], expected[k]);
    QCOMPARE(live.TxVoltLive, 1234);
    QVERIFY(modelDiff(pages, ConfigModel{}).isEmpty());
    // A live packet is no read's answer.
    QCOMPARE(answers.size(), 0);
}

void TestTransmitterLink::liveReceiverPacketAndTrimHold()
{
    int &trimHold = link->trimHold();
    exchange(receiverPacket(40, 84, 0x04D2, 0x1234, 0x5678, {0xFF, 0xEE, 0xEF, 0x10}));
    QCOMPARE(live.RssiLive, 40);
    // The trims once the line is quiet after the packet: it ended cleanly.
    // What each byte means is the decoder's suite's.
    QTRY_COMPARE(pages.StkTrim[3], 240);
    QCOMPARE(pages.StkTrim[0], 16);

    trimHold = 1;
    exchange(receiverPacket(95, 50, 77, 0, 0, {1, 2, 3, 4}));
    peer->collectFor(4 * PacketFramer::kQuietMs);
    QCOMPARE(live.RssiLive, 95);
    QCOMPARE(pages.StkTrim[3], 240);
    QCOMPARE(pages.StkTrim[0], 16);

    trimHold = 0;
    exchange(receiverPacket(95, 50, 77, 0, 0, {1, 2, 3, 4}));
    QTRY_COMPARE(pages.StkTrim[3], 1);
    QCOMPARE(pages.StkTrim[0], 4);
}

void TestTransmitterLink::everyChunkAnsweredOnce()
{
    QSignalSpy answers(link.get(), &TransmitterLink::answerTaken);
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
    QCOMPARE(answers.size(), 0);
    QCOMPARE(pages.sub1, 0);
    QCOMPARE(live.RssiLive, 40);
    QCOMPARE(pages.StkTrim[0], 120);
}

void TestTransmitterLink::readTakenWhole_data()
{
    // The AUX packet as it comes after code 99 (none, whole, or with junk
    // glued before it: then it is junk too), and chunks after the read: a
    // transmitter answering twice or late, eight AUX-shaped bytes after
    // silence.  Each late chunk is answered once and decodes nothing.
    QTest::addColumn<QByteArray>("aux");
    QTest::addColumn<QList<QByteArray>>("late");
    const QByteArray aux = auxPacket(1, 3, 0, 2);
    QTest::newRow("every group") << aux << QList<QByteArray>();
    QTest::newRow("no AUX packet") << QByteArray() << QList<QByteArray>();
    QTest::newRow("junk glued before the AUX packet") << QByteArray::fromHex("0000aa") + aux << QList<QByteArray>();
    QTest::newRow("every group, then answers again")
        << aux
        << QList<QByteArray>{settingsPacket(0x55, {153, 120, 120, 120, 120, 120, 120, 120}), auxPacket(5, 5, 5, 5)};
    QTest::newRow("every group, then eight AUX-shaped bytes")
        << aux << QList<QByteArray>{QByteArray::fromHex("0000aa0505050500")};
}

void TestTransmitterLink::readTakenWhole()
{
    QFETCH(QByteArray, aux);
    QFETCH(QList<QByteArray>, late);
    const bool whole = aux.size() == 8;
    // The answers in the transmitter's order, and after each one what the
    // read's copy must hold: each group fills its own fields and no other.
    QList<QByteArray> answers;
    QList<ConfigModel> expectedAfter;
    QList<int> expectedFlags;
    ConfigModel expected;
    for (const SettingsCase &c : settingsCases()) {
        answers << c.packet;
        c.expect(expected);
        expectedAfter << expected, expectedFlags << c.readFlag;
        if (c.code == 0x99 && !aux.isEmpty()) {
            answers << aux;
            if (whole) {
                expected.AUX5 = 1, expected.AUX6 = 3, expected.AUX7 = 0, expected.AUX8 = 2;
                expectedAfter << expected, expectedFlags << packet::kAuxReadFlag;
            }
        }
    }
    QList<int> flags;
    QList<ConfigModel> copies;
    connect(link.get(), &TransmitterLink::answerTaken, this, [&](int flag) {
        flags << flag;
        copies << link->answers();
    });
    ReadAnswerer transmitter(*peer, answers);
    LogCapture log;
    QCOMPARE(link->requestSettings(pages), whole);
    QCOMPARE(transmitter.sent, answers.size());
    QCOMPARE(link->progress().groupsArrived(), ReadProgress::kGroups - (whole ? 0 : 1));
    QVERIFY(!link->takingAnswers());
    QCOMPARE(flags, expectedFlags);
    for (int i = 0; i < copies.size(); ++i) {
        const QStringList diff = modelDiff(copies[i], expectedAfter[i]);
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("after answer %1: ").arg(i + 1) + diff.join(' ')));
    }
    // The pages are the window's to change, once the read is whole.
    QVERIFY(modelDiff(pages, ConfigModel{}).isEmpty());
    // The designed debug line names each answer.
    QStringList lines;
    for (int flag : expectedFlags)
        lines << QStringLiteral("ReadFlag:%1").arg(flag);
    QCOMPARE(log.lines.filter("ReadFlag"), lines);
    peer->collectFor(50);
    QCOMPARE(peer->received(), "RR" + kAck.repeated(answers.size()));

    for (const QByteArray &chunk : late)
        exchange(chunk);
    QCOMPARE(flags.size(), expectedFlags.size());
    QVERIFY(modelDiff(link->answers(), expected).isEmpty());
    QVERIFY(modelDiff(pages, ConfigModel{}).isEmpty());
}

// A write as the window runs it: the button pause, frames S G H I each
// with its pause, "WWW", the settle pause and "RR"; nobody answers here.
void TestTransmitterLink::writeSendsTheFramesThenReadsBack()
{
    pages.sub1 = 37;
    pages.Lepa2 = 96;
    WireRecorder wire(*peer);
    FrameClock going(*link, wire.clock);
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
    const QStringList tooShort = shortWaits(wire, going, true);
    QVERIFY2(tooShort.isEmpty(), qPrintable(tooShort.join("; ")));
}

// The read-back after a write against a transmitter that answers
// faithfully, not at all, late, twice, early, slowly or with a group
// repeated instead of the AUX packet: the verdict, what the copy holds,
// and that answers after the verdict are answered once and taken nowhere.
void TestTransmitterLink::readBackVerdicts_data()
{
    QTest::addColumn<QString>("transmitter");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<int>("acks");  // "WWW" after "RR", late answers included
    using V = TransmitterLink::ReadBack;
    QTest::newRow("faithful") << "" << int(V::Complete) << 19;
    QTest::newRow("stores one value differently") << "misstore" << int(V::Complete) << 19;
    QTest::newRow("silent") << "silent" << int(V::Incomplete) << 0;
    QTest::newRow("answers 2 s after the request") << "misstore, late" << int(V::Incomplete) << 19;
    QTest::newRow("answers twice, 50 ms apart") << "misstore, twice" << int(V::Complete) << 38;
    QTest::newRow("answers during the settle pause too") << "misstore, early" << int(V::Complete) << 38;
    QTest::newRow("one answer per 400 ms") << "misstore, slow" << int(V::Incomplete) << 19;
    QTest::newRow("a group every 500 ms instead of the AUX packet")
        << "misstore, stalls" << int(V::Incomplete) << 18 + 6;
}

void TestTransmitterLink::readBackVerdicts()
{
    QFETCH(QString, transmitter);
    QFETCH(int, verdict);
    QFETCH(int, acks);
    const auto is = [&](const char *kind) { return transmitter.contains(QLatin1String(kind)); };
    // Answers inside the settle pause need its full length.
    if (is("early"))
        commandtime::realTime();
    zqsim::SimEngine::Options opt;
    opt.intervalMs = is("slow") ? 400 : 0;
    opt.misstoreField = is("misstore") ? "sub1" : "";
    opt.misstoreValue = 7;
    opt.silentAfterWrite = is("silent") || is("late");
    zqsim::SimEngine tx(opt);
    pages.sub1 = 20;

    // The transmitter never heard the "OK": the line carries the command
    // alone.
    QObject acts;
    QElapsedTimer txClock;
    txClock.start();
    QByteArray lastGroup;
    int repeats = 0, sent = 0;
    std::function<void(const std::vector<zqsim::Bytes> &)> answer;
    answer = [&](const std::vector<zqsim::Bytes> &packets) {
        for (const zqsim::Bytes &p : packets) {
            const QByteArray b(reinterpret_cast<const char *>(p.data()), int(p.size()));
            if (b.size() == 8 && is("stalls")) {
                auto *again = new QTimer(&acts);
                connect(again, &QTimer::timeout, [&, again] {
                    peer->send(lastGroup);
                    if (++repeats == 6)
                        again->stop();
                });
                again->start(500);
                answer(tx.receive(std::string("WWW"), txClock.elapsed()));
                continue;
            }
            if (b.size() == 12)
                lastGroup = b;
            peer->send(b);
            if (++sent == 19 && is("twice"))
                QTimer::singleShot(50, &acts, [&] { answer(tx.receive(std::string("RR"), txClock.elapsed())); });
        }
    };
    const auto requestAgainIn = [&](int ms) {
        QTimer::singleShot(ms, &acts, [&] { answer(tx.receive(std::string("RR"), txClock.elapsed())); });
    };
    int fed = 0;
    WireRecorder wire(*peer, [&](const WireRecorder &r) {
        answer(tx.receive(r.bytes.mid(fed).toStdString(), txClock.elapsed()));
        if (fed < 327 && r.bytes.size() >= 327 && is("early"))
            requestAgainIn(0);
        if (fed < 329 && r.bytes.size() >= 329 && is("late"))
            requestAgainIn(2000);
        fed = r.bytes.size();
    });
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { answer(tx.tick(txClock.elapsed())); });
    ticker.start(10);

    QList<int> taken;
    CommandWaits &waits = link->waits();
    waits.start();
    link->sendFrames();
    link->sendClosingWord();
    const TransmitterLink::ReadBack got = link->readBack(pages);
    waits.finish();
    connect(link.get(), &TransmitterLink::answerTaken, this, [&](int flag) { taken << flag; });
    QCOMPARE(int(got), verdict);
    if (got == TransmitterLink::ReadBack::Complete)
        QCOMPARE(link->answers().sub1, is("misstore") ? 7 : 20);

    // Whatever comes after the verdict is answered and taken nowhere.
    const int early = is("early") ? 19 : 0;
    const int length = 327 + 2 + 3 * acks;
    QVERIFY(waitUntil([&] { return wire.bytes.size() >= length; }, 10000));
    wire.collectFor(commandtime::ms(300));
    QCOMPARE(wire.bytes.mid(324), "WWW" + kAck.repeated(early) + "RR" + kAck.repeated(acks - early));
    QCOMPARE(taken, QList<int>());
    QCOMPARE(pages.sub1, 20);
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
