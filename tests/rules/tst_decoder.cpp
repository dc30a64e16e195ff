#include "../../fuzz/readrun.h"
#include "configmodel.h"
#include "modelfields.h"
#include "monitorstate.h"
#include "packetcases.h"
#include "packetdecoder.h"
#include "packetframer.h"
#include "readback.h"
#include "readcopy.h"
#include "readprogress.h"
#include "sanity.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(PacketKind)

namespace {

// Decodes from a heap block of exactly the chunk's size, so that any read
// past its end is caught by AddressSanitizer.
// A read that awaits this chunk if it is any answer (the AUX packet in
// its place, after code 99).
AwaitedAnswers awaiting(const QByteArray &chunk)
{
    AwaitedAnswers a = AwaitedAnswers::fresh();
    if (chunk.size() == packet::kAuxLength)
        a.took(packet::kAuxReadFlag - 1);
    return a;
}

DecodeResult decodeExact(const QByteArray &bytes, ConfigModel &m, MonitorState &live, bool hold,
                         const AwaitedAnswers &awaited);

DecodeResult decodeExact(const QByteArray &bytes, ConfigModel &m, MonitorState &live, bool hold = false)
{
    return decodeExact(bytes, m, live, hold, awaiting(bytes));
}

DecodeResult decodeExact(const QByteArray &bytes, ConfigModel &m, MonitorState &live, bool hold,
                         const AwaitedAnswers &awaited)
{
    std::unique_ptr<char[]> block(new char[size_t(bytes.size()) + (bytes.isEmpty() ? 1 : 0)]);
    memcpy(block.get(), bytes.constData(), size_t(bytes.size()));
    return decodePacket(QByteArray::fromRawData(block.get(), bytes.size()), m, live, hold, awaited);
}

QByteArray bytes(std::initializer_list<int> v)
{
    QByteArray out;
    for (int b : v)
        out.append(char(b));
    return out;
}

}  // namespace

class TestDecoder : public QObject
{
    Q_OBJECT

private slots:
    void readBE16Edges();
    void servoPacket_();
    void receiverPacketAndTrims();
    void trimsHeld();
    void auxPacketIgnoresFirstBytes();
    void settingsCodes_data();
    void settingsCodes();
    void settingsStoreRawOutOfRange();
    void unknownCodesStoreNothing();
    void rejectedChunks_data();
    void rejectedChunks();
    void randomChunks();
    void framing_data();
    void framing();
    void randomReads();
    void readProgressEdges();
    void wholeReadOnThePages();
};

namespace {

// A read waiting for every answer, its AUX packet next.
AwaitedAnswers auxNext()
{
    AwaitedAnswers a = AwaitedAnswers::fresh();
    a.took(packet::kAuxReadFlag - 1);
    return a;
}

// What the framer settles, piece by piece: a packet as its hex bytes, with
// "*" when found inside junk, "J3" a run of 3 junk bytes (one answer each),
// "T" the trims of the receiver packet before taken; "|" between pieces.
// The pieces are hex, "|" between pieces that arrive within the quiet
// time, "~" where the line goes quiet.  The read awaits what `read` says
// and takes each answer as the window does.
QString frame(const QList<QByteArray> &pieces, AwaitedAnswers read = auxNext())
{
    PacketFramer f;
    QStringList steps;
    for (const QByteArray &piece : pieces) {
        QVector<FramedChunk> got;
        if (piece == "reset")  // a new connection
            f.reset();
        else
            piece.isEmpty() ? f.expire(read, got) : f.feed(piece, read, got);
        QStringList units;
        for (const FramedChunk &c : got) {
            if (c.packet)
                read.took(c.bytes.size() == 8
                              ? packet::kAuxReadFlag
                              : (c.bytes.size() == 12 ? packet::settingsReadFlag(uchar(c.bytes[2])) : 0));
            units << (c.trims    ? QStringLiteral("T")
                      : c.packet ? QString(c.afterJunk ? "*" : "") + c.bytes.toHex()
                                 : QStringLiteral("J%1").arg(c.junk));
        }
        steps << units.join(' ');
    }
    return steps.join('|');
}

QList<QByteArray> hexPieces(const char *text)
{
    QList<QByteArray> pieces;
    for (const QByteArray &p : QByteArray(text).replace('~', "|~|").split('|'))
        if (!p.trimmed().isEmpty())
            pieces << QByteArray::fromHex(p);  // "~" has no hex digit: the quiet time
    return pieces;
}

QList<QByteArray> cut(const QByteArray &b, std::initializer_list<int> at)
{
    QList<QByteArray> pieces;
    int from = 0;
    for (int to : at)
        pieces << b.mid(from, to - from), from = to;
    return pieces << b.mid(from);
}

}  // namespace

