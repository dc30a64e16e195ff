#pragma once

#include "commandwaits.h"
#include "configmodel.h"
#include "frameencoder.h"
#include "monitorstate.h"
#include "packetframer.h"
#include "readprogress.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QVector>

class QTimer;

// The conversation with the transmitter over one serial port: opening and
// closing the line, the bytes of every command with their pauses, the
// answers cut from the stream and decoded (each answered with "WWW"), and
// a line that went away.  It knows nothing of windows: what happened is
// told by signals, and the settings it sends and live values it takes
// are the models it was given.
class TransmitterLink : public QObject
{
    Q_OBJECT

public:
    // `pages`: the settings shown and edited; frames are built from them,
    // and the reported trims (unless held) land in them.  `live`: the
    // monitor's values.  Both must outlive the link.
    TransmitterLink(ConfigModel &pages, MonitorState &live, QObject *parent = nullptr);

    CommandWaits &waits() { return commandWaits; }
    const QSerialPort &port() const { return serial; }
    const ReadProgress &progress() const { return readProgress; }
    // The port itself answers whether the link is open: a lost line closes
    // it before anything else can follow.
    bool isOpen() const { return serial.isOpen(); }

    // Opens the port at the line's settings and greets with "OK"; false,
    // with why in the user's words, when it would not open.
    bool open(const QString &portName, QString *whyNot);
    // Says "DIS", hands it to the line, then closes.
    void close();
    // Nothing is written while no port is open: after a loss, a command
    // still in its waits stops writing at once.
    void write(const QByteArray &bytes);
    // A port that went away without reporting an error (its device file
    // removed) is noticed here; the window looks once a second.
    void checkLine();
    // Takes what the port has received: the link's owner connects the
    // port's readyRead here (the window through its serialPort_readyRead).
    void takeBytes();

    // Builds the frame of `kind` from the pages into its stored frame,
    // sends it when a port is open, then gives the transmitter the frame
    // pause.  A save needs the frame even without a port.
    void sendFrame(FrameKind kind);
    // Frames S, G, H, I, each with its pause.
    void sendFrames();
    // "WWW": the settings are complete.
    void sendClosingWord();
    // The factory settings onto the pages and out in the four frames with
    // "WWW".  The trims and steps are set once more before the I frame:
    // trims the transmitter reported during the pauses may have replaced
    // them, and the I frame must carry the factory ones.
    void sendFactorySettings();
    // Asks for every settings group and waits until all came, they stopped
    // for the quiet time, or the read's time is up; true when all came.
    // The answers go into a copy that starts as `start` (answers()), never
    // into the pages.
    bool requestSettings(const ConfigModel &start);
    enum class ReadBack { Skipped, Incomplete, Complete };
    // After "WWW": the settle pause, then requestSettings(sent).  Skipped
    // when the pause was cut short or a close is waiting.
    ReadBack readBack(const ConfigModel &sent);

    // The last read's answers as sent, unrepaired: what the transmitter
    // holds.  Valid from requestSettings() to the next one.
    const ConfigModel &answers() const { return readCopy; }
    // Whether answers are being taken into the copy now.
    bool takingAnswers() const { return answering; }
    // Whether the last request heard any bytes at all.
    bool heardDuringRead() const { return readHeard; }

    // The last frame built of each kind (the template before the first).
    QString &storedFrame(FrameKind kind);
    // While nonzero, received stick trims are not stored (a load or a
    // factory reset is sending its own trims).
    int &trimHold() { return trimsHeld; }

signals:
    // Bytes arrived, packets or not.
    void heard();
    // A packet or a receiver packet ended cleanly.
    void packetArrived();
    // A live packet (channel outputs or receiver values) was decoded into
    // the live values: its bytes, for whoever records them.
    void liveTaken(const QByteArray &packet);
    // A chunk other than a receiver packet was decoded (or, being junk,
    // not) and is answered next; `refreshPages`: it changed what the pages
    // show at once.
    void chunkTaken(bool refreshPages);
    // A read's answer, named by its ReadFlag, went into the read's copy.
    void answerTaken(int readFlag);
    // Frame n (1..4) goes out now.
    void frameGoing(int n);
    // The closing "WWW" went out after the frames.
    void closingWordSent();
    // The open line went away: emitted before the port is closed.
    void lineLost();
    // The port closed, by close() or after a loss (`lost`).
    void closed(bool lost);

private:
    void portError(QSerialPort::SerialPortError error);
    void deviceLost();
    void quietTimeOver();
    // Decodes and answers what the framer settled, one "WWW" each.
    void takeChunks(const QVector<FramedChunk> &chunks);

    ConfigModel &pages;
    MonitorState &live;
    CommandWaits commandWaits;
    QSerialPort serial;
    PacketFramer framer;
    QTimer *quietTimer;
    ReadProgress readProgress;
    QElapsedTimer readClock;  // times the answers to a read request
    ConfigModel readCopy;
    bool answering = false;
    bool readHeard = false;  // bytes arrived while the read waited
    QString openedFile;      // device file of the open port, watched for removal
    int openCount = 0;       // tells a loss noticed on one connection from the next
    bool losingLine = false;
    int trimsHeld = 0;
    QString frames[4] = {frameTemplate(FrameS), frameTemplate(FrameG), frameTemplate(FrameH), frameTemplate(FrameI)};
};
