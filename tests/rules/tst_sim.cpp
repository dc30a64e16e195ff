// The simulated transmitter: frame decoding, settings and live packets,
// the protocol state machine and a real pseudo-terminal round trip.

#include "frames.h"
#include "packets.h"
#include "simengine.h"
#include "simhost.h"
#include "statefile.h"

#include <QtTest>

#include <cerrno>
#include <chrono>
#include <random>
#include <set>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace zqsim;

namespace {

// The frames the tool builds from its start-up model.
const std::string kFrameS = "S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y";
const std::string kFrameG = "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z";
const std::string kFrameH = "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X";
const std::string kFrameI = "I8888888812121212000000000000000000000000000000000000000000000000000000000000000V";

TransmitterSettings filledWith(int v)
{
    TransmitterSettings s;
    for (const SettingsField &f : settingsFields())
        f.ref(s) = v;
    return s;
}

// Random values inside the ranges the tool can send; the first matching
// name prefix gives the range.
TransmitterSettings randomSettings(std::mt19937 &rng)
{
    struct Range
    {
        const char *prefix;
        int lo, hi;
    };
    static const Range ranges[] = {
        {"rev", 0, 1},           {"sub", -100, 100},     {"Lepa", 0, 120},         {"Repa", 0, 120},
        {"AUX", 0, 5},           {"VoltTenths", 0, 239}, {"rxVoltTenths", 0, 239}, {"extVoltTenths", 0, 999},
        {"Vertion", 0, 1000},    {"Rssi", -100, 0},      {"StkTrim", 0, 239},      {"StkStep", 1, 20},
        {"Elev", -100, 100},     {"Ru", -100, 100},      {"DR_UpExp", -100, 100},  {"DR_DownExp", -100, 100},
        {"DR_Up", 0, 100},       {"DR_Down", 0, 100},    {"DR_UP1", 0, 100},       {"DR_DOWN1", 0, 100},
        {"THCURE_Data", 0, 100}, {"PRM", -100, 100},  // data fields; selectors are caught below
        {"FS", 0, 100},          {"delay", 0, 100},      {"Atti", 0, 100},
    };
    auto isSelector = [](const std::string &n) {
        for (const char *t : {"Mix", "MIX", "Master", "Slave", "Opt", "Mode", "AttiM", "DR_CH", "DR_SW", "DR_POSI"})
            if (n.find(t) != std::string::npos)
                return true;
        return false;
    };
    TransmitterSettings s;
    for (const SettingsField &f : settingsFields()) {
        const std::string n = f.name;
        int lo = 0, hi = 9;  // one decimal digit
        if (!isSelector(n)) {
            bool found = false;
            for (const Range &r : ranges)
                if (n.rfind(r.prefix, 0) == 0) {
                    lo = r.lo;
                    hi = r.hi;
                    found = true;
                    break;
                }
            if (!found)
                qFatal("no range for %s", f.name);
        }
        f.ref(s) = std::uniform_int_distribution<int>(lo, hi)(rng);
    }
    return s;
}

std::string frameWith(std::string frame, size_t pos, const std::string &text)
{
    frame.replace(pos, text.size(), text);
    return frame;
}

// The names of the fields that differ, for readable failures.
QString diff(const TransmitterSettings &a, const TransmitterSettings &b)
{
    QStringList names;
    for (const std::string &n : differingFields(a, b))
        names << QString::fromStdString(n);
    return names.join(",");
}

QByteArray qb(const Bytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
}

// Plain file-descriptor client on the slave side of the simulator's line.
class LineClient
{
public:
    explicit LineClient(const std::string &path)
    {
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0) {
            termios t{};
            ::tcgetattr(fd, &t);
            ::cfmakeraw(&t);
            ::tcsetattr(fd, TCSANOW, &t);
        }
    }
    ~LineClient()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool ok() const { return fd >= 0; }
    bool send(const std::string &s) { return ::write(fd, s.data(), s.size()) == ssize_t(s.size()); }
    // Exactly n bytes, or fewer when the timeout passes first.
    QByteArray read(int n, int timeoutMs = 5000)
    {
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (out.size() < n && t.elapsed() < timeoutMs) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            char buf[256];
            const ssize_t r = ::read(fd, buf, size_t(std::min<int>(int(sizeof buf), n - out.size())));
            if (r > 0)
                out.append(buf, int(r));
        }
        return out;
    }
    // Whatever arrives within ms.
    QByteArray drain(int ms) { return read(1 << 20, ms); }
    // One read, as the tool does it: with one packet in flight at a time,
    // that is one packet.
    QByteArray readPacket(int timeoutMs = 5000)
    {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return QByteArray();
        char buf[256];
        const ssize_t r = ::read(fd, buf, sizeof buf);
        return r > 0 ? QByteArray(buf, int(r)) : QByteArray();
    }

private:
    int fd = -1;
};

}  // namespace

