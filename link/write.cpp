#include "mainwindow.h"

void MainWindow::on_toolButton_Send_clicked() {}
void MainWindow::sendAllFrames() {}
