// Decoding configuration files: which frames are taken, how each field is
// read, and what is never read.
#include "configfile.h"
#include "configmodel.h"
#include "filereport.h"
#include "frameencoder.h"
#include "framefields.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// The file a save of `m` writes.
QString fileOf(ConfigModel m)
{
    QString f;
    for (FrameKind k : {FrameS, FrameG, FrameH, FrameI})
        f += buildFrame(k, m, frameTemplate(k));
    return f;
}

// A model with every frame field away from `base`, so a decoded field shows.
ConfigModel otherModel(quint32 seed)
{
    QRandomGenerator rng(seed);
    return randomEncodableModel(rng);
}

}  // namespace

class TstConfigFile : public QObject
{
    Q_OBJECT

private slots:
    // Frames are taken by the length of the text and their letters.
    void frameAcceptance_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("s");
        QTest::addColumn<bool>("g");
        QTest::addColumn<bool>("h");
        QTest::addColumn<bool>("i");

        const QString full = fileOf(otherModel(1));
        QTest::newRow("whole file") << full << true << true << true << true;
        QTest::newRow("S and G only (162)") << full.left(162) << true << true << false << false;
        QTest::newRow("161 characters") << full.left(161) << false << false << false << false;
        QTest::newRow("243 characters") << full.left(243) << true << true << true << false;
        QTest::newRow("323 characters") << full.left(323) << true << true << true << false;
        QTest::newRow("longer than a file") << full + "trailing" << true << true << true << true;
        QTest::newRow("empty") << QString() << false << false << false << false;

        QString lines;
        for (int k = 0; k < 4; ++k)
            lines += full.mid(81 * k, 81) + "\r\n";
        QTest::newRow("line break after each frame") << lines << true << false << false << false;

        QString s = full;
        s[80] = 'X';
        QTest::newRow("S end letter wrong") << s << false << true << true << true;
        QString g = full;
        g[81] = 'g';
        QTest::newRow("G lead letter in lower case") << g << true << false << true << true;
        QString h = full;
        h[242] = 'Y';
        QTest::newRow("H end letter wrong") << h << true << true << false << true;
        QString i = full;
        i[323] = '0';
        QTest::newRow("I end letter missing") << i << true << true << true << false;
    }

    void frameAcceptance()
    {
        QFETCH(QString, text);
        QFETCH(bool, s);
        QFETCH(bool, g);
        QFETCH(bool, h);
        QFETCH(bool, i);
        const ConfigModel source = otherModel(1);
        const ConfigModel before;
        ConfigModel m = before;
        const DecodedFrames d = decodeConfigText(text, m);
        QCOMPARE(d.s, s);
        QCOMPARE(d.g, g);
        QCOMPARE(d.h, h);
        QCOMPARE(d.i, i);

        // A taken frame sets all of its fields; a skipped one none.
        const bool taken[4] = {s, g, h, i};
        ConfigModel expected = before;
        ConfigModel src = source;
        for (const IntFieldInfo &f : frameIntFields())
            if (taken[f.frame])
                f.ref(expected) = f.ref(src);
        for (const VoltFieldInfo &f : frameVoltFields())
            if (taken[f.frame]) {
                expected.*f.volts = source.*f.volts;
                expected.*f.tenths = source.*f.tenths;
            }
        const QStringList diff = differingFrameFields(m, expected);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
    }

    void malformedFieldsReadAsTheTransmitterWould()
    {
        QString f = fileOf(ConfigModel{});
        f.replace(9, 2, "zz");                              // sub1, hex offset 120
        f.replace(1, 1, "A");                               // rev1, digit
        f.replace(11, 2, "dc");                             // sub2, lower case hex
        f.replace(79, 1, "x");                              // Mode, digit
        f[117] = '#';                                       // the G constant is never read
        f.replace(158, 3, "???");                           // nor the G tail
        f.replace(238, 4, "abcd");                          // nor the H tail
        f.replace(260, 63, QString(63, QLatin1Char('q')));  // nor the I tail
        f.replace(77, 2, "39");                             // VoltTenths 41
        f.replace(230, 3, "123");                           // extVoltTenths
        f.replace(236, 2, "2A");                            // rxVoltTenths 26
        ConfigModel m;
        const DecodedFrames d = decodeConfigText(f, m);
        QVERIFY(d.s && d.g && d.h && d.i);
        QCOMPARE(m.sub1, -120);
        QCOMPARE(m.rev1, 10);
        QCOMPARE(m.sub2, 100);
        QCOMPARE(m.Mode, 0);
        QCOMPARE(m.VoltTenths, 41);
        QCOMPARE(m.Volt, 4.1);
        QCOMPARE(m.extVoltTenths, 123);
        QCOMPARE(m.extVolt, 12.3);
        QCOMPARE(m.rxVoltTenths, 26);
        QCOMPARE(m.rxVolt, 2.6);
        // Everything else came through as saved.
        ConfigModel expected;
        expected.sub1 = -120;
        expected.rev1 = 10;
        expected.sub2 = 100;
        expected.Mode = 0;
        expected.VoltTenths = 41;
        expected.Volt = 4.1;
        expected.extVoltTenths = 123;
        expected.extVolt = 12.3;
        expected.rxVoltTenths = 26;
        expected.rxVolt = 2.6;
        const QStringList diff = differingFrameFields(m, expected);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
    }

    void everyFieldReadFromItsPlace()
    {
        ConfigModel m;
        const DecodedFrames d = decodeConfigText(QString::fromLatin1(kDistinctFile), m);
        QVERIFY(d.s && d.g && d.h && d.i);
        const QStringList diff = differingFrameFields(m, distinctModel());
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
    }

    // Any model that fits its frames comes back field for field.
    // One byte, one character, whatever the Qt version's default codec: a
    // UTF-8 "é" in the S frame's first field is two damaged characters,
    // not one that would shift every later field.
    void bytesAreCharacters()
    {
        QCOMPARE(configFileText("S\xc3\xa9"
                                "1"),
                 QStringLiteral("S\uFFFD\uFFFD1"));
        QByteArray file = configFileOf(ConfigModel{});
        file.replace(1, 2, "\xc3\xa9");
        const ConfigFileRead r = readConfigFile(file);
        QCOMPARE(r.length, kConfigFileLength);
        QVERIFY(r.frames.s && r.frames.i);
    }

    void roundTripThroughTheFile()
    {
        QRandomGenerator rng(7);
        for (int round = 0; round < 1000; ++round) {
            const ConfigModel saved = randomEncodableModel(rng);
            const QString text = fileOf(saved);
            QCOMPARE(text.length(), kConfigFileLength);
            ConfigModel loaded = randomEncodableModel(rng);
            decodeConfigText(text, loaded);
            const QStringList diff = differingFrameFields(loaded, saved);
            QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
        }
    }
};

QTEST_GUILESS_MAIN(TstConfigFile)
#include "tst_configfile.moc"
