#pragma once

#include <QObject>
#include <QVector>

class QEventLoop;
class QTimer;

// The pauses of a command, in ms.  The button pause comes first: the
// window has disabled the buttons, so a double click's second half finds
// them disabled instead of starting the command again.
constexpr int kButtonPauseMs = 200;
// The transmitter says nothing when it has taken in a frame: each frame is
// given this long before the next bytes go out.
constexpr int kFramePauseMs = 800;
// After "WWW" it stores what it took in, again without saying when it is
// done: as long as a frame, so a read-back reports what it stored.
constexpr int kSettlePauseMs = kFramePauseMs;

// Every wait of the running command: its pauses and its waits on answers,
// each a nested event loop, so the line's bytes, the refresh and clicks
// keep being delivered meanwhile.  The one place that knows whether the
// command was cut short: a lost transmitter ends all its waits at once.
class CommandWaits : public QObject
{
    Q_OBJECT

public:
    explicit CommandWaits(QObject *parent = nullptr);

    // A command starts (nothing cut short yet) and ends.
    void start();
    void finish();
    bool running() const { return busy; }

    // The running command's pause: false when the command was cut short
    // (before or during it), and the caller then skips its remaining steps.
    bool pause(int ms);
    // Waits for answers: until answered(true), until quietMs pass without
    // an answered() call, until limitMs have passed in all, or until a close
    // is asked for (a close never waits for answers).  False when cut short.
    bool awaitAnswers(int quietMs, int limitMs);
    bool cutShort() const { return abandoned; }

    // A close is asked for: a wait on answers ends now, and while a command
    // runs the close waits for its end.  True when none runs.
    bool askClose();
    bool closePending() const { return closeRequested; }

public slots:
    // The transmitter is gone: the running command ends at once (its
    // remaining waits return immediately and it sends nothing more).
    void abandon();
    // An answer arrived for awaitAnswers(); `last` ends the wait.
    void answered(bool last);

private:
    bool wait(int ms, bool restartable, int limitMs = 0);

    // The length every wait above runs for: `ms` times pauseScale for a
    // pause, times answerScale for a wait on answers.  Both are 1 in the
    // program; only the tests' CommandTimeScale (in tests/, never built
    // into the program) may change them, so their commands run in a
    // fraction of the time with their order unchanged.
    static int scaled(int ms, double scale);
    static double pauseScale;
    static double answerScale;
    friend class CommandTimeScale;

    QVector<QEventLoop *> waits;       // innermost last
    QEventLoop *answerWait = nullptr;  // the running awaitAnswers
    QTimer *quiet;                     // its quiet time
    bool busy = false;
    bool abandoned = false;
    bool closeRequested = false;
};
