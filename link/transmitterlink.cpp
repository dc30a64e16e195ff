#include "transmitterlink.h"

#include "factory.h"
#include "linecheck.h"
#include "logging.h"
#include "packetdecoder.h"
#include "portwrite.h"
#include "status.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QString whyNotOpen(const QSerialPort &port)
{
    OpenAttempt a;
    a.port = port.portName();
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        a.error = OpenAttempt::NotFound;
        break;
    case QSerialPort::PermissionError:
        a.error = OpenAttempt::Permission;
        break;
    case QSerialPort::UnsupportedOperationError:
        a.error = OpenAttempt::NotSerial;
        break;
    case QSerialPort::ResourceError:
        a.error = OpenAttempt::NoResponse;
        break;
    default:
        a.error = OpenAttempt::Other;
        break;
    }
    const QString file = portFileLocation(port.portName());
    const QFileInfo info(file);
    a.exists = info.exists();
    a.accessible = info.isReadable() && info.isWritable();
#ifdef Q_OS_UNIX
    struct stat st;
    a.characterDevice = ::stat(QFile::encodeName(file).constData(), &st) == 0 && S_ISCHR(st.st_mode);
#else
    a.characterDevice = a.exists;
#endif
    a.systemText = port.errorString();
    return openFailureReason(a);
}

}  // namespace

TransmitterLink::TransmitterLink(ConfigModel &p, MonitorState &l, QObject *parent)
    : QObject(parent), pages(p), live(l), commandWaits(this), quietTimer(new QTimer(this))
{
    connect(&serial, &QSerialPort::errorOccurred, this, &TransmitterLink::portError);
    quietTimer->setSingleShot(true);
    quietTimer->setTimerType(Qt::PreciseTimer);
    quietTimer->setInterval(PacketFramer::kQuietMs);
    connect(quietTimer, &QTimer::timeout, this, &TransmitterLink::quietTimeOver);
    readClock.start();
}

bool TransmitterLink::open(const QString &portName, QString *whyNot)
{
    serial.setPortName(portName);
    serial.setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    serial.setDataBits(QSerialPort::Data8);
    serial.setParity(QSerialPort::NoParity);
    serial.setStopBits(QSerialPort::OneStop);
    serial.setFlowControl(QSerialPort::NoFlowControl);
    if (!serial.open(QIODevice::ReadWrite)) {
        if (whyNot)
            *whyNot = whyNotOpen(serial);
        return false;
    }
    openedFile = portFileLocation(portName);
    ++openCount;
    framer.reset();
    write("OK");
    return true;
}

void TransmitterLink::close()
{
    write("DIS");
    // Hand the goodbye to the line before closing; closing drops whatever
    // is still buffered.
    serial.flush();
    serial.close();
    // Half a packet from this line means nothing to the next one.
    quietTimer->stop();
    framer.reset();
    emit closed(false);
}

void TransmitterLink::write(const QByteArray &bytes)
{
    if (isOpen())
        writeToPort(serial, bytes.constData(), bytes.size());
}

// Errors of a line that went away (cable pulled, device removed) end the
// connection; a full output buffer reports errors too and is let be.
void TransmitterLink::portError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !isOpen())
        return;
    if (!serialLineGone(serial.handle(), openedFile, error))
        return;
    // The error comes from inside the port's own notifier, which closing
    // would delete under it: close once it has returned, if by then the
    // same connection is still open.
    QTimer::singleShot(0, this, [this, opened = openCount] {
        if (opened == openCount)
            deviceLost();
    });
}

void TransmitterLink::checkLine()
{
    if (isOpen() && serialLineGone(serial.handle(), openedFile, QSerialPort::NoError))
        deviceLost();
}

// Runs once per loss of the open port.
void TransmitterLink::deviceLost()
{
    if (!isOpen() || losingLine)
        return;
    losingLine = true;
    emit lineLost();
    // No "DIS": nobody is there to take it, and a dead line only rejects it.
    serial.clear();
    serial.close();
    serial.clearError();
    losingLine = false;
    quietTimer->stop();
    framer.reset();
    emit closed(true);
}

