#pragma once

#include "rangecheck.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// A range check's CSV file, written as it goes: the rows wait in memory at
// most kFlushMs before they are handed to the system, so a pulled cable or
// a crash of the tool loses at most the last moments.  A write that fails
// closes the file and says why; the caller goes on with the link.
class CsvRecording
{
public:
    static constexpr int kFlushMs = 500;

    // Creates (or empties) `path` and writes the header; false, with why,
    // when it cannot.
    bool start(const QString &path, qint64 nowMs, QString *why);
    bool isOpen() const { return file.isOpen(); }
    QString fileName() const { return file.fileName(); }
    qint64 rows() const { return rowCount; }

    void add(const LiveSample &s);
    // Hands the waiting rows to the system once kFlushMs have passed since
    // the last time; false, with why and the file closed, when that fails.
    bool flushDue(qint64 nowMs, QString *why);
    // The waiting rows and the summary line, then closes; false, with why,
    // when the file could not take them.
    bool stop(const RangeSummary &summary, QString *why);

private:
    bool flush(qint64 nowMs, QString *why);

    QFile file;
    QByteArray pending;
    qint64 flushedAt = 0;
    qint64 rowCount = 0;
    int utcOffset = 0;  // the local clock's offset, looked at on every flush
};
