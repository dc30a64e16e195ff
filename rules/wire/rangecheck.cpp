#include "rangecheck.h"

#include "packetdecoder.h"
#include "readprogress.h"

#include <algorithm>

namespace {

void appendNumber(QByteArray &out, qint64 v)
{
    char buf[24];
    int n = 0;
    const bool negative = v < 0;
    quint64 u = negative ? quint64(-(v + 1)) + 1 : quint64(v);
    do {
        buf[n++] = char('0' + u % 10);
        u /= 10;
    } while (u);
    if (negative)
        out += '-';
    while (n)
        out += buf[--n];
}

void appendDigits(QByteArray &out, int v, int digits)
{
    char buf[8];
    for (int i = digits - 1; i >= 0; --i, v /= 10)
        buf[i] = char('0' + v % 10);
    out.append(buf, digits);
}

// A fixed-point value: 740 with 2 decimals is "7.40".
void appendFixed(QByteArray &out, int v, int decimals)
{
    if (v < 0) {
        out += '-';
        v = -v;
    }
    int scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    appendNumber(out, v / scale);
    out += '.';
    appendDigits(out, v % scale, decimals);
}

// The civil date of a day counted from 1970-01-01 (proleptic Gregorian).
void civilDate(qint64 days, int &y, int &m, int &d)
{
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 doe = days - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

void appendIsoTime(QByteArray &out, qint64 atMs, int utcOffsetSecs)
{
    const qint64 local = atMs + qint64(utcOffsetSecs) * 1000;
    const qint64 days = floorDiv(local, 86400000);
    const qint64 ms = local - days * 86400000;
    int y = 0, m = 0, d = 0;
    civilDate(days, y, m, d);
    appendDigits(out, y, 4);
    out += '-';
    appendDigits(out, m, 2);
    out += '-';
    appendDigits(out, d, 2);
    out += 'T';
    appendDigits(out, int(ms / 3600000), 2);
    out += ':';
    appendDigits(out, int(ms / 60000 % 60), 2);
    out += ':';
    appendDigits(out, int(ms / 1000 % 60), 2);
    out += '.';
    appendDigits(out, int(ms % 1000), 3);
    const int offset = utcOffsetSecs < 0 ? -utcOffsetSecs : utcOffsetSecs;
    out += utcOffsetSecs < 0 ? '-' : '+';
    appendDigits(out, offset / 3600, 2);
    out += ':';
    appendDigits(out, offset / 60 % 60, 2);
}

void appendSeconds(QByteArray &out, qint64 ms)
{
    appendNumber(out, ms / 1000);
    out += '.';
    appendDigits(out, int(ms % 1000), 3);
    out += " s";
}

void appendLowest(QByteArray &out, const char *what, const Lowest &l, int decimals, const char *unit, int utcOffsetSecs)
{
    out += what;
    if (!l.seen()) {
        out += " none";
        return;
    }
    out += ' ';
    if (decimals)
        appendFixed(out, l.value, decimals);
    else
        appendNumber(out, l.value);
    out += unit;
    out += " at ";
    appendIsoTime(out, l.atMs, utcOffsetSecs);
}

}  // namespace

int traceValue(const LiveSample &s, int trace)
{
    switch (trace) {
    case SignalTrace:
        return signalDbm(s.values.RssiLive);
    case TxTrace:
        return s.values.TxVoltLive;
    case RxTrace:
        return s.values.RxVoltLive;
    case ExtTrace:
        return s.values.ExtVoltLive;
    default:
        return s.values.*kServoFields[trace - FirstChannelTrace];
    }
}

int signalDbm(int raw)
{
    return raw <= 0 ? kNoSignal : -(100 - std::min(raw, 100));
}

QByteArray csvHeader()
{
    return QByteArrayLiteral(
        "time,packet,ch1,ch2,ch3,ch4,ch5,ch6,ch7,ch8,tx_volts,rx_volts,ext_volts,signal_dbm,"
        "trim1,trim2,trim3,trim4\n");
}

QByteArray isoTime(qint64 atMs, int utcOffsetSecs)
{
    QByteArray out;
    appendIsoTime(out, atMs, utcOffsetSecs);
    return out;
}

void appendCsvRow(QByteArray &out, const LiveSample &s, int utcOffsetSecs)
{
    appendIsoTime(out, s.atMs, utcOffsetSecs);
    out += s.receiver ? ",receiver" : ",servo";
    for (const MonField f : kServoFields) {
        out += ',';
        appendNumber(out, s.values.*f);
    }
    out += ',';
    appendFixed(out, s.values.TxVoltLive, 2);
    out += ',';
    appendFixed(out, s.values.RxVoltLive, 1);
    out += ',';
    appendFixed(out, s.values.ExtVoltLive, 1);
    out += ',';
    appendNumber(out, signalDbm(s.values.RssiLive));
    for (int k = 0; k < 4; ++k) {
        out += ',';
        appendNumber(out, s.trims[k] - kTrimCentre);
    }
    out += '\n';
}

QByteArray summaryComment(const RangeSummary &s, int utcOffsetSecs)
{
    QByteArray out = "# summary: from ";
    appendIsoTime(out, s.startMs, utcOffsetSecs);
    out += ", duration ";
    appendSeconds(out, s.endMs - s.startMs);
    out += ", packets ";
    appendNumber(out, s.packets);
    out += ", gaps ";
    appendNumber(out, s.gaps);
    if (s.gaps) {
        out += " (longest ";
        appendSeconds(out, s.longestGap.length());
        out += " from ";
        appendIsoTime(out, s.longestGap.startMs, utcOffsetSecs);
        out += ')';
    }
    out += ", low signal ";
    appendNumber(out, s.lowSignals);
    out += ", ";
    appendLowest(out, "lowest signal", s.signal, 0, " dBm", utcOffsetSecs);
    out += ", ";
    appendLowest(out, "lowest tx", s.txVolt, 2, " V", utcOffsetSecs);
    out += ", ";
    appendLowest(out, "lowest rx", s.rxVolt, 1, " V", utcOffsetSecs);
    out += ", ";
    appendLowest(out, "lowest ext", s.extVolt, 1, " V", utcOffsetSecs);
    out += '\n';
    return out;
}

RangeCheck::RangeCheck(qint64 start, RangeLimits l) : limits(l), startMs(start), lastMs(start)
{
    found.startMs = found.endMs = start;
}

void RangeCheck::restart(qint64 nowMs)
{
    found = RangeSummary();
    found.startMs = found.endMs = startMs = lastMs = nowMs;
    weak = false;
}

void RangeCheck::lower(Lowest &l, int value, qint64 atMs)
{
    if (!l.seen() || value < l.value)
        l = {value, atMs};
}

bool RangeCheck::take(const QByteArray &chunk, qint64 atMs)
{
    const DecodeResult r = decodePacket(chunk, scratch, sample.values, false, AwaitedAnswers());
    if (r.kind != PacketKind::ServoLive && r.kind != PacketKind::ReceiverLive)
        return false;
    sample.atMs = atMs;
    sample.receiver = r.kind == PacketKind::ReceiverLive;
    ++found.packets;
    if (atMs - lastMs > limits.gapMs) {
        const Stretch gap{lastMs, atMs};
        ++found.gaps;
        if (gap.length() > found.longestGap.length())
            found.longestGap = gap;
        gapList.append(gap);
    }
    lastMs = std::max(lastMs, atMs);
    if (sample.receiver) {
        std::copy(scratch.StkTrim, scratch.StkTrim + 4, sample.trims);
        const int dbm = signalDbm(sample.values.RssiLive);
        lower(found.signal, dbm, atMs);
        lower(found.rxVolt, sample.values.RxVoltLive, atMs);
        lower(found.extVolt, sample.values.ExtVoltLive, atMs);
        if (dbm < limits.lowSignalDbm && !weak) {
            if (!weakList.isEmpty() && found.lowSignals && atMs - weakList.last().endMs < kWeakJoinMs) {
                weakList.last().endMs = std::max(weakList.last().endMs, atMs);
            } else {
                ++found.lowSignals;
                weakList.append({atMs, atMs});
            }
        } else if (weak) {
            weakList.last().endMs = std::max(weakList.last().endMs, atMs);
        }
        weak = dbm < limits.lowSignalDbm;
    } else {
        lower(found.txVolt, sample.values.TxVoltLive, atMs);
    }
    kindsSeen |= sample.receiver ? 2 : 1;
    if (kindsSeen == 3)
        remember(atMs);
    return true;
}

void RangeCheck::remember(qint64 atMs)
{
    int v[kTraces];
    for (int t = 0; t < kTraces; ++t)
        v[t] = traceValue(sample, t);
    const qint64 start = atMs - atMs % kBucketMs;
    if (history.isEmpty() || history.constLast().startMs != start) {
        Bucket b;
        b.startMs = start;
        std::copy(v, v + kTraces, b.low);
        std::copy(v, v + kTraces, b.high);
        history.append(b);
        // Dropped a minute at a time, so the copying stays rare.
        const qint64 oldest = atMs - kMemoryMs - 60000;
        if (history.first().startMs < oldest) {
            const auto keep = [&](const Bucket &k) { return k.startMs >= atMs - kMemoryMs; };
            history.erase(history.begin(), std::find_if(history.begin(), history.end(), keep));
            const auto recent = [&](const Stretch &s) { return s.endMs >= atMs - kMemoryMs; };
            gapList.erase(gapList.begin(), std::find_if(gapList.begin(), gapList.end(), recent));
            weakList.erase(weakList.begin(), std::find_if(weakList.begin(), weakList.end(), recent));
        }
        return;
    }
    Bucket &b = history.last();
    for (int t = 0; t < kTraces; ++t) {
        b.low[t] = std::min(b.low[t], v[t]);
        b.high[t] = std::max(b.high[t], v[t]);
    }
}

RangeSummary RangeCheck::summary(qint64 nowMs) const
{
    RangeSummary s = found;
    s.endMs = std::max(nowMs, lastMs);
    const Stretch silence{lastMs, s.endMs};
    if (silence.length() > limits.gapMs) {
        ++s.gaps;
        if (silence.length() > s.longestGap.length())
            s.longestGap = silence;
    }
    return s;
}

QVector<Stretch> RangeCheck::gapsSince(qint64 sinceMs, qint64 nowMs) const
{
    QVector<Stretch> out;
    for (const Stretch &g : gapList)
        if (g.endMs >= sinceMs)
            out.append(g);
    if (nowMs - lastMs > limits.gapMs)
        out.append({lastMs, nowMs});
    return out;
}

QVector<Stretch> RangeCheck::weakSince(qint64 sinceMs, qint64 nowMs) const
{
    QVector<Stretch> out;
    for (const Stretch &w : weakList)
        if (w.endMs >= sinceMs)
            out.append(w);
    // A clock set back leaves a stretch as it was.
    if (weak && !out.isEmpty())
        out.last().endMs = std::max(out.last().endMs, nowMs);
    return out;
}
