// The four frame builders: each encodes its frame from the model, keeps it
// as the stored frame, writes it to the port and gives the transmitter
// 800 ms to take it in.
#include "configmodel.h"
#include "delayms.h"
#include "frameencoder.h"
#include "mainwindow.h"

#include <QDebug>

namespace {

void sendFrame(QSerialPort &port, FrameKind kind, const char *logFormat)
{
    QString &stored = storedFrame(kind);
    stored = buildFrame(kind, cfg, stored);
    qDebug(logFormat, int(stored.length()));
    // The frame is still built (a save needs it) when no port is open.
    if (port.isOpen())
        port.write(stored.toUtf8());
    DelayMs(800);
}

} // namespace

void MainWindow::SendData1()
{
    sendFrame(serialPort, FrameS, "Str1Blength:%d");
}

void MainWindow::SendData2()
{
    sendFrame(serialPort, FrameG, "Str2Blength:%d");
}

void MainWindow::SendData3()
{
    sendFrame(serialPort, FrameH, "Str3Blength:%d");
}

void MainWindow::SendData4()
{
    sendFrame(serialPort, FrameI, "Str4Blength:%d");
}