class TestSim : public QObject
{
    Q_OBJECT

private slots:
    void fieldRegistryCoversTheWholeStruct();
    void decodesTheToolsInitialFrames();
    void encodesFramesByteForByte();
    void framesRoundTripRandomValues();
    void rejectsMalformedFrames();
    void settingsPacketsCarryTheRightBytes();
    void settingsPacketsRoundTrip();
    void livePacketsLookLikeARealTransmitter();
    void streamsOnlyAfterEachAcknowledgement();
    void answersAReadOnePacketPerAcknowledgement();
    void disconnectStopsEverything();
    void toleratesGarbageAndSplitCommands();
    void acceptsFramesSplitAndGluedWithAcks();
    void rejectsBrokenFramesInTheStream();
    void ackTimeoutResumesAStalledStream();
    void fadeLosesPacketsOnlyFarAway();
    void disagreesWhenAsked_data();
    void disagreesWhenAsked();
    void soakWithoutPacing();
    void stateFileRoundTrip();
    void ptyRoundTrip();
    void ptyStatePersistsAcrossRuns();
};

void TestSim::fieldRegistryCoversTheWholeStruct()
{
    // Every field of the struct is an int and is named exactly once, so
    // comparisons by registry see every field.
    QCOMPARE(settingsFields().size(), sizeof(TransmitterSettings) / sizeof(int));
    std::set<std::string> names;
    std::set<const int *> addresses;
    TransmitterSettings s;
    for (const SettingsField &f : settingsFields()) {
        names.insert(f.name);
        addresses.insert(&f.ref(s));
    }
    QCOMPARE(names.size(), settingsFields().size());
    QCOMPARE(addresses.size(), settingsFields().size());

    QVERIFY(fieldByName(s, "StkTrim[2]") == &s.StkTrim[2]);
    QVERIFY(fieldByName(s, "nosuch") == nullptr);
    TransmitterSettings t = s;
    t.DR_DownExp[3] = 5;
    QCOMPARE(differingFields(s, t), std::vector<std::string>{"DR_DownExp[3]"});
    QVERIFY(s != t);
}

void TestSim::decodesTheToolsInitialFrames()
{
    TransmitterSettings s = filledWith(77);
    for (const std::string &f : {kFrameS, kFrameG, kFrameH, kFrameI})
        QVERIFY2(decodeFrame(f, s), f.c_str());

    QCOMPARE(s.rev3, 1);
    QCOMPARE(s.rev1, 0);
    QCOMPARE(s.sub5, 0);
    QCOMPARE(s.Lepa2, 96);
    QCOMPARE(s.Repa8, 96);
    QCOMPARE(s.FS3, 0);
    QCOMPARE(s.FS4, 50);
    QCOMPARE(s.AUX5, 1);
    QCOMPARE(s.AUX6, 3);
    QCOMPARE(s.AUX7, 0);
    QCOMPARE(s.AUX8, 2);
    QCOMPARE(s.VoltTenths, 0x7E - 16);
    QCOMPARE(s.Mode, 2);
    QCOMPARE(s.AttiM, 4);
    QCOMPARE(s.Atti1, 14);
    QCOMPARE(s.Atti6, 88);
    QCOMPARE(s.Elev04, -100);
    QCOMPARE(s.Elev05, 100);
    QCOMPARE(s.Ru2, -50);
    QCOMPARE(s.Ru3, 50);
    QCOMPARE(s.delay7, 100);
    QCOMPARE(s.PRM02_Master, 1);
    QCOMPARE(s.PRM02_Slave, 5);
    QCOMPARE(s.PRM04_Slave, 5);
    QCOMPARE(s.THCURE_Data02, 16);
    QCOMPARE(s.THCURE_Data07, 100);
    QCOMPARE(s.extVoltTenths, 110);
    QCOMPARE(s.Rssi, -100);
    QCOMPARE(s.rxVoltTenths, 40);
    QCOMPARE(s.StkTrim[0], 120);
    QCOMPARE(s.StkStep[3], 2);

    // The frames carry every setting but the firmware number: from a
    // scrambled start they give the factory state (the tool starts with an
    // 11.0 V alarm where the factory has 3.7 V).
    TransmitterSettings expected = factorySettings();
    expected.VoltTenths = 110;
    expected.Vertion = 77;
    QCOMPARE(diff(s, expected), QString());
}

void TestSim::encodesFramesByteForByte()
{
    TransmitterSettings s = factorySettings();
    s.VoltTenths = 110;
    QCOMPARE(encodeFrame('S', s), kFrameS);
    QCOMPARE(encodeFrame('G', s), kFrameG);
    QCOMPARE(encodeFrame('H', s), kFrameH);
    QCOMPARE(encodeFrame('I', s), kFrameI);
    QCOMPARE(encodeAllFrames(s), kFrameS + kFrameG + kFrameH + kFrameI);
    QVERIFY(encodeFrame('Q', s).empty());

    // Out-of-range values are clamped, never change the frame's length.
    s.sub1 = 500;
    s.extVoltTenths = 4000;
    s.Mode = -3;
    for (char lead : {'S', 'G', 'H', 'I'})
        QCOMPARE(int(encodeFrame(lead, s).size()), kFrameLength);
    QCOMPARE(encodeFrame('S', s).substr(9, 2), std::string("FF"));
    QCOMPARE(encodeFrame('S', s)[79], '0');
    QCOMPARE(encodeFrame('H', s).substr(68, 3), std::string("999"));
}

