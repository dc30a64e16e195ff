#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "monitorstate.h"
#include "monitortext.h"

namespace {

// A progress bar repaints itself at once on every new value, so sixteen
// moving bars meant sixteen separate paints of the window each refresh.
// With its updates held the bar only marks itself for the next paint, which
// draws every changed bar and text together.
void setBarValue(QProgressBar *bar, int value)
{
    if (bar->value() == value)
        return;
    bar->setUpdatesEnabled(false);
    bar->setValue(value);
    bar->setUpdatesEnabled(true);
}

} // namespace

void MainWindow::Servo_Display()
{
    QLineEdit *const values[8] = {ui->lineEdit,   ui->lineEdit_2, ui->lineEdit_3, ui->lineEdit_4,
                                  ui->lineEdit_5, ui->lineEdit_6, ui->lineEdit_7, ui->lineEdit_8};
    QProgressBar *const upper[8] = {ui->progressBar_10, ui->progressBar_20, ui->progressBar_30,
                                    ui->progressBar_40, ui->progressBar_50, ui->progressBar_60,
                                    ui->progressBar_70, ui->progressBar_80};
    QProgressBar *const lower[8] = {ui->progressBar_11, ui->progressBar_21, ui->progressBar_31,
                                    ui->progressBar_41, ui->progressBar_51, ui->progressBar_61,
                                    ui->progressBar_71, ui->progressBar_81};
    for (int k = 0; k < 8; ++k) {
        const int v = mon.*kServoFields[k];
        values[k]->setText(QString::number(v));
        // A value outside a bar's range is refused and the bar keeps
        // what it showed.
        const ServoBars bars = servoBars(v);
        setBarValue(upper[k], bars.upper);
        setBarValue(lower[k], bars.lower);
    }
    ui->lineEdit_TX->setText(txVoltText(mon.TxVoltLive));
}

void MainWindow::Recieve_Display()
{
    ui->lineEdit_RSSI->setText(rssiText(mon.RssiLive));
    ui->lineEdit_EXT->setText(batteryText(mon.ExtVoltLive));
    ui->lineEdit_RX->setText(batteryText(mon.RxVoltLive));
}
