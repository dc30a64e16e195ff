// The kept history: what is written, what is not written twice, what is
// pruned, and a folder that cannot be written.
#include "configfile.h"
#include "configmodel.h"
#include "framefields.h"
#include "history.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

ConfigModel state(quint32 seed)
{
    QRandomGenerator rng(seed);
    return randomEncodableModel(rng);
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TstHistory : public QObject
{
    Q_OBJECT

private slots:
    // A state the one before it already holds is not written again, also
    // by a store that starts later on the same folder; each file is an
    // ordinary configuration file of the state.
    void keptOnceEach()
    {
        QTemporaryDir dir;
        const ConfigModel a = state(1), b = state(2);
        {
            HistoryStore store(dir.path());
            store.keep(a, HistoryEvent::Read, QStringLiteral("/dev/ttyUSB0"));
            store.keep(a, HistoryEvent::BeforeWrite, QStringLiteral("/dev/ttyUSB0"));
            store.keep(b, HistoryEvent::Write, QStringLiteral("/dev/ttyUSB0"));
        }
        HistoryStore again(dir.path());
        again.keep(b, HistoryEvent::Read, QStringLiteral("ttyUSB0"));
        again.waitForWrites();
        const QVector<HistoryEntry> e = again.entries();
        QCOMPARE(e.size(), 2);
        QCOMPARE(e[0].event, QStringLiteral("write"));
        QCOMPARE(e[1].event, QStringLiteral("read"));
        QCOMPARE(e[1].port, QStringLiteral("ttyUSB0"));
        const QByteArray kept = contentOf(e[0].path);
        QCOMPARE(kept.size(), kConfigFileLength);
        ConfigModel decoded;
        QVERIFY(decodeConfigText(QString::fromLatin1(kept), decoded).i);
        QCOMPARE(historyContent(decoded), kept);
        QCOMPARE(kept, historyContent(b));
        QVERIFY(e[0].time >= e[1].time);
    }

    // The newest entries stay, and of the older ones the first read of
    // each day; the rest goes, oldest first.
    void bounded()
    {
        QTemporaryDir dir;
        HistoryStore store(dir.path());
        for (int n = 0; n < kHistoryNewest + 5; ++n)
            store.keep(state(100 + n), n % 2 ? HistoryEvent::Write : HistoryEvent::Read, QString());
        store.waitForWrites();
        const QVector<HistoryEntry> e = store.entries();
        QCOMPARE(e.size(), kHistoryNewest + 1);
        QCOMPARE(contentOf(e.last().path), historyContent(state(100)));
        QCOMPARE(contentOf(e[kHistoryNewest - 1].path), historyContent(state(105)));

        // Days apart: one read kept for each of the newest `days` days.
        QVector<HistoryEntry> old;
        const QDateTime t0(QDate(2026, 1, 1), QTime(8, 0));
        for (int day = 0; day < 4; ++day)
            for (const char *w : {"write", "read", "read"})
                old << HistoryEntry{QString::number(old.size()), t0.addDays(day), QLatin1String(w), QString()};
        QStringList gone;
        for (const HistoryEntry &p : historyPruned(old, 2, 2))
            gone << p.path;
        QCOMPARE(gone.join(' '), QStringLiteral("0 1 2 3 5 6 8 9"));
    }

    // A history that cannot be written says so once and keeps taking states.
    void unwritableFolderSaidOnce()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        HistoryStore store(dir.filePath("file/history"));
        QSignalSpy said(&store, &HistoryStore::unwritable);
        store.keep(state(1), HistoryEvent::Read, QString());
        store.keep(state(2), HistoryEvent::Write, QString());
        store.waitForWrites();
        QTRY_COMPARE(said.count(), 1);
        QVERIFY(said.at(0).at(0).toString().contains("file/history"));
        QVERIFY(store.entries().isEmpty());
    }

    void names()
    {
        const QDateTime t(QDate(2026, 12, 8), QTime(14, 3, 27, 512));
        const QString name = historyFileName(t, HistoryEvent::BeforeReset, QStringLiteral("/dev/serial/by-id/usb_x:1"));
        QCOMPARE(name, QStringLiteral("2026-12-08_14-03-27-512_before-reset_serial-by-id-usb-x-1.txt"));
        HistoryEntry e;
        QVERIFY(parseHistoryName(name, &e));
        QCOMPARE(e.time, t);
        QCOMPARE(e.event, QStringLiteral("before-reset"));
        QCOMPARE(e.port, QStringLiteral("serial-by-id-usb-x-1"));
        QVERIFY(!parseHistoryName(QStringLiteral("glider.txt"), &e));
    }
};

QTEST_GUILESS_MAIN(TstHistory)
#include "tst_history.moc"