void TestSim::framesRoundTripRandomValues()
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const TransmitterSettings in = randomSettings(rng);
        TransmitterSettings out = filledWith(-7);
        out.Vertion = in.Vertion;
        for (char lead : {'S', 'G', 'H', 'I'})
            QVERIFY(decodeFrame(encodeFrame(lead, in), out));
        QCOMPARE(diff(in, out), QString());
    }
}

void TestSim::rejectsMalformedFrames()
{
    const TransmitterSettings before = filledWith(5);
    const std::string bad[] = {
        kFrameS.substr(0, 80),        // short
        kFrameS + "0",                // long
        frameWith(kFrameS, 80, "Z"),  // end letter of another frame
        frameWith(kFrameG, 0, "S"),   // S lead with G's end letter
        frameWith(kFrameS, 3, "A"),   // direction digit that is no digit
        frameWith(kFrameS, 9, "7G"),  // hex field that is no hex
        frameWith(kFrameH, 69, "F"),  // voltage digit that is no digit
        frameWith(kFrameI, 0, "X"),   // no frame at all
        std::string(),
    };
    for (const std::string &f : bad) {
        TransmitterSettings s = before;
        QVERIFY2(!decodeFrame(f, s), f.c_str());
        QVERIFY(s == before);
    }
    // Lower-case hex is tolerated.
    TransmitterSettings s = before;
    QVERIFY(decodeFrame(frameWith(kFrameG, 2, "1e"), s));
    QCOMPARE(s.Atti1, 14);
}

void TestSim::settingsPacketsCarryTheRightBytes()
{
    TransmitterSettings s = factorySettings();
    s.sub1 = -100;
    s.sub8 = 100;
    s.Ru2 = -50;
    s.Vertion = 0x1234;
    s.Rssi = -40;
    s.extVoltTenths = 0x0123;
    s.rxVoltTenths = 52;
    s.Elev05 = -30;
    s.PRM02_Data1 = 20;
    s.StkStep[3] = 9;
    s.DR_DownExp[0] = -25;

    const std::vector<Bytes> all = encodeReadAnswer(s);
    QCOMPARE(int(all.size()), 19);
    const std::vector<int> codes = {0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA /* AUX */, 0xA1, 0xA2, 0xA3,
                                    0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA,           0xAB, 0xAC};
    for (size_t k = 0; k < all.size(); ++k) {
        const Bytes &p = all[k];
        QCOMPARE(int(p[2]), codes[k]);
        QCOMPARE(int(p.front()), 0xFE);
        QCOMPARE(int(p.back()), 0xFE);
        QCOMPARE(int(p.size()), k == 6 ? kAuxPacketSize : kSettingsPacketSize);
    }

    QCOMPARE(qb(all[0]).toHex(), QByteArray("fe1a440000010000000000fe"));
    QCOMPARE(qb(all[1]).toHex(), QByteArray("fe1a5514787878787878dcfe"));
    QCOMPARE(qb(all[5]).toHex(), QByteArray("fe1a990025000212340000fe"));
    QCOMPARE(qb(all[6]).toHex(), QByteArray("fe1aaa01030002fe"));
    QCOMPARE(qb(all[8]).toHex(), QByteArray("fe1aa200dc5adcdcdc1400fe"));  // 01, 05, 02, 06, 03, 04
    QCOMPARE(qb(all[9]).toHex(), QByteArray("fe1aa30096329696000000fe"));
    QCOMPARE(qb(all[12]).toHex(), QByteArray("fe1aa66464646464780001fe"));
    QCOMPARE(qb(all[13]).toHex(), QByteArray("fe1aa70305000009020202fe"));
    QCOMPARE(qb(all[17]).toHex(), QByteArray("fe1aab00000123"
                                             "3c34"
                                             "0000fe"));
    QCOMPARE(qb(all[18]).toHex(), QByteArray("fe1aac64646464"
                                             "4b646464"
                                             "fe"));

    // Values that no byte can carry are clamped, not wrapped.
    s.sub2 = 300;
    s.Ru1 = -150;
    const Bytes p55 = encodeSettingsPacket(0x55, s), pA3 = encodeSettingsPacket(0xA3, s);
    QCOMPARE(int(p55[4]), 255);
    QCOMPARE(int(pA3[4]), 0);
    QVERIFY(encodeSettingsPacket(0x50, s).empty());
}

