#include "mainwindow.h"

void MainWindow::serialPort_readyRead() {}

int MainWindow::byteArrayToInt(QByteArray b, int a)
{
    (void)b;
    (void)a;
    return 0;
}
