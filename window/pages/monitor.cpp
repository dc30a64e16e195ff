#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "monitorstate.h"
#include "monitortext.h"
#include "showvalue.h"

void MainWindow::Servo_Display()
{
    QLineEdit *const values[8] = {ui->lineEdit,   ui->lineEdit_2, ui->lineEdit_3, ui->lineEdit_4,
                                  ui->lineEdit_5, ui->lineEdit_6, ui->lineEdit_7, ui->lineEdit_8};
    QProgressBar *const upper[8] = {ui->progressBar_10, ui->progressBar_20, ui->progressBar_30, ui->progressBar_40,
                                    ui->progressBar_50, ui->progressBar_60, ui->progressBar_70, ui->progressBar_80};
    QProgressBar *const lower[8] = {ui->progressBar_11, ui->progressBar_21, ui->progressBar_31, ui->progressBar_41,
                                    ui->progressBar_51, ui->progressBar_61, ui->progressBar_71, ui->progressBar_81};
    for (int k = 0; k < 8; ++k) {
        const int v = mon.*kServoFields[k];
        showText(values[k], QString::number(v));
        const ServoBars bars = servoBars(v);
        showValue(upper[k], bars.upper);
        showValue(lower[k], bars.lower);
    }
    showText(ui->lineEdit_TX, txVoltText(mon.TxVoltLive));
}

void MainWindow::Recieve_Display()
{
    showText(ui->lineEdit_RSSI, rssiText(mon.RssiLive));
    showText(ui->lineEdit_EXT, batteryText(mon.ExtVoltLive));
    showText(ui->lineEdit_RX, batteryText(mon.RxVoltLive));
}