// Packets are cut from the byte stream, however the adapter split or glued
// them; bytes that may still become a packet, and a run of junk awaiting
// its one answer, wait for the rest or for the quiet time.
void TransmitterLink::takeBytes()
{
    // What has come, read at its size: readAll() grows a 16 KiB buffer by
    // another 16 KiB before it finds nothing more, which the allocator
    // copies once per packet.
    const QByteArray bytes = serial.read(serial.bytesAvailable());
    if (bytes.isEmpty())
        return;
    emit heard();
    if (readProgress.active())
        readHeard = true;
    QVector<FramedChunk> chunks;
    framer.feed(bytes, readProgress.awaited(), chunks);
    if (framer.holding())
        quietTimer->start();
    else
        quietTimer->stop();
    takeChunks(chunks);
}

void TransmitterLink::quietTimeOver()
{
    QVector<FramedChunk> chunks;
    framer.expire(readProgress.awaited(), chunks);
    takeChunks(chunks);
}

void TransmitterLink::takeChunks(const QVector<FramedChunk> &chunks)
{
    for (const FramedChunk &c : chunks) {
        if (c.packet || c.trims)
            emit packetArrived();
        // A receiver packet that ended cleanly: its trims count now, unless
        // a command holds them.  Its answer went out with it.
        if (c.trims) {
            if (trimsHeld == 0)
                decodeTrims(c.bytes, pages);
            continue;
        }
        // Junk is answered like an unrecognised packet, never decoded;
        // settings and the AUX packet only as the read awaits them, and
        // then into the read's copy alone: the pages take a read whole,
        // once every group has come, or not at all.
        const AwaitedAnswers awaited = readProgress.awaited();
        DecodeResult r;
        if (c.packet)
            r = decodePacket(c.bytes, answering ? readCopy : pages, live, true, awaited);
        if (r.kind == PacketKind::ServoLive || r.kind == PacketKind::ReceiverLive)
            emit liveTaken(c.bytes);
        if (r.readFlag) {
            qCDebug(lcLink, "ReadFlag:%d", r.readFlag);
            emit answerTaken(r.readFlag);
        }
        if (r.readFlag && readProgress.active()) {
            readProgress.note(r.readFlag, readClock.elapsed());
            commandWaits.answered(readProgress.complete());
        }
        emit chunkTaken(r.refreshesPages());
        write("WWW");
    }
}

QString &TransmitterLink::storedFrame(FrameKind kind)
{
    return frames[kind];
}

void TransmitterLink::sendFrame(FrameKind kind)
{
    static const char *const logFormats[4] = {"Str1Blength:%d", "Str2Blength:%d", "Str3Blength:%d", "Str4Blength:%d"};
    emit frameGoing(int(kind) + 1);
    QString &stored = storedFrame(kind);
    stored = buildFrame(kind, pages, stored);
    qCDebug(lcFrames, logFormats[kind], int(stored.length()));
    write(stored.toUtf8());
    commandWaits.pause(kFramePauseMs);
}

void TransmitterLink::sendFrames()
{
    sendFrame(FrameS);
    sendFrame(FrameG);
    sendFrame(FrameH);
    sendFrame(FrameI);
}

void TransmitterLink::sendFactorySettings()
{
    factoryDefaults(pages);
    sendFrame(FrameS);
    sendFrame(FrameG);
    sendFrame(FrameH);
    factoryTrimsAndSteps(pages);
    sendFrame(FrameI);
    sendClosingWord();
}

void TransmitterLink::sendClosingWord()
{
    write("WWW");
    emit closingWordSent();
}

// "RR", then the answers until every group has come (the decoder's note of
// the last one ends the wait), they have stopped for the quiet time, or
// the read's time is up.
bool TransmitterLink::requestSettings(const ConfigModel &start)
{
    readCopy = start;
    answering = true;
    readHeard = false;
    readProgress.start(readClock.elapsed());
    write("RR");
    commandWaits.awaitAnswers(ReadProgress::kQuietMs, ReadProgress::kLimitMs);
    readProgress.stop();
    answering = false;
    return readProgress.complete();
}

TransmitterLink::ReadBack TransmitterLink::readBack(const ConfigModel &sent)
{
    // A close asked for meanwhile is not held up by a read-back.
    if (!commandWaits.pause(kSettlePauseMs) || commandWaits.closePending())
        return ReadBack::Skipped;
    return requestSettings(sent) ? ReadBack::Complete : ReadBack::Incomplete;
}
