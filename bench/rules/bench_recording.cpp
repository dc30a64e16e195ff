// An hour's range check recording at the line's rate: 500 live packets a
// second (servo and receiver packets in turn, the simulated transmitter's
// moving sticks and drifting batteries, a minute of them over and over) taken by the range check and
// written to a CSV file as the window does, flushed every half second of
// the hour.  Prints the file's size and the cost per packet; the hour is
// simulated time, so the run takes seconds.
#include "packets.h"
#include "rangecheck.h"
#include "recording.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QVector>

#include <cstdio>

int main()
{
    constexpr int kPacketsPerSecond = 500;
    constexpr qint64 kSeconds = 3600;
    const qint64 start = 1796731290000;
    const zqsim::TransmitterSettings settings = zqsim::factorySettings();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hour.csv"));
    CsvRecording file;
    QString why;
    if (!file.start(path, start, &why)) {
        std::printf("cannot write %s: %s\n", qPrintable(path), qPrintable(why));
        return 1;
    }
    // A minute of the transmitter's packets, made beforehand and sent over
    // and over, so that the figure is the recording's alone.
    QVector<QByteArray> minute;
    for (int n = 0; n < 60 * kPacketsPerSecond; ++n) {
        const zqsim::LiveValues v = zqsim::liveValuesAt(n * 1000 / kPacketsPerSecond, settings);
        const zqsim::Bytes p = n % 2 ? zqsim::encodeReceiverPacket(v, settings) : zqsim::encodeServoPacket(v);
        minute.append(QByteArray(reinterpret_cast<const char *>(p.data()), int(p.size())));
    }
    RangeCheck check(start);
    QElapsedTimer clock;
    clock.start();
    const qint64 packets = kSeconds * kPacketsPerSecond;
    for (qint64 n = 0; n < packets; ++n) {
        const qint64 ms = n * 1000 / kPacketsPerSecond;
        check.take(minute.at(int(n % minute.size())), start + ms);
        file.add(check.last());
        if (!file.flushDue(start + ms, &why)) {
            std::printf("writing failed: %s\n", qPrintable(why));
            return 1;
        }
    }
    if (!file.stop(check.summary(start + kSeconds * 1000), &why)) {
        std::printf("writing failed: %s\n", qPrintable(why));
        return 1;
    }
    const double ns = double(clock.nsecsElapsed());
    const qint64 size = QFileInfo(path).size();
    std::printf(
        "an hour's recording at %d live packets/s: %lld rows, %.1f MB (%.1f bytes a row); "
        "%.2f us/packet for the check, the row and the file = %.3f %% of a core at that rate\n",
        kPacketsPerSecond, static_cast<long long>(file.rows()), size / 1e6, double(size) / double(file.rows()),
        ns / double(packets) / 1e3, ns / double(packets) * kPacketsPerSecond / 1e9 * 100);
    return 0;
}
