// Factory defaults and the two reset commands.
#include "configmodel.h"
#include "factory.h"
#include "modelfields.h"

#include <QRandomGenerator>
#include <QtTest>

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
            factoryDefaultsFirst(m);
            factoryDefaultsSecond(m);
            ConfigModel expected;
            expected.Volt = 3.7;
            const QStringList diff = differingFrameFields(m, expected);
            QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
            QCOMPARE(m.DR_EXP, 0);
            QCOMPARE(m.DR_RATE, 55);
            QCOMPARE(m.Vertion, 321);
        }
    }

    void firstHalfLeavesTheSecondHalfAlone()
    {
        ConfigModel m;
        m.PRM03_Slave = 7;
        m.rxVolt = 9.9;
        m.StkTrim[1] = 17;
        m.THCURE_Data04 = 1;
        m.sub5 = 44;
        m.PRM02_Slave = 0;
        factoryDefaultsFirst(m);
        QCOMPARE(m.sub5, 0);
        QCOMPARE(m.PRM02_Slave, 5);
        QCOMPARE(m.PRM03_Slave, 7);
        QCOMPARE(m.rxVolt, 9.9);
        QCOMPARE(m.StkTrim[1], 17);
        QCOMPARE(m.THCURE_Data04, 1);
        QCOMPARE(m.Volt, 3.7);
        QCOMPARE(m.VoltTenths, 37);
    }
};

QTEST_MAIN(TstReset)
#include "tst_reset.moc"
