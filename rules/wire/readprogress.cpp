#include "readprogress.h"

void ReadProgress::start(qint64 nowMs)
{
    progress = AwaitedAnswers::fresh();
    startMs = lastAnswerMs = nowMs;
    waiting = true;
}

void ReadProgress::note(int readFlag, qint64 nowMs)
{
    if (!waiting || !progress.takes(readFlag))
        return;
    lastAnswerMs = nowMs;
    progress.took(readFlag);
}
