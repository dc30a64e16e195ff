#pragma once

#include "packetformat.h"

#include <QtGlobal>

// The answers a read still takes: each settings group once, and the AUX
// packet once, in its place (after the group before it, code 99).  Anything
// else shaped like an answer is junk.  Empty (nothing awaited) when no read
// or read-back of the window's own is waiting.
class AwaitedAnswers
{
public:
    AwaitedAnswers() = default;
    // A read just asked: every group awaited.
    static AwaitedAnswers fresh()
    {
        AwaitedAnswers a;
        a.open = true;
        return a;
    }

    bool takes(int readFlag) const
    {
        if (!open || readFlag < 1 || readFlag > packet::kGroups || has(readFlag))
            return false;
        return readFlag != packet::kAuxReadFlag || has(packet::kAuxReadFlag - 1);
    }
    void took(int readFlag)
    {
        if (takes(readFlag))
            arrived |= quint32(1) << readFlag;
    }
    bool has(int readFlag) const { return arrived & (quint32(1) << readFlag); }
    int count() const
    {
        int n = 0;
        for (quint32 bits = arrived; bits; bits &= bits - 1)
            ++n;
        return n;
    }

private:
    quint32 arrived = 0;  // bit n: ReadFlag n
    bool open = false;
};

// Which settings groups have answered a read request.  The transmitter
// sends one packet per group (ReadFlag 1..kGroups, the AUX packet being 7) and
// nothing tells the last one apart, so the read is over when every group
// has arrived, when the answers have stopped for kQuietMs, or kLimitMs after
// the request.  Times are any monotonic milliseconds.
class ReadProgress
{
public:
    static constexpr int kQuietMs = 1000;
    // 19 answers, each waiting for its "WWW": at 115200 baud a packet and
    // its answer take 1.3 ms on the wire, USB bridges hold each for up to
    // 17 ms each way, and the framer hands an answer on only after the
    // line's 25 ms quiet time, so an answer per 65 ms is slow and a whole
    // read about 1.2 s.  Some 2.5 times that, and a read that does not end
    // by then is told incomplete rather than holding the window.
    static constexpr int kLimitMs = 3000;
    static constexpr int kGroups = packet::kGroups;

    void start(qint64 nowMs);
    void stop() { waiting = false; }
    bool active() const { return waiting; }
    // What a chunk may be taken as now.
    AwaitedAnswers awaited() const { return waiting ? progress : AwaitedAnswers(); }
    // A decoded answer the read awaited (anything else is junk and not
    // noted).
    void note(int readFlag, qint64 nowMs);
    int groupsArrived() const { return progress.count(); }
    bool complete() const { return groupsArrived() == kGroups; }
    bool finished(qint64 nowMs) const
    {
        return complete() || nowMs - lastAnswerMs >= kQuietMs || nowMs - startMs >= kLimitMs;
    }

private:
    AwaitedAnswers progress;
    qint64 startMs = 0;
    qint64 lastAnswerMs = 0;
    bool waiting = false;
};
