#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
class QTimer;

// Plays the transmitter on the master side of a pseudo-terminal pair; the
// window opens the slave side through QSerialPort.
class PtyPeer
{
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer &) = delete;
    PtyPeer &operator=(const PtyPeer &) = delete;

    bool isOpen() const { return masterFd >= 0; }
    QString slavePath() const { return slave; }

    // One write call: the window reads it as one chunk when it arrives
    // while the window is idle.
    bool send(const QByteArray &chunk);
    // Everything received so far that was not yet taken, without waiting.
    QByteArray takeAvailable();
    // Keeps the Qt event loop running until at least n bytes were received
    // (or the timeout passes); returns what was received.
    QByteArray readAtLeast(int n, int timeoutMs = 10000);
    // Keeps the event loop running for ms and returns what arrived.
    QByteArray collectFor(int ms);
    // Keeps the event loop running until `expected` has arrived (appending
    // everything received to the internal buffer); true when it did.
    bool waitFor(const QByteArray &expected, int timeoutMs = 10000);
    // All bytes received so far (including those a wait has consumed).
    QByteArray received() const { return all; }
    void clearReceived() { all.clear(); pending.clear(); }
    // Closes the master side, as when the cable is pulled.
    void closeMaster();

private:
    void pump();
    int masterFd = -1;
    int slaveFd = -1;  // kept open so the line does not hang up between opens
    QString slave;
    QByteArray pending;
    QByteArray all;
};

// Puts `path` into the window's port list and clicks openButton.
void openPortInWindow(QWidget *window, const QString &path);

// Watches for modal message boxes and closes them, recording what they
// said: the close question by "Close without writing", any other box by
// its first button.  Arm it before the action that shows the box.
class ModalCloser
{
public:
    explicit ModalCloser(int closeAfterMs = 0);
    ~ModalCloser();
    int count = 0;
    QString lastTitle;
    QString lastText;
    qint64 firstSeenAtMs = -1;  // from construction

private:
    QTimer *timer;
    qint64 startMs;
    int closeAfter;
    qint64 seenSince = -1;
};

// Answers the next file dialog with `path` (an empty path cancels it).
class FileDialogAnswer
{
public:
    explicit FileDialogAnswer(const QString &path);
    ~FileDialogAnswer();
    bool answered = false;
    QString title;
    QString directory;
    QStringList filters;
    // Runs while the dialog is up, just before it is answered.
    std::function<void()> whileShown;

private:
    QTimer *timer;
};

// Runs the event loop until no command runs (the busy cursor is gone).
bool waitForCommandEnd(int timeoutMs = 20000);
// Runs the event loop until the window's 100 ms refresh has run once more
// (the title's mark, the pages).
bool waitForRefresh(QWidget *window, int timeoutMs = 5000);

// Runs the event loop for up to timeoutMs until pred() is true.
template <typename Pred> bool waitUntil(Pred pred, int timeoutMs = 10000);
bool waitUntilImpl(const std::function<bool()> &pred, int timeoutMs);
template <typename Pred> bool waitUntil(Pred pred, int timeoutMs)
{
    return waitUntilImpl(std::function<bool()>(pred), timeoutMs);
}