void TestDecoder::readBE16Edges()
{
    const QByteArray b = bytes({0x05, 0xDC, 0xFF});
    QCOMPARE(readBE16(b, 0), 1500);
    QCOMPARE(readBE16(b, 1), 0xDC * 256 + 0xFF);
    QCOMPARE(readBE16(b, 2), 0xFF * 256);  // the missing low byte reads as 0
    QCOMPARE(readBE16(b, 3), 0);
    QCOMPARE(readBE16(b, -1), 0);
    QCOMPARE(readBE16(QByteArray(), 0), 0);
    QCOMPARE(readBE16(bytes({0xFF, 0xFF}), 0), 65535);
}

void TestDecoder::servoPacket_()
{
    ConfigModel m;
    MonitorState live;
    const DecodeResult r = decodeExact(servoPacket({1500, 0, 2000, 65535, 1000, 999, 1001, 0x0102}, 1234), m, live);
    QCOMPARE(r.kind, PacketKind::ServoLive);
    QCOMPARE(r.readFlag, 0);
    QVERIFY(!r.refreshesPages());
    const int expected[8] = {1500, 0, 2000, 65535, 1000, 999, 1001, 258};
    for (int k = 0; k < 8; ++k)
        QCOMPARE(live.*kServoFields[k], expected[k]);
    QCOMPARE(live.TxVoltLive, 1234);
    QVERIFY(modelDiff(m, ConfigModel{}).isEmpty());
}

void TestDecoder::receiverPacketAndTrims()
{
    ConfigModel m;
    MonitorState live;
    const DecodeResult r = decodeExact(receiverPacket(40, 84, 0x04D2, 0xBEEF, 7, {0xFF, 0xEE, 0xEF, 0x00}), m, live);
    QCOMPARE(r.kind, PacketKind::ReceiverLive);
    QCOMPARE(live.RssiLive, 40);
    QCOMPARE(live.RxVoltLive, 84);
    QCOMPARE(live.ExtVoltLive, 1234);
    QCOMPARE(live.Spare1Live, 0xBEEF);
    QCOMPARE(live.Spare2Live, 7);
    // Byte 10 is the last stick channel; 239 and above stop at 240.
    QCOMPARE(m.StkTrim[3], 240);
    QCOMPARE(m.StkTrim[2], 238);
    QCOMPARE(m.StkTrim[1], 240);
    QCOMPARE(m.StkTrim[0], 0);
    QCOMPARE(live.Servo1, 1000);

    // The same bytes the other way round: the stop on the last trim byte,
    // and a second spare value with its high byte set.
    decodeExact(receiverPacket(40, 84, 0x04D2, 0xBEEF, 0xA507, {0x00, 0xEF, 0xEE, 0xFF}), m, live);
    QCOMPARE(live.Spare2Live, 0xA507);
    const int trims[4] = {240, 238, 240, 0};
    for (int k = 0; k < 4; ++k)
        QCOMPARE(m.StkTrim[k], trims[k]);
}

