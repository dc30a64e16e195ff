// The four frame slots: each builds its frame from the model into the
// link's stored frame, sends it and gives the transmitter the frame pause.
#include "mainwindow.h"
#include "transmitterlink.h"

void MainWindow::SendData1()
{
    link->sendFrame(FrameS);
}

void MainWindow::SendData2()
{
    link->sendFrame(FrameG);
}

void MainWindow::SendData3()
{
    link->sendFrame(FrameH);
}

void MainWindow::SendData4()
{
    link->sendFrame(FrameI);
}
