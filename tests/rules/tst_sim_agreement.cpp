// The simulated transmitter is only a fair peer for the window tests if it
// reads the tool's bytes exactly as the tool means them, and the tool reads
// its bytes exactly as it means them.  Random settings go both ways, field
// by field: frames the tool builds decode in the simulator to the model's
// values, packets the simulator sends decode in the tool to its settings.
#include "configmodel.h"
#include "fieldnames.h"
#include "frameencoder.h"
#include "monitorstate.h"
#include "packetdecoder.h"
#include "readprogress.h"

#include "frames.h"
#include "packets.h"
#include "transmittersettings.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QtTest>

#include <string>

namespace {

constexpr quint32 kSeed = 20240611;
constexpr int kCases = 4000;

// Case 0 takes every field at the low end of its range, case 1 at the high
// end, the rest at random.
int valueFor(IntRange r, int caseNo, QRandomGenerator &rng)
{
    if (caseNo == 0)
        return r.lo;
    if (caseNo == 1)
        return r.hi;
    return r.lo + int(rng.bounded(quint32(r.hi - r.lo + 1)));
}

zqsim::TransmitterSettings settingsFor(int caseNo, QRandomGenerator &rng)
{
    zqsim::TransmitterSettings s;
    for (const zqsim::SettingsField &f : zqsim::settingsFields())
        f.ref(s) = valueFor(fieldRange(f.name, false), caseNo, rng);
    return s;
}

// The model holding `s`, the voltages as doubles the way their editors
// hold them.  The tenths fields get stale values on purpose: a frame must
// carry what the doubles say.
ConfigModel modelFrom(zqsim::TransmitterSettings s)
{
    ConfigModel m;
    for (const zqsim::SettingsField &f : zqsim::settingsFields()) {
        int *field = modelField(m, f.name);
        if (field)
            *field = f.ref(s);
    }
    m.Volt = tenthsToVolts(s.VoltTenths);
    m.rxVolt = tenthsToVolts(s.rxVoltTenths);
    m.extVolt = tenthsToVolts(s.extVoltTenths);
    m.VoltTenths = (s.VoltTenths + 1) % 240;
    m.rxVoltTenths = (s.rxVoltTenths + 7) % 240;
    m.extVoltTenths = (s.extVoltTenths + 13) % 1000;
    return m;
}

QString caseLabel(int caseNo)
{
    return QStringLiteral("case %1 (seed %2)").arg(caseNo).arg(kSeed);
}

}  // namespace

class TestSimAgreement : public QObject
{
    Q_OBJECT

private slots:
    void everySimulatorFieldIsAModelField();
    void toolFramesDecodeInTheSimulator();
    void simulatorPacketsDecodeInTheTool();
};

// The comparisons below go by name; a field the model lacks would be
// skipped silently.
void TestSimAgreement::everySimulatorFieldIsAModelField()
{
    ConfigModel m;
    for (const zqsim::SettingsField &f : zqsim::settingsFields()) {
        QVERIFY2(modelField(m, f.name), f.name);
        const IntRange r = fieldRange(f.name, false);
        QVERIFY2(r.lo < r.hi, f.name);
    }
}

void TestSimAgreement::toolFramesDecodeInTheSimulator()
{
    QRandomGenerator rng(kSeed);
    const FrameKind kinds[4] = {FrameS, FrameG, FrameH, FrameI};
    const char leads[4] = {'S', 'G', 'H', 'I'};

    for (int c = 0; c < kCases; ++c) {
        zqsim::TransmitterSettings want = settingsFor(c, rng);
        ConfigModel m = modelFrom(want);
        // The simulator starts from other settings, so a field no frame
        // writes shows up as a difference.
        zqsim::TransmitterSettings got = settingsFor(2 + c, rng);
        const int versionBefore = got.Vertion;

        for (int k = 0; k < 4; ++k) {
            const QString frame = buildFrame(kinds[k], m, frameTemplate(kinds[k]));
            const std::string bytes = frame.toStdString();
            QVERIFY2(zqsim::decodeFrame(bytes, got), qPrintable(caseLabel(c) + QStringLiteral(": rejected ") + frame));
            // Constant text included: the simulator would build the very same frame.
            QVERIFY2(bytes == zqsim::encodeFrame(leads[k], got),
                     qPrintable(caseLabel(c) + QStringLiteral(": ") + frame + QStringLiteral(" vs ")
                                + QString::fromStdString(zqsim::encodeFrame(leads[k], got))));
        }

        QStringList wrong;
        for (const zqsim::SettingsField &f : zqsim::settingsFields()) {
            // The firmware number travels one way only.
            const int expected = std::string(f.name) == "Vertion" ? versionBefore : f.ref(want);
            if (f.ref(got) != expected)
                wrong << QStringLiteral("%1 %2 != %3").arg(f.name).arg(f.ref(got)).arg(expected);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(caseLabel(c) + QStringLiteral(": ") + wrong.join(QStringLiteral(", "))));
    }
}