void TestSim::settingsPacketsRoundTrip()
{
    // A read reports everything the frames set except the dual-rate
    // selection and its working rates, which only the G frame carries, and
    // the trims, which the live receiver packet reports.
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        const TransmitterSettings in = randomSettings(rng);
        TransmitterSettings out = filledWith(-7);
        for (const Bytes &p : encodeReadAnswer(in))
            QVERIFY(decodeSettingsPacket(p, out));
        QCOMPARE(diff(in, out), QString("DR_CH,DR_UP1,DR_DOWN1,StkTrim[0],StkTrim[1],StkTrim[2],StkTrim[3]"));
    }
    TransmitterSettings s;
    QVERIFY(!decodeSettingsPacket(Bytes{0xFE, 0, 0x55, 1, 2, 3, 4, 5, 6, 7, 8, 0x00}, s));
    QVERIFY(!decodeSettingsPacket(Bytes{0xFE, 0, 0x50, 1, 2, 3, 4, 5, 6, 7, 8, 0xFE}, s));
    QVERIFY(s == TransmitterSettings());
}

void TestSim::livePacketsLookLikeARealTransmitter()
{
    TransmitterSettings s = factorySettings();
    s.StkTrim[0] = 100;
    s.StkTrim[1] = 110;
    s.StkTrim[2] = 130;
    s.StkTrim[3] = 250;  // beyond a byte's trim range: sent as is, the tool clamps

    std::set<int> seen[8];
    int lastVolt = 100000;
    for (int64_t ms = 0; ms < 16 * 60 * 1000; ms += 997) {
        const LiveValues v = liveValuesAt(ms, s);
        for (int k = 0; k < 8; ++k) {
            QVERIFY(v.servo[k] >= 0 && v.servo[k] <= 2000);
            seen[k].insert(v.servo[k]);
        }
        QVERIFY(v.rssi >= 1 && v.rssi <= 100);
        QVERIFY(v.rxVoltTenths >= 45 && v.rxVoltTenths <= 55);
        QVERIFY(v.extVoltTenths >= 100 && v.extVoltTenths <= 125);
        QVERIFY(v.txVoltHundredths <= lastVolt);  // drains, no pack swap within 16 minutes
        QVERIFY(v.txVoltHundredths >= 680 && v.txVoltHundredths <= 840);
        lastVolt = v.txVoltHundredths;
    }
    QCOMPARE(liveValuesAt(0, s).txVoltHundredths, 840);
    QVERIFY(lastVolt < 700);
    for (int k = 0; k < 8; ++k)
        QVERIFY2(seen[k].size() >= 2, "every channel moves");
    QVERIFY(*seen[0].begin() < 700 && *seen[0].rbegin() > 1300);

    // Reversing a channel mirrors it about the centre.
    TransmitterSettings r = s;
    r.rev1 = 1;
    for (int64_t ms : {0, 700, 1500, 3333}) {
        const int a = liveValuesAt(ms, s).servo[0], b = liveValuesAt(ms, r).servo[0];
        QVERIFY(qAbs((a - 1000) + (b - 1000)) <= 1);
    }

    LiveValues v;
    v.servo[0] = 1500;
    v.servo[7] = 258;
    v.txVoltHundredths = 1234;
    v.rssi = 66;
    v.rxVoltTenths = 51;
    v.extVoltTenths = 300;
    QCOMPARE(qb(encodeServoPacket(v)).toHex(), QByteArray("fe1805dc03e803e803e803e803e803e8010204d2"));
    QCOMPARE(qb(encodeReceiverPacket(v, s)).toHex(), QByteArray("fe19"
                                                                "42"
                                                                "33"
                                                                "012c"
                                                                "0000"
                                                                "0000"
                                                                "fa826e64"
                                                                "000000000000"));
}

void TestSim::streamsOnlyAfterEachAcknowledgement()
{
    SimEngine e(SimEngine::Options{20, 0});
    QVERIFY(e.tick(0).empty());
    QCOMPARE(e.nextWakeMs(), int64_t(-1));

    auto out = e.receive("OK", 1000);
    QCOMPARE(int(out.size()), 1);
    QCOMPARE(int(out[0].size()), kLivePacketSize);
    QCOMPARE(int(out[0][1]), 0x18);
    QVERIFY(e.awaitingAck());

    // No acknowledgement, no packet, however long it takes.
    QVERIFY(e.tick(1500).empty());
    QVERIFY(e.tick(60000).empty());
    QCOMPARE(e.nextWakeMs(), int64_t(-1));

    // Acknowledged late: the next one goes out at once, and the family alternates.
    int expectedFamily = 0x19;
    int64_t t = 60000;
    for (int k = 0; k < 10; ++k) {
        out = e.receive("WWW", t);
        QCOMPARE(int(out.size()), 1);
        QCOMPARE(int(out[0].size()), kLivePacketSize);
        QCOMPARE(int(out[0][0]), 0xFE);
        QCOMPARE(int(out[0][1]), expectedFamily);
        expectedFamily = expectedFamily == 0x18 ? 0x19 : 0x18;
        // A quick acknowledgement waits out the interval.
        out = e.receive("WWW", t + 5);
        QVERIFY(out.empty());
        QCOMPARE(e.nextWakeMs(), t + 20);
        QVERIFY(e.tick(t + 19).empty());
        out = e.tick(t + 20);
        QCOMPARE(int(out.size()), 1);
        QCOMPARE(int(out[0][1]), expectedFamily);
        expectedFamily = expectedFamily == 0x18 ? 0x19 : 0x18;
        t += 100;
    }
    QCOMPARE(e.stats().livePacketsSent, uint64_t(21));
    QCOMPARE(e.stats().acks, uint64_t(20));
}

