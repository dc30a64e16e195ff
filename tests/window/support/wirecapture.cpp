#include "wirecapture.h"

#include "testsupport.h"

#include <QTimer>
#include <QtGlobal>

WireRecorder::WireRecorder(PtyPeer &peer, Progress onProgress)
    : peer(peer), progress(std::move(onProgress)), timer(new QTimer)
{
    clock.start();
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, [this] { poll(); });
    timer->start(1);
}

WireRecorder::~WireRecorder()
{
    delete timer;
}

void WireRecorder::poll()
{
    const QByteArray chunk = peer.takeAvailable();
    if (chunk.isEmpty())
        return;
    const qint64 now = clock.elapsed();
    bytes += chunk;
    for (int i = 0; i < chunk.size(); ++i)
        atMs.append(now);
    if (progress)
        progress(*this);
}

bool WireRecorder::waitForBytes(int n, int timeoutMs)
{
    return waitUntil([&] { return bytes.size() >= n; }, timeoutMs);
}

QByteArray WireRecorder::collectFor(int ms)
{
    const int from = bytes.size();
    QElapsedTimer t;
    t.start();
    waitUntil([&] { return t.elapsed() >= ms; }, ms + 1000);
    return bytes.mid(from);
}

namespace {
LogCapture *activeCapture = nullptr;
QtMessageHandler previousHandler = nullptr;

void captureHandler(QtMsgType type, const QMessageLogContext &ctx, const QString &msg)
{
    if (activeCapture)
        activeCapture->lines << msg;
    if (previousHandler)
        previousHandler(type, ctx, msg);
}
} // namespace

LogCapture::LogCapture()
{
    activeCapture = this;
    previousHandler = qInstallMessageHandler(captureHandler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previousHandler);
    activeCapture = nullptr;
}
