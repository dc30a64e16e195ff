#include "monitortext.h"

#include <QtTest>

class TestMonitor : public QObject
{
    Q_OBJECT

private slots:
    void bars_data();
    void bars();
    void txVolt_data();
    void txVolt();
    void battery_data();
    void battery();
    void rssi_data();
    void rssi();
};

void TestMonitor::bars_data()
{
    QTest::addColumn<int>("servo");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::newRow("0 fills the upper bar") << 0 << 1010 << 1000;
    QTest::newRow("500") << 500 << 510 << 1000;
    QTest::newRow("999") << 999 << 11 << 1000;
    QTest::newRow("1000 centre sliver") << 1000 << 10 << 1000;
    QTest::newRow("1001") << 1001 << 10 << 999;
    QTest::newRow("1500") << 1500 << 10 << 500;
    QTest::newRow("2000 fills the lower bar") << 2000 << 10 << 0;
    QTest::newRow("2500 out of the lower range") << 2500 << 10 << -500;
    QTest::newRow("65535") << 65535 << 10 << 2000 - 65535;
}

void TestMonitor::bars()
{
    QFETCH(int, servo);
    QFETCH(int, upper);
    QFETCH(int, lower);
    const ServoBars b = servoBars(servo);
    QCOMPARE(b.upper, upper);
    QCOMPARE(b.lower, lower);
}

void TestMonitor::txVolt_data()
{
    QTest::addColumn<int>("hundredths");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << " 0.0V";
    QTest::newRow("5") << 5 << " 0.0V";
    QTest::newRow("840") << 840 << " 8.4V";
    QTest::newRow("849 truncates") << 849 << " 8.4V";
    QTest::newRow("999") << 999 << " 9.9V";
    QTest::newRow("1000") << 1000 << "10.0 V";
    QTest::newRow("1234") << 1234 << "12.3 V";
    QTest::newRow("9999") << 9999 << "99.9 V";
    QTest::newRow("10000 drops the hundreds") << 10000 << "00.0 V";
    QTest::newRow("65535") << 65535 << "55.3 V";
}

void TestMonitor::txVolt()
{
    QFETCH(int, hundredths);
    QFETCH(QString, text);
    QCOMPARE(txVoltText(hundredths), text);
}

void TestMonitor::battery_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << " 0.0V";
    QTest::newRow("5") << 5 << " 0.5V";
    QTest::newRow("84") << 84 << " 8.4V";
    QTest::newRow("99") << 99 << " 9.9V";
    QTest::newRow("100") << 100 << "10.0 V";
    QTest::newRow("123") << 123 << "12.3 V";
    QTest::newRow("1234") << 1234 << "23.4 V";
    QTest::newRow("255") << 255 << "25.5 V";
}

void TestMonitor::battery()
{
    QFETCH(int, tenths);
    QFETCH(QString, text);
    QCOMPARE(batteryText(tenths), text);
}

void TestMonitor::rssi_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("text");
    QTest::newRow("0 no signal") << 0 << "null";
    QTest::newRow("1") << 1 << "-99dBm";
    QTest::newRow("40") << 40 << "-60dBm";
    QTest::newRow("95") << 95 << "-05dBm";
    QTest::newRow("99") << 99 << "-01dBm";
    QTest::newRow("100") << 100 << "-00dBm";
    // Past the strongest step: shown as the strongest reading.
    QTest::newRow("101") << 101 << "-00dBm";
    QTest::newRow("255") << 255 << "-00dBm";
}

void TestMonitor::rssi()
{
    QFETCH(int, raw);
    QFETCH(QString, text);
    QCOMPARE(rssiText(raw), text);
}

QTEST_APPLESS_MAIN(TestMonitor)
#include "tst_monitor.moc"
