#pragma once

#include <QString>
#include <QTime>
#include <QVector>

// What the status line says, as functions of a few facts, so the wording
// is decided (and tested) without a window.  Every text is in the
// language of the installed catalogue.

// The commands the status line follows.
enum class StatusCommand { None, Write, Load, Reset, Save, Read };

// Where a running command is.
struct CommandStep
{
    StatusCommand command = StatusCommand::None;
    bool portOpen = true;  // a load without a port only fills the pages
    int frame = 0;         // 1..4 while its frames go out, 0 before
    bool reading = false;  // a read, or the check after a write
    int answers = 0;       // settings groups arrived so far
    bool checks = true;    // a write reads back what it sent
    // A box or a file dialog the command waits on: the line says what for
    // instead of a step that is not happening.
    enum Waiting { NotWaiting, ForFile, ForAnswer } waiting = NotWaiting;
};
QString commandStepText(const CommandStep &s);
// The progress bar over the whole command: a write's frames and its
// read-back share one bar, which never moves back.
int commandStepDone(const CommandStep &s);
int commandStepTotal(const CommandStep &s);

// How a command ended.
struct CommandEnd
{
    StatusCommand command = StatusCommand::None;
    QTime at;
    bool portOpen = true;      // when the command started
    bool lost = false;         // the cable went during it
    int framesSent = 0;        // frames that reached the line, 0..4
    bool closingSent = false;  // the closing "WWW" after them too
    bool heardOnly = false;    // a read that heard bytes, none of them an answer
    bool checked = false;      // a read-back ran to its verdict
    int answers = 0;           // groups that answered the read or the read-back
    int differences = 0;       // settings held otherwise than sent
    QString file;              // a load's or a save's file name
    bool failed = false;       // a save that could not write its file, a load that found no settings in it
};
// Empty when the command did nothing worth a line (a dialog cancelled, a
// reset declined): the previous line stays.
QString commandEndText(const CommandEnd &e);

// A port that would not open: the line keeps a trace of the box.
QString portNotOpenedText(const QString &port, const QTime &at);

// The frames a pulled cable left behind, for the loss box; empty when no
// frame of a write was under way.
QString framesLeftText(int framesSent, bool closingSent = true);

// A port's name as the line shows it: the port box's short form, and when
// that is still long its end, where names like the by-id ones differ.
constexpr int kStatusPortChars = 24;
QString statusPortName(const QString &port, int maxChars = kStatusPortChars);

// The link: the port, and how much arrives.
struct LinkFacts
{
    QString port;  // empty: no port open
    qint64 openForMs = 0;
    qint64 quietForMs = 0;  // since the last packet, or since the open
    double packetsPerSecond = 0;
};
constexpr int kQuietWarningMs = 3000;
// `whole`: with the port's full path, for the tool tip.
QString linkStatusText(const LinkFacts &f, bool whole = false);

// Packets in the last second, from their arrival times.
class PacketRate
{
public:
    void note(qint64 nowMs);
    double perSecond(qint64 nowMs) const;
    qint64 lastMs() const { return last; }
    void reset() { times.clear(), first = 0, last = -1; }

private:
    // Arrival times from `first` on, oldest first; the stale ones before it
    // are dropped in bulk, not one memmove per packet.
    QVector<qint64> times;
    int first = 0;
    qint64 last = -1;
};

// Why an open failed, from the port's error and the device file.
struct OpenAttempt
{
    enum Error { NotFound, Permission, NotSerial, NoResponse, Other };
    QString port;
    Error error = Other;
    bool exists = false;      // the device file is there
    bool accessible = false;  // and we may read and write it
    bool characterDevice = false;
    QString systemText;  // the system's own words, for anything else
};
QString openFailureReason(const OpenAttempt &a);