// Carried away and back over 10 s: nothing lost near the tool, everything
// at the far end, the signal weakest there; the seed repeats the losses.
void TestSim::fadeLosesPacketsOnlyFarAway()
{
    const auto run = [](uint32_t seed, std::vector<int> &lostAt, int &weakest) {
        SimEngine::Options o{20, 0};
        o.fadeSeconds = 10, o.fadeSeed = seed;
        SimEngine e(o);
        weakest = 100;
        uint64_t lost = 0;
        for (int64_t t = 0; t <= 10000; ++t) {
            for (const Bytes &p : t == 0 ? e.receive("OK", t) : e.tick(t)) {
                if (p[1] == 0x19)
                    weakest = std::min(weakest, int(p[2]));
                e.receive("WWW", t);
            }
            if (e.stats().livePacketsLost != lost)
                lost = e.stats().livePacketsLost, lostAt.push_back(int(t));
        }
    };
    std::vector<int> lostAt, again, other;
    int weakest = 0, unused = 0;
    run(7, lostAt, weakest);
    run(7, again, unused);
    run(8, other, unused);
    QVERIFY(lostAt.size() > 20);
    QVERIFY(lostAt.front() > 2500 && lostAt.back() < 7500);  // only far away
    QVERIFY(weakest < 20);
    QCOMPARE(again, lostAt);
    QVERIFY(other != lostAt);
}

void TestSim::answersAReadOnePacketPerAcknowledgement()
{
    TransmitterSettings s = factorySettings();
    s.sub3 = -42;
    SimEngine e(SimEngine::Options{20, 0}, s);
    QCOMPARE(int(e.receive("OK", 0).size()), 1);  // a live packet is in flight

    // The read waits for that packet's acknowledgement.
    QVERIFY(e.receive("RR", 5).empty());
    QVERIFY(e.answeringRead());

    std::vector<Bytes> answer;
    int64_t t = 100;
    auto out = e.receive("WWW", t);
    while (!out.empty() && answer.size() < 40) {
        QVERIFY(e.tick(t + 1000).empty());  // paced by acknowledgements
        answer.push_back(out[0]);
        t += 50;
        out = e.receive("WWW", t);
        if (!out.empty() && out[0].size() == size_t(kLivePacketSize))
            break;  // live streaming resumed
    }
    QCOMPARE(answer, encodeReadAnswer(s));
    QVERIFY(!out.empty());
    QCOMPARE(int(out[0][1]), 0x19);  // the stream picks up where it paused
    QCOMPARE(e.stats().settingsPacketsSent, uint64_t(19));

    // A frame stored during a read shows in the packets not yet sent.
    SimEngine f(SimEngine::Options{0, 0});
    QCOMPARE(int(f.receive("RR", 0).size()), 1);           // 0x44 goes out at once
    const std::string subs = frameWith(kFrameS, 9, "14");  // sub1 = -100
    out = f.receive(subs + "WWW", 1);
    QCOMPARE(int(out.size()), 1);
    QCOMPARE(int(out[0][2]), 0x55);
    QCOMPARE(int(out[0][3]), 20);
    // Without "OK" there is no stream after the answer.
    for (int k = 0; k < 17; ++k)
        QCOMPARE(int(f.receive("WWW", 2 + k).size()), 1);
    QVERIFY(f.receive("WWW", 50).empty());
    QVERIFY(!f.answeringRead());
}

void TestSim::disconnectStopsEverything()
{
    SimEngine e(SimEngine::Options{0, 0});
    e.receive("OK", 0);
    e.receive("WWW", 1);
    e.receive("RR", 2);
    QVERIFY(e.receive("DIS", 3).empty());
    QVERIFY(!e.streaming());
    QVERIFY(!e.answeringRead());
    QVERIFY(e.receive("WWW", 4).empty());
    QVERIFY(e.tick(100000).empty());
    QCOMPARE(e.nextWakeMs(), int64_t(-1));

    // A new greeting starts afresh, with the servo packet first.
    auto out = e.receive("OK", 200000);
    QCOMPARE(int(out.size()), 1);
    QCOMPARE(int(out[0][1]), 0x18);
}