void TestDecoder::trimsHeld()
{
    ConfigModel m;
    MonitorState live;
    decodeExact(receiverPacket(95, 50, 120, 1, 2, {10, 20, 30, 40}), m, live, true);
    for (int k = 0; k < 4; ++k)
        QCOMPARE(m.StkTrim[k], 120);
    QCOMPARE(live.RssiLive, 95);
    QCOMPARE(live.RxVoltLive, 50);
    QCOMPARE(live.ExtVoltLive, 120);
}

void TestDecoder::auxPacketIgnoresFirstBytes()
{
    ConfigModel m;
    MonitorState live;
    DecodeResult r = decodeExact(auxPacket(5, 4, 3, 2, char(0x12), char(0x34)), m, live);
    QCOMPARE(r.kind, PacketKind::Aux);
    QCOMPARE(r.readFlag, 7);
    QVERIFY(!r.refreshesPages());
    QCOMPARE(m.AUX5, 5);
    QCOMPARE(m.AUX6, 4);
    QCOMPARE(m.AUX7, 3);
    QCOMPARE(m.AUX8, 2);

    QByteArray notAux = auxPacket(0, 0, 0, 0);
    notAux[2] = char(0xAB);
    r = decodeExact(notAux, m, live);
    QCOMPARE(r.kind, PacketKind::Ignored);
    QCOMPARE(m.AUX5, 5);
}

void TestDecoder::settingsCodes_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < settingsCases().size(); ++i)
        QTest::newRow(settingsCases()[i].name) << i;
}

void TestDecoder::settingsCodes()
{
    QFETCH(int, index);
    const SettingsCase &c = settingsCases()[index];
    ConfigModel m;
    MonitorState live;
    ConfigModel expected = m;
    c.expect(expected);
    const DecodeResult r = decodeExact(c.packet, m, live);
    QCOMPARE(r.kind, PacketKind::Settings);
    QCOMPARE(r.readFlag, c.readFlag);
    QVERIFY(r.refreshesPages());
    const QStringList diff = modelDiff(m, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(' ')));
    // The same values pass the sanity pass untouched.
    applySanity(m);
    QVERIFY(modelDiff(m, expected).isEmpty());
}

void TestDecoder::settingsStoreRawOutOfRange()
{
    // Values are stored as received; repairing them is the sanity pass's job.
    ConfigModel m;
    MonitorState live;
    decodeExact(settingsPacket(0x55, {0, 255, 220, 20, 120, 0, 0, 0}), m, live);
    QCOMPARE(m.sub1, -120);
    QCOMPARE(m.sub2, 135);
    QCOMPARE(m.sub3, 100);
    QCOMPARE(m.sub5, 0);
    decodeExact(settingsPacket(0x99, {0x00, 0x25, 0xFF, 0xFF, 0xFF, 0xFE, 0, 0}), m, live);
    QCOMPARE(m.VoltTenths, 37);
    QCOMPARE(m.Volt, 3.7);
    QCOMPARE(m.Mode, 65535);
    QCOMPARE(m.Vertion, 65534);
    decodeExact(settingsPacket(0xAB, {9, 9, 0xFF, 0xFF, 255, 255, 0, 0}), m, live);
    QCOMPARE(m.extVoltTenths, 65535);
    QCOMPARE(m.extVolt, 6553.5);
    QCOMPARE(m.Rssi, 155);
    QCOMPARE(m.rxVolt, 25.5);

    applySanity(m);
    QCOMPARE(m.sub1, 0);
    QCOMPARE(m.sub2, 0);
    QCOMPARE(m.sub3, 100);
    QCOMPARE(m.Mode, 1);
    QCOMPARE(m.Vertion, 65534);
    QCOMPARE(m.extVolt, 11.0);
    QCOMPARE(m.extVoltTenths, 110);
    QCOMPARE(m.Rssi, -100);
    QCOMPARE(m.rxVolt, 4.0);  // one hex byte of tenths ends at 23.9 V
    QCOMPARE(m.rxVoltTenths, 40);
}

