#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

class QWidget;

// Lets one command (read, write, save, load, a reset) run at a time.  The
// commands wait in nested event loops, so without this a click during one
// command's pause would start another inside it and mix their bytes on
// the line.  While a command runs, the controls that start commands are
// disabled and the busy cursor shows; a close request waits for the end.
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
    // meanwhile, and the caller then skips its remaining steps.
    bool pause(int ms);
    bool cutShort() const { return abandoned; }

    // Whether the window may close now; otherwise it closes once the
    // running command has ended.
    bool allowClose();
    bool closePending() const { return closeRequested; }

public slots:
    // The transmitter is gone: the running command ends at once (its
    // remaining waits return immediately and it sends nothing more).
    void abandon();

private:
    QPointer<QWidget> window;
    QVector<QPointer<QWidget>> controls;
    QVector<bool> wasEnabled;
    bool running = false;
    bool abandoned = false;
    bool closeRequested = false;
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
