#include "mainwindow.h"

#include "configmodel.h"
#include "monitorstate.h"
#include "packetdecoder.h"

#include <QtDebug>

// One chunk is one packet; there is no receive buffer, so a packet split
// over two reads or glued to another is dropped (and still acknowledged).
void MainWindow::serialPort_readyRead()
{
    const QByteArray chunk = serialPort.readAll();
    if (chunk.isEmpty())
        return;

    const DecodeResult r = decodePacket(chunk, cfg, mon, trimHold != 0);
    if (r.readFlag)
        qDebug("ReadFlag:%d", r.readFlag);
    if (r.readFlag || r.refreshesPages())
        readProgress.note(r.readFlag, readClock.elapsed());

    // Repair before anything is shown: a page refresh would otherwise push
    // an out-of-range value into a spin box, whose clamped value its
    // handler would then store in place of the fallback.  The second
    // selection lets DR_RATE (which the sanity pass leaves alone) follow
    // the repaired rate arrays.
    Dr_DataSelet();
    FalseSaveData();
    Dr_DataSelet();

    if (r.refreshesPages())
        ui_Display();
    writeCommand("WWW");
}

int MainWindow::byteArrayToInt(QByteArray b, int a)
{
    return readBE16(b, a);
}