void TestDecoder::unknownCodesStoreNothing()
{
    int known = 0;
    for (int code = 0; code < 256; ++code) {
        ConfigModel m;
        MonitorState live;
        const DecodeResult r = decodeExact(settingsPacket(code, {1, 2, 3, 4, 5, 6, 7, 8}), m, live);
        if (r.kind == PacketKind::Settings) {
            ++known;
            continue;
        }
        QCOMPARE(r.kind, PacketKind::UnknownSettings);
        QVERIFY(r.refreshesPages());
        QCOMPARE(r.readFlag, 0);
        QVERIFY(monitorDiff(live, MonitorState{}).isEmpty());
        QVERIFY(modelDiff(m, ConfigModel{}).isEmpty());
    }
    QCOMPARE(known, 18);
}

void TestDecoder::rejectedChunks_data()
{
    QTest::addColumn<QByteArray>("chunk");
    const QByteArray servo = servoPacket({1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500}, 800);
    const QByteArray settings = settingsPacket(0x55, {0, 0, 0, 0, 0, 0, 0, 0});
    QByteArray badEnd = settings;
    badEnd[11] = char(0xFD);
    QByteArray badStart = settings;
    badStart[0] = char(0x00);
    QByteArray live20 = servo;
    live20[1] = char(0x17);
    QByteArray noFe = servo;
    noFe[0] = char(0xEF);

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one byte FE") << bytes({0xFE});
    QTest::newRow("two live glued") << servo + servo;
    QTest::newRow("settings glued to live") << settings + servo;
    QTest::newRow("two settings glued") << settings + settings;
    QTest::newRow("live cut short") << servo.left(19);
    QTest::newRow("live plus one") << servo + 'x';
    QTest::newRow("settings cut to 11") << settings.left(11);
    QTest::newRow("settings end marker wrong") << badEnd;
    QTest::newRow("settings start marker wrong") << badStart;
    QTest::newRow("20 bytes, unknown tag") << live20;
    QTest::newRow("20 bytes, no FE") << noFe;
    QTest::newRow("aux cut to 7") << auxPacket(1, 1, 1, 1).left(7);
    QTest::newRow("aux glued") << auxPacket(1, 1, 1, 1) + auxPacket(2, 2, 2, 2);
}

void TestDecoder::rejectedChunks()
{
    QFETCH(QByteArray, chunk);
    ConfigModel m;
    MonitorState live;
    const DecodeResult r = decodeExact(chunk, m, live);
    QCOMPARE(r.kind, PacketKind::Ignored);
    QCOMPARE(r.readFlag, 0);
    QVERIFY(!r.refreshesPages());
    QVERIFY(modelDiff(m, ConfigModel{}).isEmpty());
    QVERIFY(monitorDiff(live, MonitorState{}).isEmpty());
}

