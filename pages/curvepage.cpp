#include "mainwindow.h"

void MainWindow::DRCure_Display() {}
void MainWindow::THcure_Display() {}
