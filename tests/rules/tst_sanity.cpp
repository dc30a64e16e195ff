#include "configmodel.h"
#include "modelfields.h"
#include "monitorstate.h"
#include "sanity.h"
#include "settingstable.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

bool sameModel(const ConfigModel &a, const ConfigModel &b)
{
    const QStringList diff = modelDiff(a, b);
    if (!diff.isEmpty())
        qWarning() << "fields differ:" << diff;
    return diff.isEmpty();
}

}  // namespace

class TestSanity : public QObject
{
    Q_OBJECT

private slots:
    void initialModelPasses();
    void repairsAndKeeps_data();
    void repairsAndKeeps();
    void perFieldFallbacks();
    void keptValuesAreShowable();
    void leftAloneFields();
    void percentBoundsNeverOverflow();
    void voltageBounds();
    void secondPassChangesNothing();
};

void TestSanity::initialModelPasses()
{
    // Every initial value lies inside its accepted range (VoltTenths 37
    // included), so the pass leaves a fresh model exactly as it is.
    ConfigModel m;
    applySanity(m);
    QVERIFY(sameModel(m, ConfigModel{}));
}

using Setter = void (*)(ConfigModel &, int);
using Getter = int (*)(const ConfigModel &);
Q_DECLARE_METATYPE(Setter)
Q_DECLARE_METATYPE(Getter)

#define FIELD(name)                                                                                                    \
    Setter([](ConfigModel &m, int v) { m.name = v; }) << Getter([](const ConfigModel &m) { return int(m.name); })

void TestSanity::repairsAndKeeps_data()
{
    QTest::addColumn<Setter>("set");
    QTest::addColumn<Getter>("get");
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");

    QTest::newRow("sub1 -120") << FIELD(sub1) << -120 << 0;
    QTest::newRow("sub1 -100 kept") << FIELD(sub1) << -100 << -100;
    QTest::newRow("sub8 101") << FIELD(sub8) << 101 << 0;
    QTest::newRow("Lepa1 200") << FIELD(Lepa1) << 200 << 96;
    QTest::newRow("Lepa1 -1") << FIELD(Lepa1) << -1 << 96;
    QTest::newRow("Lepa1 120 kept") << FIELD(Lepa1) << 120 << 120;
    QTest::newRow("Repa5 121") << FIELD(Repa5) << 121 << 96;
    QTest::newRow("rev3 7") << FIELD(rev3) << 7 << 1;
    QTest::newRow("rev4 7") << FIELD(rev4) << 7 << 0;
    QTest::newRow("FS3 101") << FIELD(FS3) << 101 << 0;
    QTest::newRow("FS4 101") << FIELD(FS4) << 101 << 50;
    QTest::newRow("delay2 -5") << FIELD(delay2) << -5 << 100;
    QTest::newRow("Mode 9") << FIELD(Mode) << 9 << 1;
    QTest::newRow("Rssi 20") << FIELD(Rssi) << 20 << -100;
    QTest::newRow("Rssi 1") << FIELD(Rssi) << 1 << -100;
    QTest::newRow("Rssi 0 kept") << FIELD(Rssi) << 0 << 0;
    QTest::newRow("Rssi -101") << FIELD(Rssi) << -101 << -100;
    QTest::newRow("DR_CH 5") << FIELD(DR_CH) << 5 << 0;
    QTest::newRow("DR_POSI 5") << FIELD(DR_POSI) << 5 << 0;
    QTest::newRow("DR_UP1 101") << FIELD(DR_UP1) << 101 << 100;
    QTest::newRow("DR_EXP -101") << FIELD(DR_EXP) << -101 << 0;
    QTest::newRow("AttiM 6") << FIELD(AttiM) << 6 << 4;
    QTest::newRow("AUX6 6") << FIELD(AUX6) << 6 << 3;
    QTest::newRow("THCURE_Opt 5") << FIELD(THCURE_Opt) << 5 << 0;
    QTest::newRow("THCURE_Opt 4 kept") << FIELD(THCURE_Opt) << 4 << 4;
    QTest::newRow("PRM04_Master 11") << FIELD(PRM04_Master) << 11 << 1;
    QTest::newRow("PRM02_Slave 11") << FIELD(PRM02_Slave) << 11 << 5;
    QTest::newRow("PRM04_Mix 3") << FIELD(PRM04_Mix) << 3 << 0;
    QTest::newRow("PRM03_Data2 -101") << FIELD(PRM03_Data2) << -101 << 0;
    QTest::newRow("VoltTenths 501") << FIELD(VoltTenths) << 501 << 37;
    QTest::newRow("extVoltTenths 1001") << FIELD(extVoltTenths) << 1001 << 110;
}

void TestSanity::repairsAndKeeps()
{
    QFETCH(Setter, set);
    QFETCH(Getter, get);
    QFETCH(int, in);
    QFETCH(int, out);
    ConfigModel m;
    set(m, in);
    applySanity(m);
    QCOMPARE(get(m), out);
    // Only that field was touched.
    set(m, in);
    ConfigModel fresh;
    set(fresh, in);
    QVERIFY(sameModel(m, fresh));
}

