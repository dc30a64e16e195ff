#pragma once

// Recording what the tool writes to the line, with arrival times, and
// what it logs.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <functional>

class PtyPeer;
class QTimer;
class TransmitterLink;

// Reads the peer from a timer, so bytes are seen (and time-stamped) as they
// arrive even while the window sits in the nested wait of a command that
// the test itself triggered.
class WireRecorder
{
public:
    using Progress = std::function<void(const WireRecorder &)>;
    // `onProgress` runs after every chunk, so a test can answer as the
    // transmitter would at a given point of a sequence.
    explicit WireRecorder(PtyPeer &peer, Progress onProgress = {});
    ~WireRecorder();
    WireRecorder(const WireRecorder &) = delete;
    WireRecorder &operator=(const WireRecorder &) = delete;

    QByteArray bytes;
    QVector<qint64> atMs;  // per byte, since construction
    QElapsedTimer clock;

    // When the byte at `index` arrived (-1 if it did not).
    qint64 arrival(int index) const { return index < atMs.size() ? atMs[index] : -1; }
    // Runs the event loop until at least n bytes arrived.
    bool waitForBytes(int n, int timeoutMs = 15000);
    // Runs the event loop for ms more and returns what arrived meanwhile.
    QByteArray collectFor(int ms);

private:
    void poll();
    PtyPeer &peer;
    Progress progress;
    QTimer *timer;
};

// Collects the debug log lines while it exists (they are still printed).
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;
    QStringList lines;
    QStringList categories;  // per line: its logging category
    QVector<qint64> atMs;    // per line, on QElapsedTimer's monotonic clock
};

// When each frame of a command went out, as the link tells it just before
// the frame's bytes, on `clock` (a WireRecorder's, so both count alike).
class FrameClock
{
public:
    FrameClock(TransmitterLink &link, const QElapsedTimer &clock);
    // Frame n (1..4), -1 if it did not go out.
    qint64 at(int n) const { return atMs.value(n - 1, -1); }
    QVector<qint64> atMs{-1, -1, -1, -1};

private:
    QObject context;  // ends the connection with the clock
};

// The waits of a command that sends the four frames, each at least as long
// as the commands now wait (commandtime::ms): the button pause before the
// first frame, each frame's pause before the next byte goes out (the I
// frame's before "WWW"), and with `settles` the settle pause before "RR".
// Each pause is timed from the link's word that the frame goes out, which
// comes before its pause starts, to the next bytes' arrival, which can only
// be seen late: a loaded machine makes no wait look short.  Returns the
// waits that were short; `wire` and `frames` must have recorded from
// before the click.
QStringList shortWaits(const WireRecorder &wire, const FrameClock &frames, bool settles);

// Sends one chunk as the transmitter would and waits until the tool has
// answered it `answers` times with "WWW" and nothing else.
void exchange(PtyPeer &peer, const QByteArray &chunk, int answers = 1);

// A whole read's answers in the order the transmitter sends them: every
// settings case (a packet in `instead` takes the place of the one of its
// code) with the AUX packet `aux` after code 99.
QList<QByteArray> wholeReadAnswers(const QList<QByteArray> &instead = {}, const QByteArray &aux = {});

// Plays a transmitter answering the window's "RR" with `answers`, each
// once the one before it was acknowledged; `sent` counts them.
class ReadAnswerer
{
public:
    ReadAnswerer(PtyPeer &peer, const QList<QByteArray> &answers);
    ~ReadAnswerer();
    ReadAnswerer(const ReadAnswerer &) = delete;
    ReadAnswerer &operator=(const ReadAnswerer &) = delete;
    int sent = 0;

private:
    QTimer *timer;
};
