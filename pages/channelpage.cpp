#include "mainwindow.h"

void MainWindow::Rev_Display() {}
void MainWindow::EPA_Display() {}
void MainWindow::SubTrim_Display() {}
void MainWindow::FS_Display() {}
void MainWindow::Delay_Display() {}
void MainWindow::Aux_Display() {}
