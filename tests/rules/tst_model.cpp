// The model's own rules: dual-rate selection, trim row map, tenths.
#include "configmodel.h"

#include <QtTest>

class TestModel : public QObject
{
    Q_OBJECT

    ConfigModel cfg;

private slots:
    void init() { cfg = ConfigModel(); }

    void initialValuesMatchTheTransmitterDefaults()
    {
        // A few fields whose start values differ from their neighbours';
        // a slip here would be sent to the transmitter on the first write.
        QCOMPARE(cfg.rev3, 1);
        QCOMPARE(cfg.FS3, 0);
        QCOMPARE(cfg.FS2, 50);
        QCOMPARE(cfg.Elev04, -100);
        QCOMPARE(cfg.Ru2, -50);
        QCOMPARE(cfg.AttiM, 4);
        QCOMPARE(cfg.PRM02_Master, 1);
        QCOMPARE(cfg.PRM04_Slave, 5);
        QCOMPARE(cfg.THCURE_Data06, 84);
        QCOMPARE(cfg.Volt, 11.0);
        QCOMPARE(cfg.VoltTenths, 37);
        QCOMPARE(cfg.Mode, 2);
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(cfg.StkTrim[k], 120);
            QCOMPARE(cfg.StkStep[k], 2);
            QCOMPARE(cfg.DR_UpRate[k], 100);
            QCOMPARE(cfg.DR_DownExp[k], 0);
        }
        const int atti[6] = {14, 29, 44, 56, 69, 88};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(cfg.*kAttiFields[i], atti[i]);
    }

    void dualRateSelectionFollowsChannelAndPosition()
    {
        for (int k = 0; k < 4; ++k) {
            cfg.DR_UpRate[k] = 10 + k;
            cfg.DR_DownRate[k] = 20 + k;
            cfg.DR_UpExp[k] = -30 - k;
            cfg.DR_DownExp[k] = 40 + k;
        }
        cfg.DR_CH = 2;
        cfg.DR_POSI = 0;
        selectDualRate(cfg);
        QCOMPARE(cfg.DR_UP1, 12);
        QCOMPARE(cfg.DR_DOWN1, 22);
        QCOMPARE(cfg.DR_RATE, 12);
        QCOMPARE(cfg.DR_EXP, -32);

        // Any position other than 0 selects the down arrays, also the
        // values 2..4 the sanity pass lets through.
        for (int posi : {1, 3}) {
            cfg.DR_POSI = posi;
            selectDualRate(cfg);
            QCOMPARE(cfg.DR_RATE, 22);
            QCOMPARE(cfg.DR_EXP, 42);
            QCOMPARE(cfg.DR_UP1, 12);
        }
    }

    void dualRateSelectionIgnoresChannelsWithoutArrays()
    {
        cfg.DR_UP1 = 1;
        cfg.DR_DOWN1 = 2;
        cfg.DR_RATE = 3;
        cfg.DR_EXP = 4;
        for (int ch : {4, -1, 99}) {
            cfg.DR_CH = ch;
            selectDualRate(cfg);
            QCOMPARE(cfg.DR_UP1, 1);
            QCOMPARE(cfg.DR_DOWN1, 2);
            QCOMPARE(cfg.DR_RATE, 3);
            QCOMPARE(cfg.DR_EXP, 4);
        }
    }

    void trimRowMap_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QVector<int>>("rows");
        QTest::newRow("mode 1") << 1 << QVector<int>{3, 2, 1, 0};
        QTest::newRow("mode 2") << 2 << QVector<int>{3, 1, 2, 0};
        QTest::newRow("mode 3") << 3 << QVector<int>{0, 2, 1, 3};
        QTest::newRow("mode 4") << 4 << QVector<int>{0, 1, 2, 3};
        QTest::newRow("mode 0 (passes the sanity pass)") << 0 << QVector<int>{0, 1, 2, 3};
        QTest::newRow("mode 9") << 9 << QVector<int>{0, 1, 2, 3};
        QTest::newRow("negative mode") << -5 << QVector<int>{0, 1, 2, 3};
    }

    void trimRowMap()
    {
        QFETCH(int, mode);
        QFETCH(QVector<int>, rows);
        for (int r = 1; r <= 4; ++r)
            QCOMPARE(trimRowChannel(mode, r), rows[r - 1]);
    }

    void tenthsConversions()
    {
        QCOMPARE(voltsToTenths(3.7), 37);
        QCOMPARE(voltsToTenths(0.3), 3);
        QCOMPARE(voltsToTenths(99.9), 999);
        QCOMPARE(voltsToTenths(4.1), 41);
        QCOMPARE(voltsToTenths(11.0), 110);
        QCOMPARE(voltsToTenths(0.0), 0);
        QCOMPARE(voltsToTenths(23.9), 239);
        QCOMPARE(tenthsToVolts(110), 11.0);
        QCOMPARE(tenthsToVolts(37), 3.7);
        // Every value an editor can hold (0.0 .. 99.9 in 0.1 steps) comes
        // back exactly.
        for (int t = 0; t <= 999; ++t)
            QCOMPARE(voltsToTenths(t / 10.0), t);
        // Truncation toward zero, not rounding.
        QCOMPARE(voltsToTenths(3.79), 37);
        QCOMPARE(voltsToTenths(-0.55), -5);
        // Values no editor can produce saturate instead of overflowing.
        QCOMPARE(voltsToTenths(1e300), INT_MAX);
        QCOMPARE(voltsToTenths(-1e300), INT_MIN);
        QCOMPARE(voltsToTenths(std::nan("")), 0);
    }
};

QTEST_APPLESS_MAIN(TestModel)
#include "tst_model.moc"
