#include "mainwindow.h"

void MainWindow::on_toolButton_Save_clicked() {}
void MainWindow::on_toolButton_Load_clicked() {}
