#include "packetcases.h"
#include "rangecheck.h"
#include "recording.h"

#include <QTemporaryDir>
#include <QtTest>

// A range check over fixed packet streams: the rows, the gaps, the weak
// stretches and the lowest values with their times.
class TestRangeCheck : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreLaidOutAsHeaded();
    void streamFindsGapsWeakStretchesAndMinima();
    void recordingWritesRowsThenSummary();
};

namespace {

constexpr qint64 kStart = 1796731290000;  // 2026-12-08T12:01:30.000Z

}  // namespace

void TestRangeCheck::rowsAreLaidOutAsHeaded()
{
    RangeCheck check(kStart);
    QVERIFY(!check.take(settingsPacket(0x44, {1, 2, 3, 4, 5, 6, 7, 8}), kStart + 1));
    QVERIFY(check.take(servoPacket({1000, 1500, 2000, 0, 999, 1001, 1234, 65535}, 741), kStart + 7));
    QByteArray rows = csvHeader();
    appendCsvRow(rows, check.last(), 3600);
    QVERIFY(check.take(receiverPacket(40, 49, 112, 0, 0, {121, 250, 120, 0}), kStart + 86400123));
    appendCsvRow(rows, check.last(), -(5 * 3600 + 30 * 60));
    QCOMPARE(rows, QByteArray("time,packet,ch1,ch2,ch3,ch4,ch5,ch6,ch7,ch8,tx_volts,rx_volts,ext_volts,signal_dbm,"
                              "trim1,trim2,trim3,trim4\n"
                              "2026-12-08T13:01:30.007+01:00,servo,1000,1500,2000,0,999,1001,1234,65535,7.41,0.0,"
                              "0.0,-100,0,0,0,0\n"
                              "2026-12-09T06:31:30.123-05:30,receiver,1000,1500,2000,0,999,1001,1234,65535,7.41,"
                              "4.9,11.2,-60,-120,0,120,1\n"));
}

void TestRangeCheck::streamFindsGapsWeakStretchesAndMinima()
{
    // Every 20 ms a servo or receiver packet, for 4 s; the line silent for
    // 700 ms from 1 s (a gap) and for 400 ms from 2 s (none at a 500 ms
    // limit); the signal weak from 1.5 s to 1.8 s and from 3 s to 3.2 s,
    // the batteries lowest at known times.
    RangeCheck check(kStart, RangeLimits{500, -80});
    qint64 packets = 0;
    for (qint64 t = 20; t <= 4000; t += 20) {
        if ((t > 1000 && t < 1700) || (t > 2000 && t < 2400))
            continue;
        const bool weak = (t >= 1500 && t < 1800) || (t >= 3000 && t < 3200);
        const int rssi = t == 3120 ? 5 : weak ? 15 : 60;
        const int tx = t == 2620 ? 700 : 800;
        const int rx = t == 3520 ? 44 : 50;
        const int ext = t == 520 ? 100 : 110;
        const QByteArray p = (t / 20) % 2 ? servoPacket({1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}, tx)
                                          : receiverPacket(rssi, rx, ext, 0, 0, {120, 120, 120, 120});
        QVERIFY(check.take(p, kStart + t));
        ++packets;
    }
    const RangeSummary s = check.summary(kStart + 4000);
    QCOMPARE(s.packets, packets);
    QCOMPARE(s.gaps, 1);
    QCOMPARE(s.longestGap.startMs, kStart + 1000);
    QCOMPARE(s.longestGap.length(), qint64(700));
    QCOMPARE(s.lowSignals, 2);
    QCOMPARE(check.weakSince(kStart, kStart + 4000).size(), 2);
    QCOMPARE(check.weakSince(kStart, kStart + 4000).first().startMs, kStart + 1720);  // the first weak packet
    QCOMPARE(summaryComment(s, 0),
             QByteArray("# summary: from 2026-12-08T12:01:30.000+00:00, duration 4.000 s, packets 147, gaps 1 "
                        "(longest 0.700 s from 2026-12-08T12:01:31.000+00:00), low signal 2, lowest signal -95 dBm "
                        "at 2026-12-08T12:01:33.120+00:00, lowest tx 7.00 V at 2026-12-08T12:01:32.620+00:00, "
                        "lowest rx 4.4 V at 2026-12-08T12:01:33.520+00:00, lowest ext 10.0 V at "
                        "2026-12-08T12:01:30.520+00:00\n"));
    // Silence after the last packet becomes a gap once it passes the limit.
    QCOMPARE(check.summary(kStart + 4500).gaps, 1);
    QCOMPARE(check.summary(kStart + 4900).gaps, 2);
    QCOMPARE(check.summary(kStart + 4900).longestGap.length(), qint64(900));
    QCOMPARE(check.gapsSince(kStart + 2000, kStart + 4900).size(), 1);
    // The chart's buckets: one per 100 ms that had a packet, each with its extremes.
    const QVector<Bucket> &b = check.buckets();
    QCOMPARE(b.size(), 41 - 6 - 3);
    const auto at = [&](qint64 t) {
        return *std::find_if(b.begin(), b.end(), [&](const Bucket &k) { return k.startMs == kStart + t; });
    };
    QCOMPARE(at(3100).low[SignalTrace], -95);
    QCOMPARE(at(3100).high[SignalTrace], -85);
    QCOMPARE(at(2600).low[TxTrace], 700);
}

void TestRangeCheck::recordingWritesRowsThenSummary()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("range.csv"));
    CsvRecording rec;
    QString why;
    QVERIFY(rec.start(path, kStart, &why));
    RangeCheck check(kStart);
    check.take(servoPacket({1100, 1000, 1000, 1000, 1000, 1000, 1000, 1000}, 800), kStart + 10);
    rec.add(check.last());
    QVERIFY(rec.flushDue(kStart + 20, &why));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), csvHeader());  // rows wait up to half a second
    QVERIFY(rec.flushDue(kStart + CsvRecording::kFlushMs, &why));
    QCOMPARE(file.readAll().count('\n'), 1);  // then reach the file
    QVERIFY(rec.stop(check.summary(kStart + 1000), &why));
    QVERIFY(file.readAll().startsWith("# summary: from "));
    QVERIFY(!rec.isOpen());

    // A file that cannot be made, or written, is told and closed.
    QVERIFY(!rec.start(dir.filePath(QStringLiteral("none/range.csv")), kStart, &why));
    QVERIFY(!why.isEmpty());
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        why.clear();
        QVERIFY(!rec.start(QStringLiteral("/dev/full"), kStart, &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!rec.isOpen());
    }
}

QTEST_APPLESS_MAIN(TestRangeCheck)
#include "tst_rangecheck.moc"
