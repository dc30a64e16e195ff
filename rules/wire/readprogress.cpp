#include "readprogress.h"

void ReadProgress::start(qint64 nowMs)
{
    arrived = 0;
    lastAnswerMs = nowMs;
    waiting = true;
}

void ReadProgress::note(int readFlag, qint64 nowMs)
{
    if (!waiting)
        return;
    lastAnswerMs = nowMs;
    if (readFlag >= 1 && readFlag <= kGroups)
        arrived |= quint32(1) << readFlag;
}

int ReadProgress::groupsArrived() const
{
    int n = 0;
    for (quint32 bits = arrived; bits; bits &= bits - 1)
        ++n;
    return n;
}
