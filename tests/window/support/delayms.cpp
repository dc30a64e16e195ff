#include "delayms.h"

#include <QEventLoop>
#include <QTimer>

void DelayMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