void TestSim::toleratesGarbageAndSplitCommands()
{
    SimEngine e(SimEngine::Options{0, 0});
    std::mt19937 rng(3);
    // Noise made of protocol letters and arbitrary bytes.
    const std::string alphabet = "SGHIYZXVWRODK0123456789ABCDEF\xFE\x18\x00\xFF\n";
    for (int k = 0; k < 2000; ++k) {
        std::string chunk;
        const int n = std::uniform_int_distribution<int>(1, 40)(rng);
        for (int j = 0; j < n; ++j)
            chunk += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
        e.receive(chunk, k);
    }
    QVERIFY(e.stats().bytesSkipped > 0);

    // After the noise, a clean session still works, even byte by byte.
    SimEngine f(SimEngine::Options{0, 0});
    QVERIFY(f.receive("\x01zz", 0).empty());
    QVERIFY(f.receive("O", 1).empty());
    QCOMPARE(int(f.receive("K", 2).size()), 1);
    QVERIFY(f.receive("W", 3).empty());
    QVERIFY(f.receive("W", 4).empty());
    QCOMPARE(int(f.receive("W", 5).size()), 1);
    // Glued commands: ack and read request in one read.
    auto out = f.receive("WWWRR", 6);
    QCOMPARE(int(out.size()), 1);
    QCOMPARE(int(out[0][2]), 0x44);
    // "DIS" split right where its letters look like frame leads.
    QVERIFY(f.receive("D", 7).empty());
    QVERIFY(f.receive("I", 8).empty());
    f.receive("S", 9);
    QVERIFY(!f.streaming());
    QVERIFY(!f.answeringRead());
    QCOMPARE(f.stats().framesRejected, uint64_t(0));
}

void TestSim::acceptsFramesSplitAndGluedWithAcks()
{
    const std::string s = frameWith(kFrameS, 9, "14");    // sub1 = -100
    const std::string g = frameWith(kFrameG, 28, "42");   // Ru1 = -50
    const std::string h = frameWith(kFrameH, 68, "005");  // extVoltTenths = 5
    const std::string i = frameWith(kFrameI, 1, "FF");    // StkTrim[3] = 239
    const std::string wire = "WWW" + s + g + "WWW" + h + "WWW" + i + "WWW";

    // Every way of cutting the stream in three gives the same result.
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        SimEngine e(SimEngine::Options{0, 0});
        size_t a = std::uniform_int_distribution<size_t>(0, wire.size())(rng);
        size_t b = std::uniform_int_distribution<size_t>(0, wire.size())(rng);
        if (a > b)
            std::swap(a, b);
        e.receive(wire.substr(0, a), 0);
        e.receive(wire.substr(a, b - a), 1);
        e.receive(wire.substr(b), 2);
        QCOMPARE(e.stats().framesAccepted, uint64_t(4));
        QCOMPARE(e.stats().framesRejected, uint64_t(0));
        QCOMPARE(e.settings().sub1, -100);
        QCOMPARE(e.settings().Ru1, -50);
        QCOMPARE(e.settings().extVoltTenths, 5);
        QCOMPARE(e.settings().StkTrim[3], 239);
        QCOMPARE(e.settings().Rssi, -100);
    }

    // Frames stored while streaming: the next receiver packet carries the new trim.
    SimEngine e(SimEngine::Options{0, 0});
    e.receive("OK", 0);  // servo packet in flight
    auto out = e.receive(i + "WWW", 1);
    QCOMPARE(int(out.size()), 1);
    QCOMPARE(int(out[0][1]), 0x19);
    QCOMPARE(int(out[0][10]), 239);
    std::vector<char> leads;
    e.onFrameAccepted = [&](char c) { leads.push_back(c); };
    e.receive(s + g, 2);
    QCOMPARE(leads, (std::vector<char>{'S', 'G'}));
}

void TestSim::rejectsBrokenFramesInTheStream()
{
    SimEngine e(SimEngine::Options{0, 0});
    const TransmitterSettings before = e.settings();
    const std::string badS = frameWith(kFrameS, 9, "14").erase(40, 5);         // bytes lost
    const std::string badG = frameWith(frameWith(kFrameG, 28, "42"), 1, "A");  // hex in a digit field
    const std::string badH = frameWith(kFrameH, 80, "Y");                      // wrong end letter
    e.receive(badS + "WWW" + badG + badH.substr(0, 30), 0);
    e.receive(badH.substr(30), 1);
    QCOMPARE(e.stats().framesAccepted, uint64_t(0));
    QVERIFY(e.stats().framesRejected >= 3);
    QVERIFY(e.settings() == before);

    // A truncated frame directly followed by a good one: only the good one counts.
    const std::string good = frameWith(kFrameS, 11, "DC");  // sub2 = 100
    e.receive(kFrameS.substr(0, 50) + good, 2);
    QCOMPARE(e.stats().framesAccepted, uint64_t(1));
    QCOMPARE(e.settings().sub2, 100);
    QCOMPARE(e.settings().sub1, 0);

    // The engine keeps answering after all that.
    QCOMPARE(int(e.receive("OK", 3).size()), 1);
}

