#include "delayms.h"

#include <QEventLoop>
#include <QTimer>
#include <QVector>

#include <utility>

namespace {

QVector<QEventLoop *> runningWaits;
bool skipping = false;

} // namespace

void DelayMs(int ms)
{
    if (skipping)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    runningWaits.append(&loop);
    loop.exec();
    runningWaits.removeOne(&loop);
}

void skipDelays()
{
    skipping = true;
    for (QEventLoop *loop : std::as_const(runningWaits))
        loop->quit();
}

void resumeDelays()
{
    skipping = false;
}

bool delaysSkipped()
{
    return skipping;
}
