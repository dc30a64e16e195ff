// The four frame builders: each encodes its frame from the model, keeps it
// as the stored frame, writes it to the port and gives the transmitter
// the frame pause to take it in.
#include "commandguard.h"
#include "configmodel.h"
#include "frameencoder.h"
#include "logging.h"
#include "mainwindow.h"
#include "statusline.h"

// The frame is still built (a save needs it) when no port is open.
QByteArray MainWindow::nextFrame(FrameKind kind, const char *logFormat)
{
    QString &stored = storedFrame(kind);
    stored = buildFrame(kind, cfg, stored);
    qCDebug(lcFrames, logFormat, int(stored.length()));
    return stored.toUtf8();
}

QString &MainWindow::storedFrame(FrameKind kind)
{
    switch (kind) {
    case FrameS: return Str1;
    case FrameG: return Str2;
    case FrameH: return Str3;
    case FrameI: break;
    }
    return Str4;
}

void MainWindow::SendData1()
{
    status->frame(1);
    writeCommand(nextFrame(FrameS, "Str1Blength:%d"));
    commands->pause(kFramePauseMs);
}

void MainWindow::SendData2()
{
    status->frame(2);
    writeCommand(nextFrame(FrameG, "Str2Blength:%d"));
    commands->pause(kFramePauseMs);
}

void MainWindow::SendData3()
{
    status->frame(3);
    writeCommand(nextFrame(FrameH, "Str3Blength:%d"));
    commands->pause(kFramePauseMs);
}

void MainWindow::SendData4()
{
    status->frame(4);
    writeCommand(nextFrame(FrameI, "Str4Blength:%d"));
    commands->pause(kFramePauseMs);
}
