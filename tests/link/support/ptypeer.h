#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Plays the transmitter on the master side of a pseudo-terminal pair; the
// tool opens the slave side through QSerialPort.
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
    void clearReceived()
    {
        all.clear();
        pending.clear();
    }
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

// Runs the event loop for up to timeoutMs until pred() is true.
template <typename Pred> bool waitUntil(Pred pred, int timeoutMs = 10000);
bool waitUntilImpl(const std::function<bool()> &pred, int timeoutMs);
template <typename Pred> bool waitUntil(Pred pred, int timeoutMs)
{
    return waitUntilImpl(std::function<bool()>(pred), timeoutMs);
}
