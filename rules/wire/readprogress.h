#pragma once

#include "packetformat.h"

#include <QtGlobal>

// Which settings groups have answered a read request.  The transmitter
// sends one packet per group (ReadFlag 1..kGroups, the AUX packet being 7) and
// nothing tells the last one apart, so the read is over when every group
// has arrived or when the answers have stopped for kQuietMs.  Times are
// any monotonic milliseconds.
class ReadProgress
{
public:
    static constexpr int kQuietMs = 1000;
    static constexpr int kGroups = packet::kGroups;

    void start(qint64 nowMs);
    void stop() { waiting = false; }
    bool active() const { return waiting; }
    // A decoded chunk that answers the request; readFlag 0 is an answer
    // of no known group (it still shows the transmitter is talking).
    void note(int readFlag, qint64 nowMs);
    int groupsArrived() const;
    bool complete() const { return groupsArrived() == kGroups; }
    bool finished(qint64 nowMs) const { return complete() || nowMs - lastAnswerMs >= kQuietMs; }

private:
    quint32 arrived = 0;  // bit n: ReadFlag n
    qint64 lastAnswerMs = 0;
    bool waiting = false;
};
