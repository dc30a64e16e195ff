#include "mainwindow.h"

void MainWindow::Servo_Display() {}
void MainWindow::Recieve_Display() {}
