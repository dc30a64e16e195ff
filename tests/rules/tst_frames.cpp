// Frame encoding: the exact frames of the initial model, the field
// encodings, and that every frame keeps its 81-character layout whatever
// the model holds; and that the test field table covers the model.
#include "configfile.h"
#include "configmodel.h"
#include "frameencoder.h"
#include "framefields.h"
#include "framelayout.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QString frameOf(FrameKind k, ConfigModel &m)
{
    return buildFrame(k, m, frameTemplate(k));
}

int offsetIn(const ConfigModel &m, const void *field)
{
    return int(static_cast<const char *>(field) - reinterpret_cast<const char *>(&m));
}

// The frame of every field the layout walks, by its offset in the model.
struct LayoutFields
{
    explicit LayoutFields(const ConfigModel &m) : m(m) {}

    const ConfigModel &m;
    int frame = -1;
    QMap<int, int> frameAt;

    void take(const void *field) { frameAt[offsetIn(m, field)] = frame; }
    void lead(char) {}
    void constant(const char *) {}
    void digit(int &v) { take(&v); }
    void hex(int &v, int) { take(&v); }
    void tenths(int &t, double &v) { take(&t), take(&v); }
    void tenthsDigits(int &t, double &v) { take(&t), take(&v); }
};

}  // namespace

class TstFrames : public QObject
{
    Q_OBJECT

private slots:
    void initialModelFrames()
    {
        ConfigModel m;
        const QString s = frameOf(FrameS, m);
        QCOMPARE(s,
                 QStringLiteral("S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y"));
        QCOMPARE(s, frameTemplate(FrameS));
        QCOMPARE(frameOf(FrameG, m),
                 QStringLiteral("G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z"));
        QCOMPARE(frameOf(FrameH, m),
                 QStringLiteral("H7474747474747474003747474015747474001020314253647407474747474747474110140380000X"));
        QCOMPARE(frameOf(FrameI, m),
                 QStringLiteral("I8888888812121212000000000000000000000000000000000000000000000000000000000000000V"));
        // The S build refreshes VoltTenths from Volt (11.0 V at start-up).
        QCOMPARE(m.VoltTenths, 110);
    }

    void everyFieldInItsPlace()
    {
        ConfigModel m = distinctModel();
        for (FrameKind k : {FrameS, FrameG, FrameH, FrameI})
            QCOMPARE(frameOf(k, m), QString::fromLatin1(kDistinctFile + 81 * k, 81));
    }

    void fieldEncodings()
    {
        ConfigModel m;
        m.sub1 = -100;
        m.sub2 = 100;
        m.sub3 = 0;
        m.Lepa1 = 120;
        m.Volt = 4.1;
        QString s = frameOf(FrameS, m);
        QCOMPARE(s.mid(9, 6), QStringLiteral("14DC78"));
        QCOMPARE(s.mid(25, 2), QStringLiteral("88"));
        QCOMPARE(m.VoltTenths, 41);
        QCOMPARE(s.mid(77, 2), QStringLiteral("39"));
        m.Volt = 23.9;
        QCOMPARE(frameOf(FrameS, m).mid(77, 2), QStringLiteral("FF"));
        QCOMPARE(m.VoltTenths, 239);

        m.Ru1 = -50;
        QCOMPARE(frameOf(FrameG, m).mid(28, 2), QStringLiteral("42"));

        m.extVolt = 11.0;
        QCOMPARE(frameOf(FrameH, m).mid(68, 3), QStringLiteral("110"));
        m.extVolt = 0.5;
        m.rxVolt = 7.3;
        const QString h = frameOf(FrameH, m);
        QCOMPARE(h.mid(68, 3), QStringLiteral("005"));
        QCOMPARE(m.extVoltTenths, 5);
        QCOMPARE(h.mid(74, 2), QStringLiteral("59"));  // 73 + 16
        QCOMPARE(m.rxVoltTenths, 73);

        // Digit fields and the reversed trim order of the I frame.
        m.Mode = 4;
        m.AUX8 = 5;
        QCOMPARE(frameOf(FrameS, m).mid(76, 4), QStringLiteral("5FF4"));
        m.StkTrim[0] = 0;
        m.StkTrim[3] = 239;
        m.StkStep[0] = 20;
        QCOMPARE(frameOf(FrameI, m).left(17), QStringLiteral("IFF88881012121224"));
    }

