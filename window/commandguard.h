#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

class QEventLoop;
class QTimer;
class QWidget;

// The pauses of a command, in ms.  The button pause comes first: the
// guard has disabled the buttons, so a double click's second half finds
// them disabled instead of starting the command again.
constexpr int kButtonPauseMs = 200;
// The transmitter says nothing when it has taken in a frame: each frame is
// given this long before the next bytes go out.
constexpr int kFramePauseMs = 800;
// After "WWW" it stores what it took in, again without saying when it is
// done: as long as a frame, so a read-back reports what it stored.
constexpr int kSettlePauseMs = kFramePauseMs;

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

signals:
    // A command began; it ended (emitted before a waiting close goes ahead).
    void started();
    void ended();

public slots:
    // The transmitter is gone: the running command ends at once (its
    // remaining waits return immediately and it sends nothing more).
    void abandon();
    // An answer arrived for awaitAnswers(); `last` ends the wait.
    void answered(bool last);

protected:
    // A box or a file dialog during a command takes the busy cursor away
    // while it shows: the user is being asked, nothing is busy.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool wait(int ms, bool restartable, int limitMs = 0);
    void showDisabled(QWidget *control, bool disabled);

    // The length every wait above runs for: `ms` times pauseScale for a
    // pause, times answerScale for a wait on answers.  Both are 1 in the
    // program; only the tests' CommandTimeScale (in tests/window/support,
    // never built into the program) may change them, so their commands run
    // in a fraction of the time with their order unchanged.
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
    int dialogsUp = 0;  // dialogs showing during the command: no busy cursor
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
