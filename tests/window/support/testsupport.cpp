#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

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

void openPortInWindow(QWidget *window, const QString &path)
{
    auto *box = window->findChild<QComboBox *>(QStringLiteral("portNameBox"));
    auto *button = window->findChild<QPushButton *>(QStringLiteral("openButton"));
    if (!box || !button)
        return;
    box->addItem(path);
    box->setCurrentIndex(box->count() - 1);
    button->click();
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

bool waitForCommandEnd(int timeoutMs)
{
    // A box or dialog during a command takes the busy cursor away while it shows.
    return waitUntil([] { return QApplication::overrideCursor() == nullptr && !QApplication::activeModalWidget(); },
                     timeoutMs);
}

bool waitForRefresh(QWidget *window, int timeoutMs)
{
    for (QTimer *t : window->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (t->interval() == 100 && t->isActive())
            return QSignalSpy(t, &QTimer::timeout).wait(timeoutMs);
    }
    return false;
}

ModalCloser::ModalCloser(int closeAfterMs)
    : timer(new QTimer), startMs(QDateTime::currentMSecsSinceEpoch()), closeAfter(closeAfterMs)
{
    QObject::connect(timer, &QTimer::timeout, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (seenSince < 0) {
            seenSince = now;
            if (firstSeenAtMs < 0)
                firstSeenAtMs = now - startMs;
        }
        if (now - seenSince < closeAfter)
            return;
        ++count;
        lastTitle = box->windowTitle();
        lastText = box->text();
        seenSince = -1;
        if (!box->buttons().isEmpty()) {
            // The close question is answered "Close without writing"; any
            // other box by its first button.
            QAbstractButton *answer = box->buttons().first();
            for (QAbstractButton *b : box->buttons())
                if (box->buttonRole(b) == QMessageBox::DestructiveRole)
                    answer = b;
            answer->click();
        } else
            box->done(0);
    });
    timer->start(10);
}

ModalCloser::~ModalCloser()
{
    delete timer;
}

FileDialogAnswer::FileDialogAnswer(const QString &path) : timer(new QTimer)
{
    QObject::connect(timer, &QTimer::timeout, [this, path] {
        auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dlg || answered)
            return;
        answered = true;
        title = dlg->windowTitle();
        directory = dlg->directory().absolutePath();
        filters = dlg->nameFilters();
        if (whileShown)
            whileShown();
        if (path.isEmpty()) {
            dlg->reject();
        } else {
            dlg->setOption(QFileDialog::DontConfirmOverwrite);
            // selectFile leaves the name field alone while it has the focus,
            // which depends on when the window got activated.
            if (QWidget *focused = QApplication::focusWidget())
                focused->clearFocus();
            dlg->selectFile(path);
            static_cast<QDialog *>(dlg)->accept();
        }
    });
    timer->start(10);
}

FileDialogAnswer::~FileDialogAnswer()
{
    delete timer;
}