    // Values a field cannot carry are clamped in the text; the frame keeps
    // its layout and the model keeps its value.
    void outOfRangeValuesAreClampedInTheFrameOnly()
    {
        ConfigModel m;
        m.Volt = 50.0;
        m.sub1 = -120;
        m.rev2 = 10;
        m.Lepa8 = -1;
        m.StkTrim[3] = 240;
        m.extVolt = 150.0;
        m.rxVolt = -2.0;
        const QString s = frameOf(FrameS, m);
        QCOMPARE(s.length(), kFrameLength);
        QCOMPARE(s.mid(77, 2), QStringLiteral("FF"));
        QCOMPARE(m.VoltTenths, 500);
        QCOMPARE(m.Volt, 50.0);
        QCOMPARE(s.mid(9, 2), QStringLiteral("10"));
        QCOMPARE(m.sub1, -120);
        QCOMPARE(s.at(2), QLatin1Char('9'));
        QCOMPARE(s.mid(39, 2), QStringLiteral("10"));
        QCOMPARE(s.at(79), QLatin1Char('2'));  // Mode still in place

        const QString h = frameOf(FrameH, m);
        QCOMPARE(h.mid(68, 3), QStringLiteral("999"));
        QCOMPARE(m.extVoltTenths, 1500);
        QCOMPARE(h.mid(74, 2), QStringLiteral("10"));
        QCOMPARE(m.rxVoltTenths, -20);

        QCOMPARE(frameOf(FrameI, m).mid(1, 2), QStringLiteral("FF"));
        QCOMPARE(m.StkTrim[3], 240);
    }

    // Only the leading fields are rewritten; whatever the stored frame
    // holds after them stays.
    void buildKeepsTheStoredTail()
    {
        ConfigModel m;
        QString stored = frameTemplate(FrameG);
        stored.replace(77, 3, "abc");
        const QString g = buildFrame(FrameG, m, stored);
        QCOMPARE(g.mid(77), QStringLiteral("abcZ"));
        QCOMPARE(g.left(77), frameOf(FrameG, m).left(77));
        // Building twice from the same model gives the same frame.
        QCOMPARE(buildFrame(FrameG, m, g), g);
    }

