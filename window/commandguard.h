#pragma once

#include "commandwaits.h"

#include <QObject>
#include <QPointer>
#include <QVector>

class QWidget;

// Lets one command (read, write, save, load, a reset) run at a time.  The
// commands wait in nested event loops (CommandWaits), so without this a
// click during one command's pause would start another inside it and mix
// their bytes on the line.  While a command runs, the controls that start
// commands are disabled and the busy cursor shows; a close request waits
// for the end.
class CommandGuard : public QObject
{
    Q_OBJECT

public:
    // `waits`: where the commands wait; the guard starts and ends them
    // with each command, and its destructor leaves them alone (they may
    // go first).
    CommandGuard(QWidget *window, const QVector<QWidget *> &controls, CommandWaits &waits);
    ~CommandGuard() override;

    // Starts a command; false (and nothing changes) while one runs or the
    // window is about to close.
    bool begin();
    // Ends it, whichever way: controls and cursor back, and a close that
    // waited for it goes ahead.
    void end();
    // The running command's pause: false when the command was cut short
    // (before or during it), and the caller then skips its remaining steps.
    bool pause(int ms) { return waits.pause(ms); }
    bool cutShort() const { return waits.cutShort(); }

    // Whether the window may close now; otherwise it closes once the
    // running command has ended.
    bool allowClose();
    bool closePending() const { return waits.closePending(); }
    // True while end() closes the window after the transmitter went away:
    // that close goes ahead at once, without asking anything.
    bool closingAfterLoss() const { return closingLost; }

signals:
    // A command began; it ended (emitted before a waiting close goes ahead).
    void started();
    void ended();
    // A box or a dialog came up over the window while a command runs.
    void asking();

public slots:
    // The transmitter is gone: the running command ends at once (its
    // remaining waits return immediately and it sends nothing more).
    void abandon() { waits.abandon(); }

protected:
    // A box or a file dialog during a command takes the busy cursor away
    // while it shows: the user is being asked, nothing is busy.  Seen as
    // the window being blocked by a modal one, on the window alone and only
    // while a command runs: nothing else of the process passes through.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showDisabled(QWidget *control, bool disabled);

    QPointer<QWidget> window;
    QVector<QPointer<QWidget>> controls;
    QVector<bool> wasEnabled;
    CommandWaits &waits;
    bool running = false;
    bool closingLost = false;
    bool asked = false;  // a modal box or dialog blocks the window: no busy cursor
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