void TestSimAgreement::simulatorPacketsDecodeInTheTool()
{
    QRandomGenerator rng(kSeed + 1);
    // The read answer carries neither the dual-rate channel nor the rates
    // of the G frame (the tool derives those from the arrays); the trims
    // come with the live receiver packet instead.
    const QStringList notCarried = {QStringLiteral("DR_CH"), QStringLiteral("DR_UP1"), QStringLiteral("DR_DOWN1")};

    for (int c = 0; c < kCases; ++c) {
        zqsim::TransmitterSettings sim = settingsFor(c, rng);
        // The tool takes a reported trim of 239 as 240 (its clamp); only
        // the trims below that come back exactly.
        for (int &t : sim.StkTrim)
            t = qMin(t, 238);
        const ConfigModel before = modelFrom(settingsFor(2 + c, rng));
        ConfigModel m = before;
        MonitorState live;

        int settingsPackets = 0, auxPackets = 0;
        AwaitedAnswers read = AwaitedAnswers::fresh();
        for (const zqsim::Bytes &p : zqsim::encodeReadAnswer(sim)) {
            const QByteArray chunk(reinterpret_cast<const char *>(p.data()), int(p.size()));
            const DecodeResult r = decodePacket(chunk, m, live, false, read);
            read.took(r.readFlag);
            const PacketKind kind = r.kind;
            settingsPackets += kind == PacketKind::Settings;
            auxPackets += kind == PacketKind::Aux;
        }
        QCOMPARE(settingsPackets, 18);
        QCOMPARE(auxPackets, 1);

        const zqsim::LiveValues v = zqsim::liveValuesAt(qint64(rng.bounded(3600000u)), sim);
        for (const zqsim::Bytes &p : {zqsim::encodeServoPacket(v), zqsim::encodeReceiverPacket(v, sim)}) {
            const QByteArray chunk(reinterpret_cast<const char *>(p.data()), int(p.size()));
            const PacketKind kind = decodePacket(chunk, m, live, false, AwaitedAnswers()).kind;
            QVERIFY(kind == PacketKind::ServoLive || kind == PacketKind::ReceiverLive);
        }

        QStringList wrong;
        ConfigModel old = before;
        for (const zqsim::SettingsField &f : zqsim::settingsFields()) {
            const bool carried = !notCarried.contains(QLatin1String(f.name));
            const int expected = carried ? f.ref(sim) : *modelField(old, f.name);
            const int actual = *modelField(m, f.name);
            if (actual != expected)
                wrong << QStringLiteral("%1 %2 != %3").arg(f.name).arg(actual).arg(expected);
        }
        if (m.Volt != tenthsToVolts(sim.VoltTenths) || m.rxVolt != tenthsToVolts(sim.rxVoltTenths)
            || m.extVolt != tenthsToVolts(sim.extVoltTenths))
            wrong << QStringLiteral("volts %1 %2 %3").arg(m.Volt).arg(m.rxVolt).arg(m.extVolt);

        const int servos[8] = {live.Servo1, live.Servo2, live.Servo3, live.Servo4,
                               live.Servo5, live.Servo6, live.Servo7, live.Servo8};
        for (int k = 0; k < 8; ++k)
            if (servos[k] != v.servo[k])
                wrong << QStringLiteral("Servo%1 %2 != %3").arg(k + 1).arg(servos[k]).arg(v.servo[k]);
        if (live.TxVoltLive != v.txVoltHundredths || live.RssiLive != v.rssi || live.RxVoltLive != v.rxVoltTenths
            || live.ExtVoltLive != v.extVoltTenths || live.Spare1Live != v.spare1 || live.Spare2Live != v.spare2)
            wrong << QStringLiteral("receiver values");
        QVERIFY2(wrong.isEmpty(), qPrintable(caseLabel(c) + QStringLiteral(": ") + wrong.join(QStringLiteral(", "))));
    }
}

QTEST_GUILESS_MAIN(TestSimAgreement)
#include "tst_sim_agreement.moc"
