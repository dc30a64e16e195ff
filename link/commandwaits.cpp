#include "commandwaits.h"

#include <QEventLoop>
#include <QTimer>

double CommandWaits::pauseScale = 1.0;
double CommandWaits::answerScale = 1.0;

int CommandWaits::scaled(int ms, double scale)
{
    return scale == 1.0 ? ms : qMax(0, qRound(ms * scale));
}

CommandWaits::CommandWaits(QObject *parent) : QObject(parent), quiet(new QTimer(this))
{
    quiet->setSingleShot(true);
    quiet->setTimerType(Qt::PreciseTimer);
    connect(quiet, &QTimer::timeout, this, [this] {
        if (answerWait)
            answerWait->quit();
    });
}

void CommandWaits::start()
{
    busy = true;
    abandoned = false;
}

void CommandWaits::finish()
{
    busy = false;
}

bool CommandWaits::wait(int ms, bool restartable, int limitMs)
{
    if (abandoned)
        return false;
    ms = scaled(ms, restartable ? answerScale : pauseScale);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may fire 5 % early: a frame's 800 ms must be 800 ms.
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    waits.append(&loop);
    QEventLoop *outer = answerWait;
    if (restartable) {
        answerWait = &loop;
        quiet->start(ms);
        timer.start(scaled(limitMs, answerScale));
    } else {
        timer.start(ms);
    }
    loop.exec();
    waits.removeOne(&loop);
    if (restartable) {
        quiet->stop();
        answerWait = outer;
    }
    return !abandoned;
}

bool CommandWaits::pause(int ms)
{
    return wait(ms, false);
}

bool CommandWaits::awaitAnswers(int quietMs, int limitMs)
{
    if (closeRequested)
        return !abandoned;
    return wait(quietMs, true, limitMs);
}

void CommandWaits::answered(bool last)
{
    if (!answerWait)
        return;
    if (last)
        answerWait->quit();
    else
        quiet->start();
}

void CommandWaits::abandon()
{
    if (!busy || abandoned)
        return;
    abandoned = true;
    for (QEventLoop *loop : std::as_const(waits))
        loop->quit();
}

bool CommandWaits::askClose()
{
    closeRequested = busy;
    if (answerWait)
        answerWait->quit();
    return !busy;
}
