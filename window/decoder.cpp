#include "mainwindow.h"

#include "commandguard.h"
#include "configmodel.h"
#include "monitorstate.h"
#include "packetdecoder.h"
#include "readback.h"
#include "readprogress.h"
#include "statusline.h"

#include <QTimer>
#include "logging.h"

// Packets are cut from the byte stream, however the adapter split or glued
// them; bytes that may still become a packet, and a run of junk awaiting
// its one answer, wait for the rest or for the quiet time.
void MainWindow::serialPort_readyRead()
{
    const QByteArray bytes = serialPort.readAll();
    if (bytes.isEmpty())
        return;
    status->heard();
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

void MainWindow::quietTimeOver()
{
    QVector<FramedChunk> chunks;
    framer.expire(readProgress.awaited(), chunks);
    takeChunks(chunks);
}

void MainWindow::takeChunks(const QVector<FramedChunk> &chunks)
{
    for (const FramedChunk &c : chunks) {
        if (c.packet || c.trims)
            status->packet();
        // A receiver packet that ended cleanly: its trims count now, unless
        // a command holds them.  Its answer went out with it.
        if (c.trims) {
            if (trimHold == 0)
                decodeTrims(c.bytes, cfg);
            continue;
        }
        // Junk is answered like an unrecognised packet, never decoded;
        // settings and the AUX packet only as the read awaits them, and
        // then into the read's copy alone: the pages take a read whole,
        // once every group has come, or not at all.
        const AwaitedAnswers awaited = readProgress.awaited();
        ConfigModel *answers = readBackHeld ? readBackHeld : readHeld;
        DecodeResult r;
        if (c.packet)
            r = decodePacket(c.bytes, answers ? *answers : cfg, mon, true, awaited);
        if (r.readFlag)
            qCDebug(lcLink, "ReadFlag:%d", r.readFlag);
        if (r.readFlag && readProgress.active()) {
            readProgress.note(r.readFlag, readClock.elapsed());
            commands->answered(readProgress.complete());
        }

        // Repair before anything is shown: a page refresh would otherwise
        // push an out-of-range value into a spin box, whose clamped value
        // its handler would then store in place of the fallback.  The
        // second selection lets DR_RATE (which the sanity pass leaves
        // alone) follow the repaired rate arrays.
        Dr_DataSelet();
        FalseSaveData();
        Dr_DataSelet();

        if (r.refreshesPages())
            ui_Display();
        writeCommand("WWW");
    }
}

int MainWindow::byteArrayToInt(QByteArray b, int a)
{
    return readBE16(b, a);
}
