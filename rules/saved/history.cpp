#include "history.h"

#include "configfile.h"
#include "configmodel.h"
#include "differences.h"
#include "filesaver.h"
#include "frameencoder.h"
#include "settingstable.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QThread>

namespace {

const char kFolderVariable[] = "ZQCONFIG_HISTORY";
const char kTimeFormat[] = "yyyy-MM-dd_HH-mm-ss-zzz";
const char kSuffix[] = ".txt";

const char *const kEventWords[] = {"read", "write", "load", "reset", "before-write", "before-load", "before-reset"};

QVector<HistoryEntry> listFolder(const QString &folder)
{
    QVector<HistoryEntry> out;
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*") + QLatin1String(kSuffix)}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        HistoryEntry e;
        if (parseHistoryName(name, &e)) {
            e.path = QDir(folder).filePath(name);
            out << e;
        }
    }
    return out;
}

}  // namespace

QString historyEventWord(HistoryEvent e)
{
    return QLatin1String(kEventWords[int(e)]);
}

QString historyFileName(const QDateTime &time, HistoryEvent e, const QString &port)
{
    QString name = time.toString(QLatin1String(kTimeFormat)) + QLatin1Char('_') + historyEventWord(e);
    // "/dev/ttyUSB0" and "ttyUSB0" are one port.
    QString p = port.startsWith(QLatin1String("/dev/")) ? port.mid(5) : port;
    for (QChar &c : p)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('.') && c != QLatin1Char('-'))
            c = QLatin1Char('-');
    if (!p.isEmpty())
        name += QLatin1Char('_') + p;
    return name + QLatin1String(kSuffix);
}

bool parseHistoryName(const QString &fileName, HistoryEntry *entry)
{
    if (!fileName.endsWith(QLatin1String(kSuffix)))
        return false;
    const QStringList parts = fileName.chopped(int(qstrlen(kSuffix))).split(QLatin1Char('_'));
    if (parts.size() < 3 || parts.size() > 4)
        return false;
    const QDateTime time = QDateTime::fromString(parts[0] + QLatin1Char('_') + parts[1], QLatin1String(kTimeFormat));
    bool known = false;
    for (const char *w : kEventWords)
        known = known || parts[2] == QLatin1String(w);
    if (!time.isValid() || !known)
        return false;
    entry->time = time;
    entry->event = parts[2];
    entry->port = parts.value(3);
    return true;
}

QByteArray historyContent(const ConfigModel &state)
{
    ConfigModel m = state;
    return configFileContent(buildFrame(FrameS, m, frameTemplate(FrameS)), buildFrame(FrameG, m, frameTemplate(FrameG)),
                             buildFrame(FrameH, m, frameTemplate(FrameH)),
                             buildFrame(FrameI, m, frameTemplate(FrameI)));
}

ConfigModel historyState(const QByteArray &content)
{
    ConfigModel m;
    decodeConfigText(QString::fromLatin1(content), m);
    return m;
}

QStringList historyChanges(const ConfigModel &before, const ConfigModel &after)
{
    QStringList out;
    for (const HeldDifference &d : heldDifferences(after, before))
        out << settingLabel(*d.setting, after.Mode);
    return out;
}

QVector<HistoryEntry> historyPruned(const QVector<HistoryEntry> &entries, int newest, int days)
{
    QVector<HistoryEntry> pruned;
    const int older = qMax(0, int(entries.size()) - newest);
    // The first read of each day among the older entries, newest day first.
    QVector<int> dayFirsts;
    QSet<QDate> seen;
    for (int i = 0; i < older; ++i) {
        if (entries[i].event == historyEventWord(HistoryEvent::Read) && !seen.contains(entries[i].time.date())) {
            seen.insert(entries[i].time.date());
            dayFirsts << i;
        }
    }
    const QVector<int> kept = dayFirsts.mid(qMax(0, int(dayFirsts.size()) - days));
    for (int i = 0; i < older; ++i)
        if (!kept.contains(i))
            pruned << entries[i];
    return pruned;
}

// Lives on the store's thread: every disk access of the store is here.
class HistoryWorker : public QObject
{
    Q_OBJECT

public:
    explicit HistoryWorker(const QString &folder) : folder(folder) {}

    void write(const QByteArray &content, QDateTime time, HistoryEvent e, const QString &port)
    {
        if (!lastRead) {
            lastRead = true;
            const QVector<HistoryEntry> all = listFolder(folder);
            if (!all.isEmpty()) {
                QFile f(all.last().path);
                if (f.open(QIODevice::ReadOnly))
                    last = f.readAll();
            }
        }
        if (content == last)
            return;
        if (!QDir().mkpath(folder)) {
            fail(folder);
            return;
        }
        // Two states within one millisecond keep both, in their order.
        QString path = QDir(folder).filePath(historyFileName(time, e, port));
        while (QFile::exists(path)) {
            time = time.addMSecs(1);
            path = QDir(folder).filePath(historyFileName(time, e, port));
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !commitWhole(file, content)) {
            fail(path + QStringLiteral(": ") + file.errorString());
            return;
        }
        last = content;
        for (const HistoryEntry &e : historyPruned(listFolder(folder)))
            QFile::remove(e.path);
        emit kept(path);
    }

signals:
    void kept(const QString &path);
    void unwritable(const QString &why);

private:
    void fail(const QString &why)
    {
        if (!failed)
            emit unwritable(why);
        failed = true;
    }

    const QString folder;
    QByteArray last;  // the state kept last, in this folder
    bool lastRead = false;
    bool failed = false;
};

QString HistoryStore::defaultFolder()
{
    const QString set = qEnvironmentVariable(kFolderVariable);
    if (!set.isEmpty())
        return set;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("history"));
}

HistoryStore::HistoryStore(const QString &folder, QObject *parent)
    : QObject(parent), where(folder), thread(new QThread(this)), worker(new HistoryWorker(folder))
{
    worker->moveToThread(thread);
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &HistoryWorker::kept, this, &HistoryStore::kept);
    connect(worker, &HistoryWorker::unwritable, this, &HistoryStore::unwritable);
    thread->setObjectName(QStringLiteral("history"));
    thread->start(QThread::LowPriority);
}

HistoryStore::~HistoryStore()
{
    waitForWrites();
    thread->quit();
    thread->wait();
}

void HistoryStore::keep(const ConfigModel &state, HistoryEvent e, const QString &port)
{
    const QByteArray content = historyContent(state);
    const QDateTime now = QDateTime::currentDateTime();
    HistoryWorker *w = worker;
    QMetaObject::invokeMethod(
        w, [w, content, now, e, port] { w->write(content, now, e, port); }, Qt::QueuedConnection);
}

void HistoryStore::waitForWrites()
{
    QMetaObject::invokeMethod(
        worker, [] {}, Qt::BlockingQueuedConnection);
}

QVector<HistoryEntry> HistoryStore::entries() const
{
    QVector<HistoryEntry> all = listFolder(where);
    std::reverse(all.begin(), all.end());
    return all;
}

#include "history.moc"
