#include "configmodel.h"
#include "factory.h"
#include "mainwindow.h"

void MainWindow::RestData()
{
    factoryDefaultsFirst(cfg);
}

void MainWindow::RestData2()
{
    factoryDefaultsSecond(cfg);
}

void MainWindow::on_toolButton_Reset_clicked() {}
void MainWindow::on_pushButton_Reset2_clicked() {}
void MainWindow::resetToFactory(bool, QWidget *) {}
