#include "mainwindow.h"

void MainWindow::Parameter_Display() {}
void MainWindow::StkTrim_Display() {}