void TestDecoder::framing_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QString>("settled");
    QTest::addColumn<bool>("reading");
    const QByteArray live = servoPacket({1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500}, 800);
    const QByteArray curve = settingsPacket(0xAA, {1, 2, 3, 4, 5, 6, 7, 8});
    const QByteArray auxFe = auxPacket(1, 2, 3, 4, char(0xFE), char(0x0C));
    const QByteArray rev = settingsPacket(0x44, {1, 1, 1, 1, 1, 1, 1, 1});
    QByteArray damaged = curve;
    damaged[11] = 0;
    // Its first 12 bytes read as a whole settings packet with code 0x44.
    const QByteArray lookalike = receiverPacket(0x44, 1, 2, 3, 4, {5, 0xFE, 6, 7});
    QList<QByteArray> byByte;
    for (char c : live)
        byByte << QByteArray(1, c);
    const auto hex = [](const QByteArray &b) { return QString(b.toHex()); };

    QTest::newRow("whole live") << QList<QByteArray>{live} << hex(live) << true;
    QTest::newRow("live in three pieces") << cut(live, {3, 11}) << "||" + hex(live) << true;
    QTest::newRow("live byte by byte") << byByte << QString(19, '|') + hex(live) << true;
    QTest::newRow("aux led by FE waits") << QList<QByteArray>{auxFe, {}} << "|" + hex(auxFe) << true;
    QTest::newRow("settings AA, first 8 bytes alone")
        << cut(curve, {8}) + QList<QByteArray>{{}} << "||" + hex(curve) << true;
    QTest::newRow("settings AA, damaged end") << QList<QByteArray>{damaged, {}} << "|J12" << true;
    QTest::newRow("live that starts like settings") << cut(lookalike, {12}) << "|" + hex(lookalike) << true;
    QTest::newRow("two live glued") << QList<QByteArray>{live + live} << hex(live) + ' ' + hex(live) << true;
    QTest::newRow("garbage before live") << QList<QByteArray>{QByteArray("\x01\x02\x03") + live} << "J3 *" + hex(live)
                                         << true;
    QTest::newRow("junk: one answer, at the quiet time") << QList<QByteArray>{"0123456789", {}} << "|J10" << true;
    QTest::newRow("live cut short") << QList<QByteArray>{live.left(15), {}} << "|J15" << true;
    QTest::newRow("reset forgets junk and bytes held")
        << QList<QByteArray>{"\x01\xfe\x18", "reset", {}} << "||" << true;

    // Streams as they arrived, written out byte for byte.
    struct Row
    {
        const char *name, *stream, *settled;
        bool reading = true;
    };
    const Row rows[] = {
        {"00 00 AA glued before a servo packet", "0000aa fe18044c04b001aa05dc03e803e803e803e80320 ~",
         "J3 *fe18044c04b001aa05dc03e803e803e803e80320|"},
        {"37 00 AA, then a receiver packet within the quiet time",
         "3700aa | fe19 2854 000a 0000 0000 7878 7878 0000 0000 0000 ~",
         "|J3 *fe192854000a0000000078787878000000000000|"},
        {"00 00 AA glued before the AUX answer", "0000aa fe1aaa05040302fe ~", "|J11"},
        {"damaged marker, AA inside", "0018aa0505dc05dc05dc05dc05dc05dc05dc0320 ~", "|J20"},
        {"AUX answered at the quiet time", "000caa010203045a ~", "|000caa010203045a"},
        {"AUX glued after a settings packet", "fe1a44 0100010001010000 fe fe1aaa010203045a ~",
         "fe1a440100010001010000fe|fe1aaa010203045a"},
        {"AUX with a stray byte after it", "000caa010203045a | 77 ~", "||J9"},
        {"AUX with a stray byte before it", "77 000caa010203045a ~", "|J9"},
        {"AUX glued before settings: taken at their clean start", "fe0caa01020304 5a fe0c440101010101010101fe ~",
         "fe0caa010203045a|fe0c440101010101010101fe"},
        {"junk over several reads: one answer", "01 | 02 | 03 | 04 | 05 ~", "|||||J5"},
        {"junk, then a packet", "01 | 02 | fe18 | 05dc05dc05dc05dc05dc05dc05dc05dc0320",
         "|||J2 *fe1805dc05dc05dc05dc05dc05dc05dc05dc0320"},
        {"live split by the quiet time", "fe1805dc05dc ~ 05dc05dc05dc05dc05dc05dc0320 ~", "|J6||J14"},
        {"twelve FE", "fefefefefefefefefefefefe ~", "|J12"},
        {"unknown settings code", "fe0c50 0102030405060708 fe ~", "|J12"},
        {"eleven FE before a packet", "fefefefefefefefefefefe fe1805dc05dc05dc05dc05dc05dc05dc05dc0320",
         "J11 *fe1805dc05dc05dc05dc05dc05dc05dc05dc0320"},
        {"noise glued before an answer", "3c7f01 fe1aa1 020a141e28323c00 fe ~", "|J15"},
        // An answer that lost a byte is completed by the next packet's FE.
        {"answer short of its 4th byte, a live packet 5 ms on",
         "fe1aa1 0a141e28323c00 fe | fe18 05dc05dc05dc05dc05dc05dc05dc05dc0320 ~",
         "|J11 *fe1805dc05dc05dc05dc05dc05dc05dc05dc0320|"},
        {"answer short of a byte, the next glued on", "fe1aa1 0a141e28323c00 fe fe1aa2 0114787b7c79dc00 fe ~", "|J23"},
        // Only what a read awaits is an answer: eight bytes with AA at byte
        // 2 outside a read, a settings packet outside a read, a group or the
        // AUX packet a second time, the AUX packet before its place.
        {"AUX-shaped outside a read", "0000aa0505050500 ~", "|J8", false},
        {"settings outside a read", "fe0c44 0101010101010101 fe ~", "|J12", false},
        {"AUX-shaped burst after the AUX answer", "000caa010203045a ~ 0000aa0505050500 ~", "|000caa010203045a||J8"},
        {"a group answered twice", "fe0c44 0101010101010101 fe ~ fe0c44 0000000000000000 fe ~",
         "|fe0c440101010101010101fe||J12"},
        // A live packet inside junk does not end it: no settings after it.
        {"live inside junk, then settings", "00 fe18 000102030405060708090a0b0c0d0e0f1011 fe0044 0101010101010101 fe ~",
         "J1 *fe18000102030405060708090a0b0c0d0e0f1011|J12"},
        {"live inside junk, then an AUX-shaped tail", "00 fe18 000102030405060708090a0b0c0d0e0f1011 0000aa0505050500 ~",
         "J1 *fe18000102030405060708090a0b0c0d0e0f1011|J8"},
        // Trims only from a receiver packet at a boundary that ends cleanly.
        {"receiver packet, then silence", "fe19 2854 000a 0000 0000 7878 7878 0000 0000 0000 ~",
         "fe192854000a0000000078787878000000000000|T"},
        {"receiver packet glued before a servo packet",
         "fe19 2854 000a 0000 0000 7878 7878 0000 0000 0000 fe18 05dc05dc05dc05dc05dc05dc05dc05dc0320 ~",
         "fe192854000a0000000078787878000000000000 T fe1805dc05dc05dc05dc05dc05dc05dc05dc0320|"},
        {"receiver packet missing bytes, its trims from the next packet",
         "fe19 2854 000a 0000 | fe18 05dc05dc05dc05dc05dc05dc05dc05dc0320 ~",
         "|fe192854000a0000fe1805dc05dc05dc05dc05dc|J8"},
        {"receiver packets after a live packet inside junk",
         "00 fe18 05dc05dc05dc05dc05dc05dc05dc05dc0320 fe19 2854 000a 0000 0000 0000 0a14 0000 0000 0000"
         " fe19 2854 000a 0000 0000 7878 7878 0000 0000 0000 ~",
         "J1 *fe1805dc05dc05dc05dc05dc05dc05dc05dc0320 *fe192854000a0000000000000a14000000000000"
         " *fe192854000a0000000078787878000000000000|"},
        // The AUX packet is known by its place: a transmitter that goes on
        // within the quiet time, or streams, has it taken at the next start.
        {"AUX, then the next answer within the quiet time", "000caa010203045a | fe0ca1 0102030405060708 fe ~",
         "|000caa010203045a|fe0ca10102030405060708fe"},
        {"AUX glued before a live packet", "000caa010203045a fe18 05dc05dc05dc05dc05dc05dc05dc05dc0320 ~",
         "000caa010203045a fe1805dc05dc05dc05dc05dc05dc05dc05dc0320|"},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << hexPieces(r.stream) << QString(r.settled) << r.reading;
}

