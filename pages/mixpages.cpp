#include "mainwindow.h"

void MainWindow::DR_Display() {}
void MainWindow::Atti_Display() {}
void MainWindow::Elev_Display() {}
void MainWindow::Vtype_Display() {}
void MainWindow::Prm_Display() {}
