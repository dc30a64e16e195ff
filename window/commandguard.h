#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

class QEventLoop;
class QTimer;
class QWidget;

// Lets one command (read, write, save, load, a reset) run at a time.  The
// commands wait in nested event loops, so without this a click during one
// command's pause would start another inside it and mix their bytes on
// the line.  While a command runs, the controls that start commands are
// disabled and the busy cursor shows; a close request waits for the end.
//
// The guard is also the one place that knows whether the running command
// was cut short: every wait of a command goes through it, so a lost
// transmitter ends them all at once.
class CommandGuard : public QObject
{
    Q_OBJECT

public:
    CommandGuard(QWidget *window, const QVector<QWidget *> &controls);
    ~CommandGuard() override;

    // Starts a command; false (and nothing changes) while one runs or the
    // window is about to close.
    bool begin();
    // Ends it, whichever way: controls and cursor back, and a close that
    // waited for it goes ahead.
    void end();
    // The running command's pause: false when the command was cut short
    // (before or during it), and the caller then skips its remaining steps.
    bool pause(int ms);
    // Waits for answers: until answered(true), until quietMs pass without
    // an answered() call, until limitMs have passed in all, or until a close
    // is asked for (a close never waits for answers).  False when cut short.
    bool awaitAnswers(int quietMs, int limitMs);
    bool cutShort() const { return abandoned; }

    // Whether the window may close now; otherwise it closes once the
    // running command has ended.
    bool allowClose();
    bool closePending() const { return closeRequested; }
    // True while end() closes the window after the transmitter went away:
    // that close goes ahead at once, without asking anything.
    bool closingAfterLoss() const { return closingLost; }

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
    // program; only the tests' CommandTimeScale (in tests/support, never
    // built into the program) may change them, so their commands run in a
    // fraction of the time with their order unchanged.
    static int scaled(int ms, double scale);
    static double pauseScale;
    static double answerScale;
    friend class CommandTimeScale;

    QPointer<QWidget> window;
    QVector<QPointer<QWidget>> controls;
    QVector<bool> wasEnabled;
    QVector<QEventLoop *> waits;  // innermost last
    QEventLoop *answerWait = nullptr;  // the running awaitAnswers
    QTimer *quiet;                     // its quiet time
    bool running = false;
    bool abandoned = false;
    bool closeRequested = false;
    bool closingLost = false;
};

// Holds the guard for one command slot; every return ends the command.
class CommandScope
{
public:
    explicit CommandScope(CommandGuard &g) : guard(g), started(g.begin()) {}
    ~CommandScope()
    {
        if (started)
            guard.end();
    }
    CommandScope(const CommandScope &) = delete;
    CommandScope &operator=(const CommandScope &) = delete;
    explicit operator bool() const { return started; }

private:
    CommandGuard &guard;
    bool started;
};

// Keeps the stick trims the transmitter reports out of the model while it
// exists (when `hold` is set), so the I frame carries the loaded or reset
// trims; every way out of the command lets them through again.
class TrimHoldScope
{
public:
    explicit TrimHoldScope(int &flag, bool hold = true);
    ~TrimHoldScope();
    TrimHoldScope(const TrimHoldScope &) = delete;
    TrimHoldScope &operator=(const TrimHoldScope &) = delete;

private:
    int &trimHold;
    bool holding;
};
