#include "mainwindow.h"

void MainWindow::on_openButton_clicked() {}
