// "高级菜单2": the editors beside the two curves, and the curves, which
// repaint when what they draw changed.
#include "configmodel.h"
#include "mainwindow.h"
#include "selector.h"
#include "showvalue.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QSpinBox>

void MainWindow::DRCure_Display()
{
    // Selection first: a changed channel or position reselects the working
    // rate and exponential before the boxes below show them.
    showSelection(ui->comboBox_DR_MIX2, cfg.DR_MIX);
    showSelection(ui->comboBox_DR_CH2, cfg.DR_CH);
    showSelection(ui->comboBox_DR_SW2, cfg.DR_SW);
    showSelection(ui->comboBox_DR_POSI, cfg.DR_POSI);
    showValue(ui->spinBox_DR_RATE, cfg.DR_RATE);
    showValue(ui->spinBox_DR_EXP, cfg.DR_EXP);
    ui->widget_3->creatData();
}

void MainWindow::THcure_Display()
{
    QSpinBox *const boxes[7] = {ui->spinBox_THCURE_Data01, ui->spinBox_THCURE_Data02, ui->spinBox_THCURE_Data03,
                                ui->spinBox_THCURE_Data04, ui->spinBox_THCURE_Data05, ui->spinBox_THCURE_Data06,
                                ui->spinBox_THCURE_Data07};
    showSelection(ui->comboBox_THCURE_MIX, cfg.THCURE_MIX);
    for (int i = 0; i < 7; ++i)
        showValue(boxes[i], cfg.*kThCurveFields[i]);
    ui->widget_4->creatData();
}
