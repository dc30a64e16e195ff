// Cost of keeping a state: what a command pays on the GUI thread (the
// encoding and the hand-over), and what the history's own thread pays for
// each file (the write, the look for a double, the pruning of a full
// folder), which no command waits for.
#include "configmodel.h"
#include "history.h"

#include <QTemporaryDir>
#include <QtTest>

class BenchHistory : public QObject
{
    Q_OBJECT

private slots:
    void keepOnTheCommandsThread()
    {
        QTemporaryDir dir;
        HistoryStore store(dir.path());
        ConfigModel m;
        int n = 0;
        QBENCHMARK
        {
            m.sub1 = n++ % 200 - 100;
            store.keep(m, HistoryEvent::Read, QStringLiteral("ttyUSB0"));
        }
        store.waitForWrites();
    }

    // With the folder at its bound, so every write also prunes.
    void writeOnTheHistorysThread()
    {
        QTemporaryDir dir;
        HistoryStore store(dir.path());
        ConfigModel m;
        int n = 0;
        for (; n < kHistoryNewest; ++n) {
            m.sub1 = n % 200 - 100;
            m.sub2 = n / 200;
            store.keep(m, HistoryEvent::Write, QString());
        }
        store.waitForWrites();
        QBENCHMARK
        {
            m.sub1 = n % 200 - 100;
            m.sub2 = n++ / 200 % 100;
            store.keep(m, HistoryEvent::Write, QString());
            store.waitForWrites();
        }
    }
};

QTEST_GUILESS_MAIN(BenchHistory)
#include "bench_history.moc"
