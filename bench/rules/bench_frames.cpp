// Cost of building the configuration frames and of decoding a file, which
// run on the GUI thread before every write and load.
#include "configfile.h"
#include "configmodel.h"
#include "frameencoder.h"

#include <QtTest>

class BenchFrames : public QObject
{
    Q_OBJECT

private slots:
    void buildFrame_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("S") << int(FrameS);
        QTest::newRow("G") << int(FrameG);
        QTest::newRow("H") << int(FrameH);
        QTest::newRow("I") << int(FrameI);
    }

    void buildFrame()
    {
        QFETCH(int, kind);
        const FrameKind k = FrameKind(kind);
        ConfigModel m;
        QString stored = frameTemplate(k);
        QBENCHMARK
        {
            stored = ::buildFrame(k, m, stored);
        }
        QCOMPARE(stored.length(), kFrameLength);
    }

    void buildAllFourFrames()
    {
        ConfigModel m;
        QString stored[4] = {frameTemplate(FrameS), frameTemplate(FrameG), frameTemplate(FrameH),
                             frameTemplate(FrameI)};
        QBENCHMARK
        {
            for (FrameKind k : {FrameS, FrameG, FrameH, FrameI})
                stored[k] = ::buildFrame(k, m, stored[k]);
        }
    }

    void decodeFile()
    {
        ConfigModel m;
        QString text;
        for (FrameKind k : {FrameS, FrameG, FrameH, FrameI})
            text += ::buildFrame(k, m, frameTemplate(k));
        QBENCHMARK
        {
            decodeConfigText(text, m);
        }
    }
};

QTEST_GUILESS_MAIN(BenchFrames)
#include "bench_frames.moc"
