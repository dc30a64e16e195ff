#include "mainwindow.h"

void MainWindow::SendData1() {}
void MainWindow::SendData2() {}
void MainWindow::SendData3() {}
void MainWindow::SendData4() {}
