#include "mainwindow.h"

void MainWindow::FalseSaveData() {}