void TestDecoder::framing()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QString, settled);
    QFETCH(bool, reading);
    QCOMPARE(frame(pieces, reading ? auxNext() : AwaitedAnswers()), settled);
}

void TestDecoder::randomChunks()
{
    // Seeded property test: random chunks of random lengths (biased toward
    // the packet lengths and markers) never read outside the chunk, change
    // nothing unless they are a packet, and, followed by the sanity pass,
    // always leave a model that a second pass does not change.
    QRandomGenerator rng(0x5EED1234);
    ConfigModel m;
    MonitorState live;
    for (int round = 0; round < 20000; ++round) {
        static const int kLengths[] = {8, 12, 20};
        const int len = rng.bounded(3) ? kLengths[rng.bounded(3)] : rng.bounded(70);
        QByteArray chunk(len, '\0');
        for (int i = 0; i < len; ++i)
            chunk[i] = char(rng.bounded(256));
        if (len > 11 && rng.bounded(2)) {
            chunk[0] = char(0xFE);
            if (len == 12)
                chunk[11] = char(0xFE);
            else
                chunk[1] = char(0x18 + rng.bounded(2));
        }
        if (len > 2 && len == 8 && rng.bounded(2))
            chunk[2] = char(0xAA);

        const ConfigModel before = m;
        const MonitorState liveBefore = live;
        const bool hold = rng.bounded(4) == 0;
        const DecodeResult r = decodeExact(chunk, m, live, hold);

        const bool isPacketLength = len == 8 || len == 12 || len == 20;
        if (!isPacketLength)
            QCOMPARE(r.kind, PacketKind::Ignored);
        if (r.kind == PacketKind::Ignored || r.kind == PacketKind::UnknownSettings) {
            QVERIFY(modelDiff(m, before).isEmpty());
            QVERIFY(monitorDiff(live, liveBefore).isEmpty());
        }
        if (r.refreshesPages())
            QVERIFY(len == 12 && uchar(chunk[0]) == 0xFE && uchar(chunk[11]) == 0xFE);
        if (r.readFlag)
            QVERIFY(r.readFlag >= 1 && r.readFlag <= 19);
        if (hold && r.kind == PacketKind::ReceiverLive)
            QVERIFY(!modelDiff(m, before).contains(QStringLiteral("StkTrim[0]")));
        for (int t : m.StkTrim)
            QVERIFY(t >= 0 && t <= 240);

        selectDualRate(m);
        applySanity(m);
        const ConfigModel repaired = m;
        applySanity(m);
        QVERIFY(modelDiff(m, repaired).isEmpty());
    }
}

