#include "wirecapture.h"

#include "commandtime.h"
#include "packetcases.h"
#include "ptypeer.h"
#include "transmitterlink.h"

#include <QTimer>
#include <QtGlobal>
#include <QtTest>

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
    if (activeCapture) {
        activeCapture->lines << msg;
        activeCapture->categories << QString::fromLatin1(ctx.category);
        QElapsedTimer now;
        now.start();
        activeCapture->atMs << now.msecsSinceReference();
    }
    if (previousHandler)
        previousHandler(type, ctx, msg);
}
}  // namespace

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

FrameClock::FrameClock(TransmitterLink &link, const QElapsedTimer &clock)
{
    QObject::connect(&link, &TransmitterLink::frameGoing, &context, [this, &clock](int n) {
        if (n >= 1 && n <= 4)
            atMs[n - 1] = clock.elapsed();
    });
}

QStringList shortWaits(const WireRecorder &wire, const FrameClock &frames, bool settles)
{
    // A timer may end up to a millisecond early on its millisecond clock,
    // and each time here is rounded to the millisecond.
    const int slack = 3;
    QStringList out;
    const auto expect = [&](const char *what, qint64 from, qint64 to, int fullMs) {
        if (from < 0 || to < 0 || to - from < commandtime::ms(fullMs) - slack)
            out << QStringLiteral("%1: %2 ms").arg(QLatin1String(what)).arg(from < 0 || to < 0 ? -1 : to - from);
    };
    expect("button pause", 0, wire.arrival(0), 200);
    const char *pauses[4] = {"S frame's pause", "G frame's pause", "H frame's pause", "I frame's pause"};
    for (int k = 0; k < 4; ++k)
        expect(pauses[k], frames.at(k + 1), wire.arrival(81 * (k + 1)), 800);
    if (settles)
        expect("settle pause", frames.at(4), wire.arrival(327), 800 + 800);
    return out;
}

void exchange(PtyPeer &peer, const QByteArray &chunk, int answers)
{
    const QByteArray ack("WWW");
    const int before = peer.received().size();
    QVERIFY(peer.send(chunk));
    QVERIFY2(waitUntil([&] {
                 peer.takeAvailable();
                 return peer.received().size() >= before + answers * ack.size();
             }),
             "no acknowledgement");
    QCOMPARE(peer.received().mid(before), ack.repeated(answers));
}

QList<QByteArray> wholeReadAnswers(const QList<QByteArray> &instead, const QByteArray &aux)
{
    QList<QByteArray> answers;
    for (const SettingsCase &c : settingsCases()) {
        QByteArray packet = c.packet;
        for (const QByteArray &other : instead)
            if (other.size() == packet.size() && other[2] == packet[2])
                packet = other;
        answers << packet;
        if (c.code == 0x99)
            answers << (aux.isEmpty() ? auxPacket(1, 3, 0, 2) : aux);
    }
    return answers;
}

ReadAnswerer::ReadAnswerer(PtyPeer &peer, const QList<QByteArray> &answers) : timer(new QTimer)
{
    QObject::connect(timer, &QTimer::timeout, [this, &peer, answers] {
        peer.takeAvailable();
        const QByteArray got = peer.received();
        const int request = got.lastIndexOf("RR");
        if (request < 0 || sent >= answers.size())
            return;
        // Only "WWW" answers follow the request.
        if ((got.size() - request - 2) / 3 == sent)
            peer.send(answers[sent++]);
    });
    timer->start(5);
}

ReadAnswerer::~ReadAnswerer()
{
    delete timer;
}
