#include "mainwindow.h"

#include "packetdecoder.h"
#include "transmitterlink.h"

void MainWindow::serialPort_readyRead()
{
    link->takeBytes();
}

// Repair before anything is shown: a page refresh would otherwise push an
// out-of-range value into a spin box, whose clamped value its handler
// would then store in place of the fallback.  The second selection lets
// DR_RATE (which the sanity pass leaves alone) follow the repaired rate
// arrays.  Live packets and trims, hundreds a second, bring no setting
// that is checked: they are shown at the next tick and cost nothing here.
void MainWindow::chunkTaken(bool refreshPages)
{
    if (!refreshPages)
        return;
    Dr_DataSelet();
    FalseSaveData();
    Dr_DataSelet();
    ui_Display();
}

int MainWindow::byteArrayToInt(QByteArray b, int a)
{
    return readBE16(b, a);
}
