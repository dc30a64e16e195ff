#pragma once

#include "configmodel.h"
#include "monitorstate.h"

#include <QByteArray>
#include <QVector>

// A range check: the live packets taken over time, as the modeller walks
// the aircraft away and back.  Every live packet becomes one sample (and
// one CSV row); the check counts the gaps in the link and the stretches of
// weak signal, keeps the lowest signal and voltages with when each came,
// and keeps the recent past in short buckets for a strip chart.

// One live packet with what the packets before it left: a servo packet
// brings the channels and the transmitter battery, a receiver packet the
// signal, the receiver and power batteries and the trims.
struct LiveSample
{
    qint64 atMs = 0;  // milliseconds since the epoch
    bool receiver = false;
    MonitorState values;
    int trims[4] = {kTrimCentre, kTrimCentre, kTrimCentre, kTrimCentre};
};

// Signal strength in dBm from the raw byte, as the monitor shows it
// (rssiText); kNoSignal for the raw 0.
constexpr int kNoSignal = -100;
int signalDbm(int raw);

// The CSV the recording writes: the header names the columns in English,
// whatever the window's language; a row is one sample, its time in ISO
// 8601 local time with milliseconds and the offset from UTC
// (`utcOffsetSecs`, east positive).
QByteArray csvHeader();
void appendCsvRow(QByteArray &out, const LiveSample &s, int utcOffsetSecs);
// "2026-12-08T13:41:30.123+01:00"
QByteArray isoTime(qint64 atMs, int utcOffsetSecs);

struct RangeLimits
{
    int gapMs = 500;         // no live packet for longer than this is a gap
    int lowSignalDbm = -80;  // signal strength below this is weak
};

// A stretch of time [startMs, endMs].
struct Stretch
{
    qint64 startMs = 0;
    qint64 endMs = 0;
    qint64 length() const { return endMs - startMs; }
};

// A lowest value and when it came; `atMs` 0: none came.
struct Lowest
{
    int value = 0;
    qint64 atMs = 0;
    bool seen() const { return atMs != 0; }
};

// What a range check found, from its start to now (or to its stop).
struct RangeSummary
{
    qint64 startMs = 0;
    qint64 endMs = 0;
    qint64 packets = 0;
    int gaps = 0;
    Stretch longestGap;
    int lowSignals = 0;  // times the signal fell below the limit (dips closer than kWeakJoinMs are one)
    Lowest signal;       // dBm
    Lowest txVolt;       // hundredths of a volt
    Lowest rxVolt;       // tenths of a volt
    Lowest extVolt;      // tenths of a volt
};

// The summary as the last line of the CSV, in English:
// "# summary: duration 12.345 s, packets 600, gaps 1 (longest 0.800 s at
// 2026-...), low signal 2 (lowest -85 dBm at ...), lowest voltages: ..."
QByteArray summaryComment(const RangeSummary &s, int utcOffsetSecs);

// The strip chart's memory: one bucket per kBucketMs with each trace's
// least and greatest value in it.
constexpr int kBucketMs = 100;
// Two dips below the signal limit this close together are one weak
// stretch: a signal wobbling about the limit is not counted at every wobble.
constexpr int kWeakJoinMs = 1000;
enum Trace { SignalTrace, TxTrace, RxTrace, ExtTrace, FirstChannelTrace, kTraces = FirstChannelTrace + 8 };
// A trace's value in a sample: the signal in dBm, the rest as carried.
int traceValue(const LiveSample &s, int trace);
struct Bucket
{
    qint64 startMs = 0;
    int low[kTraces];
    int high[kTraces];
};

class RangeCheck
{
public:
    explicit RangeCheck(qint64 startMs = 0, RangeLimits limits = {});

    // A chunk the link decoded at `atMs`: false, and nothing changed, for
    // anything but a live packet.
    bool take(const QByteArray &chunk, qint64 atMs);
    // The sample the last live packet made.
    const LiveSample &last() const { return sample; }

    // Counts afresh from `nowMs` (a recording starts); the chart's memory
    // stays.
    void restart(qint64 nowMs);
    // New limits count from now on; what was counted stays.
    void setLimits(RangeLimits l) { limits = l; }
    RangeLimits currentLimits() const { return limits; }

    // What was found until `nowMs`: a silence still going on counts as a
    // gap once it is longer than the limit.
    RangeSummary summary(qint64 nowMs) const;
    // The gaps and weak stretches since `sinceMs`, the ones still going on
    // ending at `nowMs`.
    QVector<Stretch> gapsSince(qint64 sinceMs, qint64 nowMs) const;
    QVector<Stretch> weakSince(qint64 sinceMs, qint64 nowMs) const;
    // The buckets, oldest first; those older than the memory are dropped.
    const QVector<Bucket> &buckets() const { return history; }
    // How far back the chart may look.
    static constexpr qint64 kMemoryMs = 10 * 60 * 1000;

private:
    void remember(qint64 atMs);
    static void lower(Lowest &l, int value, qint64 atMs);

    RangeLimits limits;
    qint64 startMs;
    qint64 lastMs;  // the last live packet, or the start
    LiveSample sample;
    ConfigModel scratch;  // the decoder stores trims into a model
    RangeSummary found;
    bool weak = false;
    int kindsSeen = 0;          // 1 servo, 2 receiver: the chart starts once both came
    QVector<Stretch> gapList;   // the last kMemoryMs of them
    QVector<Stretch> weakList;  // likewise; the last one open while `weak`
    QVector<Bucket> history;
};
