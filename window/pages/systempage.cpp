// "系统设置": alarms, stick mode, firmware version, and the trim steps and
// trim positions in the row order of the current stick mode.
#include "configmodel.h"
#include "mainwindow.h"
#include "monitortext.h"
#include "showvalue.h"
#include "ui_mainwindow.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>

void MainWindow::Parameter_Display()
{
    showValue(ui->doubleSpinBox_Volt, cfg.Volt);
    showValue(ui->spinBox_Mode, cfg.Mode);
    showValue(ui->spinBox_Vertion, cfg.Vertion);
    showValue(ui->doubleSpinBox_rxVolt, cfg.rxVolt);
    showValue(ui->doubleSpinBox_extVolt, cfg.extVolt);
    showValue(ui->spinBox_Rssi, cfg.Rssi);
}

void MainWindow::StkTrim_Display()
{
    QLineEdit *const trims[4] = {ui->lineEdit_Trim_1, ui->lineEdit_Trim_2, ui->lineEdit_Trim_3, ui->lineEdit_Trim_4};
    QSpinBox *const steps[4] = {ui->spinBox_step1, ui->spinBox_step2, ui->spinBox_step3, ui->spinBox_step4};

    QString text[4];
    for (int k = 0; k < 4; ++k)
        text[k] = trimText(cfg.StkTrim[k]);

    // Read-outs before the step boxes: a step box's echo goes through the
    // same row map and Mode, so it lands on the entry it came from.
    const int mode = cfg.Mode;
    for (int row = 1; row <= 4; ++row)
        showText(trims[row - 1], text[trimRowChannel(mode, row)]);
    for (int row = 1; row <= 4; ++row)
        showValue(steps[row - 1], cfg.StkStep[trimRowChannel(mode, row)]);
}