void TestSim::ackTimeoutResumesAStalledStream()
{
    SimEngine e(SimEngine::Options{20, 500});
    QCOMPARE(int(e.receive("OK", 0).size()), 1);
    QCOMPARE(e.nextWakeMs(), int64_t(500));
    QVERIFY(e.tick(499).empty());
    QCOMPARE(int(e.tick(500).size()), 1);
    QCOMPARE(e.stats().ackTimeouts, uint64_t(1));
}

void TestSim::disagreesWhenAsked_data()
{
    QTest::addColumn<QString>("option");  // as on zqsim's command line
    QTest::addColumn<int>("sub1");        // S frame, -100 written
    QTest::addColumn<int>("extVolt");     // H frame, 5 written
    QTest::newRow("faithful") << "" << -100 << 5;
    QTest::newRow("misstores sub1") << "--misstore sub1=7" << 7 << 5;
    QTest::newRow("ignores H") << "--ignore-frame H" << -100 << 110;
    QTest::newRow("silent after a write") << "--silent-after-write" << -100 << 5;
}

void TestSim::disagreesWhenAsked()
{
    QFETCH(QString, option);
    QFETCH(int, sub1);
    QFETCH(int, extVolt);
    SimEngine::Options o{0, 0};
    std::string why, value = option.section(' ', 1).toStdString();
    QVERIFY(!option.startsWith("--misstore") || parseMisstore(value, o, &why));
    QVERIFY(!option.startsWith("--ignore") || parseIgnoreFrame(value, o, &why));
    o.silentAfterWrite = option.startsWith("--silent");
    SimEngine e(o);
    e.receive(frameWith(kFrameS, 9, "14") + kFrameG + frameWith(kFrameH, 68, "005") + kFrameI + "WWW", 0);
    QCOMPARE(e.settings().sub1, sub1);
    QCOMPARE(e.settings().extVoltTenths, extVolt);
    int packets = 0;
    for (auto out = e.receive("RR", 1); !out.empty(); out = e.receive("WWW", 2))
        ++packets;
    QCOMPARE(packets, o.silentAfterWrite ? 0 : 19);
    QCOMPARE(int(e.receive("RR", 3).size()), 1);  // only the first read after a write goes unanswered

    for (const char *bad : {"sub1", "Vertion=3", "nosuch=1", "sub1=x", "sub1=1000"})
        QVERIFY2(!parseMisstore(bad, o, &why), bad);
    QVERIFY(!parseIgnoreFrame("X", o, &why) && !parseIgnoreFrame("SG", o, &why));
}

void TestSim::soakWithoutPacing()
{
    // Long runs at full speed, with reads and writes woven in, never lose
    // the alternation or the one-packet-in-flight rule.
    SimEngine e(SimEngine::Options{0, 0});
    auto out = e.receive("OK", 0);
    uint8_t family = 0x18;
    for (int k = 1; k <= 20000; ++k) {
        const int64_t t = k / 10;
        QCOMPARE(int(out.size()), 1);
        QCOMPARE(int(out[0].size()), kLivePacketSize);
        QCOMPARE(out[0][1], family);
        family = family == 0x18 ? 0x19 : 0x18;
        if (k % 5000 == 0) {
            QVERIFY(e.receive(kFrameI, t).empty());
            out = e.receive("WWWRR", t);
            for (int j = 0; j < 19; ++j) {
                QCOMPARE(int(out.size()), 1);
                QCOMPARE(int(out[0][1]), 0x1A);
                out = e.receive("WWW", t);
            }
        } else {
            out = e.receive("WWW", t);
        }
    }
    QCOMPARE(e.stats().framesAccepted, uint64_t(4));
    QCOMPARE(e.stats().livePacketsSent, uint64_t(20001));
    QCOMPARE(e.stats().settingsPacketsSent, uint64_t(4 * 19));
    QCOMPARE(e.stats().strayAcks, uint64_t(0));
}

void TestSim::stateFileRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath("tx.dat").toStdString();

    TransmitterSettings s = factorySettings();
    QCOMPARE(loadSettingsFile(path, s), LoadResult::Missing);
    QVERIFY(s == factorySettings());

    std::mt19937 rng(9);
    TransmitterSettings saved = randomSettings(rng);
    QVERIFY(saveSettingsFile(path, saved));
    QVERIFY(!QFile::exists(QString::fromStdString(path + ".tmp")));
    TransmitterSettings loaded = factorySettings();
    QCOMPARE(loadSettingsFile(path, loaded), LoadResult::Loaded);
    loaded.Vertion = saved.Vertion;  // not part of the file
    QCOMPARE(diff(saved, loaded), QString());

    // The tool's own file format, with line breaks, reads the same.
    QFile f(QString::fromStdString(path));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromStdString(kFrameS + "\r\n" + kFrameG + "\n" + kFrameH + kFrameI + "\n"));
    f.close();
    QCOMPARE(loadSettingsFile(path, loaded), LoadResult::Loaded);
    QCOMPARE(loaded.VoltTenths, 110);

    // Something else is refused whole.
    const TransmitterSettings before = loaded;
    for (const std::string &junk : {std::string("hello"), kFrameS + frameWith(kFrameG, 1, "X"), std::string()}) {
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray::fromStdString(junk));
        f.close();
        std::string why;
        QCOMPARE(loadSettingsFile(path, loaded, &why), LoadResult::Invalid);
        QVERIFY(!why.empty());
        QVERIFY(loaded == before);
    }
    QVERIFY(!saveSettingsFile(dir.filePath("no/such/dir/x").toStdString(), s));
}

