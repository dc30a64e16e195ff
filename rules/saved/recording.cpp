#include "recording.h"

#include <QDateTime>

namespace {

int localOffset(qint64 atMs)
{
    return QDateTime::fromMSecsSinceEpoch(atMs).offsetFromUtc();
}

}  // namespace

bool CsvRecording::start(const QString &path, qint64 nowMs, QString *why)
{
    if (file.isOpen())
        file.close();
    file.setFileName(path);
    pending = csvHeader();
    rowCount = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *why = file.errorString();
        return false;
    }
    return flush(nowMs, why);
}

void CsvRecording::add(const LiveSample &s)
{
    if (!file.isOpen())
        return;
    appendCsvRow(pending, s, utcOffset);
    ++rowCount;
}

bool CsvRecording::flushDue(qint64 nowMs, QString *why)
{
    if (!file.isOpen() || nowMs - flushedAt < kFlushMs)
        return true;
    return flush(nowMs, why);
}

bool CsvRecording::flush(qint64 nowMs, QString *why)
{
    flushedAt = nowMs;
    utcOffset = localOffset(nowMs);
    const bool written = file.write(pending) == pending.size() && file.flush();
    pending.clear();
    if (!written) {
        *why = file.errorString();
        file.close();
    }
    return written;
}

bool CsvRecording::stop(const RangeSummary &summary, QString *why)
{
    if (!file.isOpen())
        return true;
    pending += summaryComment(summary, utcOffset);
    const bool written = flush(summary.endMs, why);
    file.close();
    return written;
}
