// "系统设置": alarms, stick mode, firmware version, and the trim steps and
// trim positions in the row order of the current stick mode.
#include "configmodel.h"
#include "mainwindow.h"
#include "monitortext.h"
#include "ui_mainwindow.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>

void MainWindow::Parameter_Display()
{
    ui->doubleSpinBox_Volt->setValue(cfg.Volt);
    ui->spinBox_Mode->setValue(cfg.Mode);
    ui->spinBox_Vertion->setValue(cfg.Vertion);
    ui->doubleSpinBox_rxVolt->setValue(cfg.rxVolt);
    ui->doubleSpinBox_extVolt->setValue(cfg.extVolt);
    ui->spinBox_Rssi->setValue(cfg.Rssi);
}

void MainWindow::StkTrim_Display()
{
    QLineEdit *const trims[4] = {ui->lineEdit_Trim_1, ui->lineEdit_Trim_2, ui->lineEdit_Trim_3,
                                 ui->lineEdit_Trim_4};
    QSpinBox *const steps[4] = {ui->spinBox_step1, ui->spinBox_step2, ui->spinBox_step3, ui->spinBox_step4};

    QString text[4];
    for (int k = 0; k < 4; ++k)
        text[k] = trimText(cfg.StkTrim[k]);

    // Read-outs before the step boxes: a step box's echo goes through the
    // same row map and Mode, so it lands on the entry it came from.
    const int mode = cfg.Mode;
    for (int row = 1; row <= 4; ++row)
        trims[row - 1]->setText(text[trimRowChannel(mode, row)]);
    for (int row = 1; row <= 4; ++row)
        steps[row - 1]->setValue(cfg.StkStep[trimRowChannel(mode, row)]);
}
