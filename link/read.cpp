#include "mainwindow.h"

void MainWindow::on_toolButton_Read_clicked() {}
