// "高级菜单1" (dual rate per channel, attitude, elevon and V-tail mixing)
// and "混控设置" (the four programmable mixes).
#include "configmodel.h"
#include "mainwindow.h"
#include "selector.h"
#include "showvalue.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QSpinBox>

void MainWindow::DR_Display()
{
    // The channel goes first: if it changed elsewhere, its handler reselects
    // the working rates, so the rate boxes below already show the new
    // channel.
    showSelection(ui->comboBox_DR_MIX1, cfg.DR_MIX);
    showSelection(ui->comboBox_DR_CH1, cfg.DR_CH);
    showSelection(ui->comboBox_DR_SW1, cfg.DR_SW);
    showValue(ui->spinBox_DR_UP1, cfg.DR_UP1);
    showValue(ui->spinBox_DR_DOWN1, cfg.DR_DOWN1);
}

void MainWindow::Atti_Display()
{
    QSpinBox *const boxes[6] = {ui->spinBox_Atti1, ui->spinBox_Atti2, ui->spinBox_Atti3,
                                ui->spinBox_Atti4, ui->spinBox_Atti5, ui->spinBox_Atti6};
    showSelection(ui->comboBox_AttiM, cfg.AttiM);
    for (int i = 0; i < 6; ++i)
        showValue(boxes[i], cfg.*kAttiFields[i]);
}

void MainWindow::Elev_Display()
{
    QSpinBox *const boxes[6] = {ui->spinBox_Elev01, ui->spinBox_Elev02, ui->spinBox_Elev03,
                                ui->spinBox_Elev04, ui->spinBox_Elev05, ui->spinBox_Elev06};
    showSelection(ui->comboBox_EleMix, cfg.EleMix);
    for (int i = 0; i < 6; ++i)
        showValue(boxes[i], cfg.*kElevFields[i]);
}

void MainWindow::Vtype_Display()
{
    QSpinBox *const boxes[4] = {ui->spinBox_Ru1, ui->spinBox_Ru2, ui->spinBox_Ru3, ui->spinBox_Ru4};
    showSelection(ui->comboBox_RuMix, cfg.RuMix);
    for (int i = 0; i < 4; ++i)
        showValue(boxes[i], cfg.*kRuFields[i]);
}

void MainWindow::Prm_Display()
{
    struct MixWidgets
    {
        QComboBox *mix, *master, *slave;
        QSpinBox *data1, *data2, *data3;
    };
    const MixWidgets mixes[4] = {
        {ui->comboBox_PRM01_Mix, ui->comboBox_PRM01_Master, ui->comboBox_PRM01_Slave, ui->spinBox_PRM01_Data1,
         ui->spinBox_PRM01_Data2, ui->spinBox_PRM01_Data3},
        {ui->comboBox_PRM02_Mix, ui->comboBox_PRM02_Master, ui->comboBox_PRM02_Slave, ui->spinBox_PRM02_Data1,
         ui->spinBox_PRM02_Data2, ui->spinBox_PRM02_Data3},
        {ui->comboBox_PRM03_Mix, ui->comboBox_PRM03_Master, ui->comboBox_PRM03_Slave, ui->spinBox_PRM03_Data1,
         ui->spinBox_PRM03_Data2, ui->spinBox_PRM03_Data3},
        {ui->comboBox_PRM04_Mix, ui->comboBox_PRM04_Master, ui->comboBox_PRM04_Slave, ui->spinBox_PRM04_Data1,
         ui->spinBox_PRM04_Data2, ui->spinBox_PRM04_Data3},
    };
    for (int m = 0; m < 4; ++m) {
        const MixWidgets &w = mixes[m];
        const PrmFields &f = kPrmFields[m];
        showSelection(w.mix, cfg.*f.mix);
        showSelection(w.master, cfg.*f.master);
        showSelection(w.slave, cfg.*f.slave);
        showValue(w.data1, cfg.*f.data1);
        showValue(w.data2, cfg.*f.data2);
        showValue(w.data3, cfg.*f.data3);
    }
}
