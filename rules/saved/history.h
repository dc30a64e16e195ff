#pragma once

// The kept history of what transmitters held: every complete read, every
// written state, and what was held just before a write, load or reset
// replaced it, each an ordinary configuration file (the 324 characters a
// Save writes, so zqconfig-file reads it) in one folder, named by time,
// event and port.  The files are written by a thread of the store's own,
// so a slow or full disk never holds up a command.  GUI-free.

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include "configmodel.h"

class QThread;

enum class HistoryEvent { Read, Write, Load, Reset, BeforeWrite, BeforeLoad, BeforeReset };

// The event's word in a file name: "read", "before-write", ...
QString historyEventWord(HistoryEvent e);

struct HistoryEntry
{
    QString path;
    QDateTime time;
    QString event;  // the word of the file name
    QString port;   // empty when no port was named
};

// "2026-12-08_14-03-27-512_read_ttyUSB0.txt": sorted by name is sorted by
// time.  A port's "/dev/" goes, and its characters other than letters,
// digits, '.' and '-' become '-'.
QString historyFileName(const QDateTime &time, HistoryEvent e, const QString &port);
// False for a name historyFileName did not make.
bool parseHistoryName(const QString &fileName, HistoryEntry *entry);

// The file a state is kept as.  The tails the frames carry beyond the
// settings are the start-up template's.
QByteArray historyContent(const ConfigModel &state);

// How much is kept: the newest kHistoryNewest entries, and of the older
// ones the first read of each day, for the newest kHistoryDays such days.
// Everything else goes, oldest first.
constexpr int kHistoryNewest = 200;
constexpr int kHistoryDays = 365;
// Of `entries`, oldest first, the ones pruning removes.
QVector<HistoryEntry> historyPruned(const QVector<HistoryEntry> &entries, int newest = kHistoryNewest,
                                    int days = kHistoryDays);

// The settings of a kept file, over start-up values for frames it lacks.
ConfigModel historyState(const QByteArray &content);
// The labels, in the user's language, of the settings that differ between
// two states.
QStringList historyChanges(const ConfigModel &before, const ConfigModel &after);

class HistoryWorker;

class HistoryStore : public QObject
{
    Q_OBJECT

public:
    // The folder of the environment variable ZQCONFIG_HISTORY when set,
    // else "history" in the user's data folder for this program.
    static QString defaultFolder();

    explicit HistoryStore(const QString &folder = defaultFolder(), QObject *parent = nullptr);
    // Waits for what is queued to be written.
    ~HistoryStore() override;

    QString folder() const { return where; }

    // Queues `state` to be kept, unless it is the state kept last; returns
    // at once.
    void keep(const ConfigModel &state, HistoryEvent e, const QString &port);
    // Blocks until everything queued so far is on disk (or failed).
    void waitForWrites();
    // The entries in the folder, newest first.
    QVector<HistoryEntry> entries() const;

signals:
    // A state was written as `path`.
    void kept(const QString &path);
    // The folder could not be written; said once for the store's life.
    // `why`: the folder that could not be made, or the file and the
    // system's words.
    void unwritable(const QString &why);

private:
    QString where;
    QThread *thread;
    HistoryWorker *worker;
};