void TestDecoder::randomReads()
{
    QRandomGenerator rng(0x7EAD);
    for (int round = 0; round < 5000; ++round) {
        const char *fault = randomRead([&](int n) { return int(rng.bounded(n)); });
        QVERIFY2(!fault, qPrintable(QString("round %1: %2").arg(round).arg(fault)));
    }
}

void TestDecoder::readProgressEdges()
{
    // The AUX packet only after code 99; answers that keep coming hold off
    // the quiet time, not the limit.
    ReadProgress read;
    read.start(0);
    QVERIFY(!read.awaited().takes(packet::kAuxReadFlag));
    read.note(1, ReadProgress::kLimitMs - 1);
    QVERIFY(!read.finished(ReadProgress::kLimitMs - 1));
    QVERIFY(read.finished(ReadProgress::kLimitMs));
}

void TestDecoder::wholeReadOnThePages()
{
    // All but the trims and the channel choice; the working dual-rate
    // fields selected anew for the pages' channel.
    ConfigModel pages, answers;
    pages.DR_CH = 2, pages.StkTrim[1] = 7, answers.StkTrim[1] = 200;
    for (const SettingsCase &c : settingsCases())
        c.expect(answers);
    ConfigModel expected = answers;
    expected.DR_CH = 2, expected.StkTrim[1] = 7;
    selectDualRate(expected);
    takeWholeRead(pages, answers);
    QCOMPARE(modelDiff(pages, expected), QStringList());
}

QTEST_APPLESS_MAIN(TestDecoder)
#include "tst_decoder.moc"
