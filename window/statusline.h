#pragma once

#include "status.h"

#include <QElapsedTimer>
#include <QObject>

class CommandGuard;
class QLabel;
class QMainWindow;
class QProgressBar;
class QSerialPort;
class QTimer;
class ReadProgress;

// The line below the form: the running command's step and progress, how
// the last one ended, and the link.  The commands tell it what they do in
// one call each; the rest it sees for itself (the port, the read's
// progress, the guard's start and end, a box coming up).  The wording is
// the rules' (status.h).
class StatusLine : public QObject
{
    Q_OBJECT

public:
    StatusLine(QMainWindow *window, const QSerialPort &port, const ReadProgress &progress, CommandGuard *guard);

    // Names the command the guard just started; a command refused by the
    // guard names nothing.
    void command(StatusCommand c);
    // Frame n (1..4) goes out now.
    void frame(int n);
    // The file a load or a save works on; `failed`: it could not be written.
    void file(const QString &name, bool failed = false);
    // A read-back's verdict: the settings held otherwise than sent.
    void checked(int differences);
    // A packet or a receiver packet arrived.
    void packet();
    // Bytes arrived, packets or not: the line is not silent.
    void lineHeard();
    // The running command turned into another (a write that reads first).
    void becomes(StatusCommand c);
    // The closing "WWW" after the frames went out.
    void closingSent();
    // A read heard bytes but no answer among them.
    void heardOnly();
    // The port was opened: the link's words follow it from now on.
    void opened();
    // Whether writes read back what they sent (the bar's length).
    void verifies(bool on) { checks = on; }
    // The port would not open: a trace of the box stays on the line.
    void notOpened(const QString &port);
    // For the loss box: what a pulled cable left in the transmitter, on a
    // line of its own; empty unless a write was under way.
    QString lossDetail() const;

public slots:
    void lost();

private:
    void started();
    void ended();
    void showEnd();
    // Shows the step and the link as they are now; the ticker runs only
    // while they can change by themselves (a command runs, a port is open).
    void refresh();

    const QSerialPort &port;
    const ReadProgress &progress;
    QLabel *commandLabel;
    QProgressBar *bar;
    QLabel *linkLabel;
    QTimer *ticker;
    QElapsedTimer clock;
    bool running = false;
    CommandStep step;
    CommandEnd end;
    bool checks = true;
    QString endFacts;  // the verdict without its time, as last stamped
    bool verdictShown = false;
    QString lastEnd;   // shown while no command runs
    QString openPort;  // the port seen open at the last look
    qint64 openedAt = 0;
    PacketRate rate;
    qint64 lastHeard = -1;  // the last bytes of any kind
};