    // Whatever the model holds: every frame has 81 characters, its letters,
    // constants and tails in place, only hex digits in between, and reads
    // back as each field clamped to what it can carry.
    void everyModelGivesWellFormedFrames()
    {
        QRandomGenerator rng(20240531);
        const QString zeros63 = QString(63, QLatin1Char('0'));
        for (int round = 0; round < 2000; ++round) {
            const bool wild = round % 2;
            const ConfigModel original = wild ? randomWildModel(rng) : randomEncodableModel(rng);
            ConfigModel m = original;
            QString frames[4];
            for (FrameKind k : {FrameS, FrameG, FrameH, FrameI}) {
                frames[k] = frameOf(k, m);
                QCOMPARE(frames[k].length(), kFrameLength);
                for (int p = 1; p < kFramePrefixLength[k]; ++p)
                    QVERIFY2(QStringLiteral("0123456789ABCDEF").contains(frames[k].at(p)), qPrintable(frames[k]));
            }
            QCOMPARE(frames[FrameS].at(0), QLatin1Char('S'));
            QCOMPARE(frames[FrameS].at(80), QLatin1Char('Y'));
            QCOMPARE(frames[FrameG].at(0), QLatin1Char('G'));
            QCOMPARE(frames[FrameG].at(36), QLatin1Char('6'));
            QCOMPARE(frames[FrameG].mid(77), QStringLiteral("6D2Z"));
            QCOMPARE(frames[FrameH].at(0), QLatin1Char('H'));
            QCOMPARE(frames[FrameH].mid(76), QStringLiteral("0000X"));
            QCOMPARE(frames[FrameI].at(0), QLatin1Char('I'));
            QCOMPARE(frames[FrameI].mid(17), zeros63 + QLatin1Char('V'));

            // Building touched nothing but the three tenths fields.
            ConfigModel expectModel = original;
            for (const VoltFieldInfo &f : frameVoltFields())
                expectModel.*f.tenths = voltsToTenths(original.*f.volts);
            const QStringList changed = differingFrameFields(m, expectModel);
            QVERIFY2(changed.isEmpty(), qPrintable(changed.join("; ")));

            // Read back: each field clamped, nothing shifted.
            ConfigModel expected = original;
            for (const IntFieldInfo &f : frameIntFields())
                f.ref(expected) = qBound(f.lo, f.ref(expected), f.hi);
            for (const VoltFieldInfo &f : frameVoltFields()) {
                expected.*f.tenths = qBound(0, voltsToTenths(original.*f.volts), f.hiTenths);
                expected.*f.volts = tenthsToVolts(expected.*f.tenths);
            }
            ConfigModel decoded = wild ? randomEncodableModel(rng) : ConfigModel{};
            const QByteArray file = configFileContent(frames[0], frames[1], frames[2], frames[3]);
            QCOMPARE(file.size(), kConfigFileLength);
            const DecodedFrames d = decodeConfigText(QString::fromLatin1(file), decoded);
            QVERIFY(d.s && d.g && d.h && d.i);
            const QStringList diff = differingFrameFields(decoded, expected);
            QVERIFY2(diff.isEmpty(), qPrintable(diff.join("; ")));
            if (!wild) {
                // In range, the file gives back exactly the model it was saved from.
                QVERIFY(differingFrameFields(decoded, original).isEmpty());
            }
        }
    }

    // The test table lists every model field once (a field it lacks leaves
    // the size short; the model has no padding to count) and each frame
    // field in the frame the layout puts it in.
    void fieldTableCoversTheModel()
    {
        ConfigModel m;
        QMap<int, int> listed;  // offset -> frame
        QMap<int, QString> names;
        size_t bytes = 0;
        const auto list = [&](const QString &name, const void *p, size_t size, int frame) {
            QVERIFY2(!names.contains(offsetIn(m, p)), qPrintable(name + " listed twice"));
            listed[offsetIn(m, p)] = frame;
            names[offsetIn(m, p)] = name;
            bytes += size;
        };
        for (const IntFieldInfo &f : modelIntFields())
            list(f.name, &f.ref(m), sizeof(int), f.frame);
        for (const VoltFieldInfo &f : frameVoltFields())
            list(f.name, &(m.*f.volts), sizeof(double), f.frame);
        QCOMPARE(bytes, sizeof(ConfigModel));

        LayoutFields layout(m);
        for (FrameKind k : {FrameS, FrameG, FrameH, FrameI}) {
            layout.frame = k;
            framelayout::walk(k, layout, m);
        }
        for (auto it = listed.cbegin(); it != listed.cend(); ++it)
            QVERIFY2(layout.frameAt.value(it.key(), -1) == it.value(), qPrintable(names[it.key()] + ": wrong frame"));
        QCOMPARE(layout.frameAt.size(), int(listed.size() - unframedIntFields().size()));
    }

    void voltsConvertExactlyInTenthSteps()
    {
        for (int t = 0; t <= 999; ++t)
            QCOMPARE(voltsToTenths(tenthsToVolts(t)), t);
    }
};

QTEST_GUILESS_MAIN(TstFrames)
#include "tst_frames.moc"
