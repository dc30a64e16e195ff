#include "mainwindow.h"

void MainWindow::RestData() {}
void MainWindow::RestData2() {}
void MainWindow::on_toolButton_Reset_clicked() {}
void MainWindow::on_pushButton_Reset2_clicked() {}
void MainWindow::resetToFactory(bool, QWidget *) {}
