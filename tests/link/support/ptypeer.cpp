#include "ptypeer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    char name[256] = {};
    int m = -1, s = -1;
    if (openpty(&m, &s, name, nullptr, nullptr) != 0)
        return;
    termios t{};
    if (tcgetattr(s, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(s, TCSANOW, &t);
    }
    fcntl(m, F_SETFL, fcntl(m, F_GETFL) | O_NONBLOCK);
    masterFd = m;
    slaveFd = s;
    slave = QString::fromLocal8Bit(name);
}

PtyPeer::~PtyPeer()
{
    closeMaster();
    if (slaveFd >= 0)
        ::close(slaveFd);
}

void PtyPeer::closeMaster()
{
    if (masterFd >= 0)
        ::close(masterFd);
    masterFd = -1;
}

bool PtyPeer::send(const QByteArray &chunk)
{
    if (masterFd < 0)
        return false;
    qint64 done = 0;
    while (done < chunk.size()) {
        const ssize_t n = ::write(masterFd, chunk.constData() + done, size_t(chunk.size() - done));
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                pollfd p{masterFd, POLLOUT, 0};
                ::poll(&p, 1, 50);
                continue;
            }
            return false;
        }
        done += n;
    }
    return true;
}

void PtyPeer::pump()
{
    if (masterFd < 0)
        return;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(masterFd, buf, sizeof buf);
        if (n <= 0)
            break;
        pending.append(buf, int(n));
        all.append(buf, int(n));
    }
}

QByteArray PtyPeer::takeAvailable()
{
    pump();
    QByteArray out = pending;
    pending.clear();
    return out;
}

QByteArray PtyPeer::readAtLeast(int n, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    pump();
    while (pending.size() < n && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p{masterFd, POLLIN, 0};
        ::poll(&p, 1, 5);
        pump();
    }
    return takeAvailable();
}

QByteArray PtyPeer::collectFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p{masterFd, POLLIN, 0};
        ::poll(&p, 1, 5);
        pump();
    }
    return takeAvailable();
}

bool PtyPeer::waitFor(const QByteArray &expected, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    const int start = all.size() - pending.size();
    for (;;) {
        pump();
        if (all.indexOf(expected, start) >= 0) {
            pending.clear();
            return true;
        }
        if (t.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p{masterFd, POLLIN, 0};
        ::poll(&p, 1, 5);
    }
}

bool waitUntilImpl(const std::function<bool()> &pred, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        ::usleep(2000);
    }
    return true;
}