void TestSanity::perFieldFallbacks()
{
    // Push every checked int field out of range at once and check each
    // lands on its own fallback (the initial value except Mode).
    ConfigModel m;
    for (int k = 0; k < 8; ++k) {
        m.*kRevFields[k] = 2;
        m.*kSubFields[k] = 300;
        m.*kLepaFields[k] = -7;
        m.*kRepaFields[k] = 255;
        m.*kFsFields[k] = 135;
        m.*kDelayFields[k] = 200;
    }
    for (int k = 0; k < 6; ++k) {
        m.*kAttiFields[k] = 155;
        m.*kElevFields[k] = -120;
    }
    for (int k = 0; k < 4; ++k) {
        m.*kRuFields[k] = 155;
        m.*kAuxFields[k] = 200;
        m.DR_UpRate[k] = m.DR_DownRate[k] = 255;
        m.DR_UpExp[k] = m.DR_DownExp[k] = 155;
        m.StkStep[k] = 0;
        const PrmFields &f = kPrmFields[k];
        m.*f.mix = 9;
        m.*f.master = m.*f.slave = 200;
        m.*f.data1 = m.*f.data2 = m.*f.data3 = -120;
    }
    for (int k = 0; k < 7; ++k)
        m.*kThCurveFields[k] = 101;
    m.Mode = 5;
    m.DR_MIX = m.EleMix = m.RuMix = 2;
    m.THCURE_MIX = 6;

    applySanity(m);
    ConfigModel init;
    init.Mode = 1;  // the one fallback that is not the initial value
    QVERIFY(sameModel(m, init));
}

void TestSanity::keptValuesAreShowable()
{
    // The pass keeps exactly what a setting's editor can show: an item of its
    // selector, a value in its box's range; a voltage in volts and in tenths.
    for (const Setting &s : settingsTable()) {
        const bool choice = s.shown == Shown::Choice;
        if (!choice && s.shown != Shown::Number && s.shown != Shown::Volts)
            continue;
        const int lo = choice ? 0 : s.editLo, hi = choice ? s.items.size() - 1 : s.editHi;
        for (int v = lo - 1000; v <= hi + 1000; ++v) {
            ConfigModel m;
            s.set(m, v);
            applySanity(m);
            const bool shown = v >= lo && v <= hi;
            if ((s.get(m) == v) != shown || (s.tenths && (m.*s.tenths == v) != shown))
                QFAIL(qPrintable(QStringLiteral("%1 = %2").arg(s.name).arg(v)));
        }
    }
}

void TestSanity::leftAloneFields()
{
    ConfigModel m;
    m.DR_RATE = 250;
    m.Vertion = -3;
    m.StkTrim[0] = 250;
    m.StkTrim[3] = -1;
    MonitorState live;
    live.Servo1 = 99999;
    const MonitorState liveBefore = live;
    applySanity(m);
    QCOMPARE(m.DR_RATE, 250);
    QCOMPARE(m.Vertion, -3);
    QCOMPARE(m.StkTrim[0], 250);
    QCOMPARE(m.StkTrim[3], -1);
    QVERIFY(monitorDiff(live, liveBefore).isEmpty());
}

void TestSanity::percentBoundsNeverOverflow()
{
    // Extreme values (a corrupt file, say) are plain out-of-range values.
    ConfigModel m;
    m.sub1 = std::numeric_limits<int>::max();
    m.sub2 = std::numeric_limits<int>::min();
    m.Rssi = std::numeric_limits<int>::max();
    m.Lepa1 = std::numeric_limits<int>::min();
    applySanity(m);
    QCOMPARE(m.sub1, 0);
    QCOMPARE(m.sub2, 0);
    QCOMPARE(m.Rssi, -100);
    QCOMPARE(m.Lepa1, 96);
}

void TestSanity::voltageBounds()
{
    ConfigModel m;
    m.extVolt = 0.0;
    applySanity(m);
    QCOMPARE(m.extVolt, 0.0);

    m.Volt = 50.1;
    m.rxVolt = 100.1;
    m.extVolt = -0.1;
    applySanity(m);
    QCOMPARE(m.Volt, 0.0);  // not the factory 3.7
    QCOMPARE(m.rxVolt, 4.0);
    QCOMPARE(m.extVolt, 11.0);

    m.Volt = 75.0;
    m.rxVolt = std::nan("");
    applySanity(m);
    QCOMPARE(m.Volt, 0.0);
    QCOMPARE(m.rxVolt, 4.0);
}

void TestSanity::secondPassChangesNothing()
{
    // Random models, many of them far out of range: a second pass is a no-op.
    QRandomGenerator rng(20240607);
    for (int round = 0; round < 500; ++round) {
        ConfigModel m;
        auto *ints = reinterpret_cast<unsigned char *>(&m);
        for (size_t i = 0; i < sizeof m; ++i)
            if (rng.bounded(4) == 0)
                ints[i] = static_cast<unsigned char>(rng.bounded(256));
        // Keep the doubles sensible numbers or NaN, not arbitrary bit soup.
        m.Volt = rng.bounded(2000) / 10.0 - 50.0;
        m.rxVolt = rng.bounded(2000) / 10.0 - 50.0;
        m.extVolt = round % 7 == 0 ? std::nan("") : rng.bounded(2000) / 10.0;
        applySanity(m);
        const ConfigModel once = m;
        applySanity(m);
        QVERIFY2(sameModel(m, once), qPrintable(QString::number(round)));
    }
}

QTEST_APPLESS_MAIN(TestSanity)
#include "tst_sanity.moc"