void TestSim::ptyRoundTrip()
{
    SimHost::Config conf;
    conf.engine.intervalMs = 5;
    conf.initial.Vertion = 77;
    SimHost host(conf);
    std::string error;
    QVERIFY2(host.start(&error), error.c_str());
    QVERIFY(host.running());
    QVERIFY(QString::fromStdString(host.slavePath()).startsWith("/dev/"));

    LineClient line(host.slavePath());
    QVERIFY(line.ok());
    QVERIFY(line.drain(100).isEmpty());  // silent until greeted

    QVERIFY(line.send("OK"));
    for (int k = 0; k < 6; ++k) {
        const QByteArray p = line.read(kLivePacketSize);
        QCOMPARE(p.size(), kLivePacketSize);
        QCOMPARE(uchar(p[1]), uchar(k % 2 ? 0x19 : 0x18));
        QVERIFY(line.drain(30).isEmpty());  // nothing more until acknowledged
        QVERIFY(line.send("WWW"));
    }
    line.read(kLivePacketSize);  // the one released by the last acknowledgement

    // Write a changed S frame in two pieces, then the closing "WWW".
    const std::string s = frameWith(kFrameS, 9, "14");
    QVERIFY(line.send(s.substr(0, 33)));
    QVERIFY(line.send(s.substr(33) + "WWW"));
    QTRY_COMPARE_WITH_TIMEOUT(host.settings().sub1, -100, 5000);
    QCOMPARE(line.readPacket().size(), kLivePacketSize);  // released by that "WWW"

    // Read: live packets still ahead are skipped; once the answer starts,
    // no live packet may come between its packets.
    QVERIFY(line.send("WWWRR"));
    QByteArray answer;
    int interleaved = 0;
    for (int k = 0; k < 60 && answer.size() < 12 * 18 + 8; ++k) {
        const QByteArray p = line.readPacket();
        if (p.isEmpty())
            break;
        QVERIFY(line.send("WWW"));
        if (uchar(p[1]) == 0x1A)
            answer += p;
        else if (!answer.isEmpty())
            ++interleaved;
    }
    QCOMPARE(interleaved, 0);
    QByteArray expected;
    for (const Bytes &b : encodeReadAnswer(host.settings()))
        expected += qb(b);
    QCOMPARE(answer.toHex(), expected.toHex());
    QCOMPARE(int(answer[12 * 5 + 7]), 0);  // the firmware number 77, big-endian, in 0x99
    QCOMPARE(int(answer[12 * 5 + 8]), 77);
    QCOMPARE(int(answer[12 + 3]), 20);  // the stored sub1 = -100
    // and then the stream goes on
    QCOMPARE(line.readPacket().size(), kLivePacketSize);

    QVERIFY(line.send("DIS"));
    QTRY_VERIFY_WITH_TIMEOUT(!host.streaming(), 5000);
    line.drain(100);
    QVERIFY(line.drain(100).isEmpty());
    host.stop();
    QVERIFY(!host.running());
    host.stop();  // harmless twice
}

void TestSim::ptyStatePersistsAcrossRuns()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SimHost::Config conf;
    conf.statePath = dir.filePath("tx.txt").toStdString();
    const std::string i = frameWith(kFrameI, 9, "24");  // StkStep[3] = 20
    {
        SimHost host(conf);
        QVERIFY(host.start());
        LineClient line(host.slavePath());
        QVERIFY(line.send(i + "WWW"));
        QTRY_COMPARE_WITH_TIMEOUT(host.settings().StkStep[3], 20, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("tx.txt")), 5000);
    }
    SimHost again(conf);
    QVERIFY(again.start());
    QCOMPARE(again.settings().StkStep[3], 20);
    QCOMPARE(again.settings().StkStep[2], 2);

    // A state file that is not one is refused rather than overwritten.
    QFile f(dir.filePath("bad.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not settings");
    f.close();
    conf.statePath = dir.filePath("bad.txt").toStdString();
    SimHost refused(conf);
    std::string error;
    QVERIFY(!refused.start(&error));
    QVERIFY(!error.empty());
    QVERIFY(!refused.running());
}

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
