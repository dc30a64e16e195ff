// Change handlers of every editor: each stores the edited value into the
// model field of the same name.  The widget's range is the only limit on
// user input; values from the transmitter or a file go through the sanity
// pass instead.
#include "configmodel.h"
#include "mainwindow.h"
#include "sanity.h"

// Values from the transmitter or a file, after they reached the model.
void MainWindow::FalseSaveData()
{
    applySanity(cfg);
}

void MainWindow::on_spinBox_sub1_valueChanged(int arg1)
{
    cfg.sub1 = arg1;
}

void MainWindow::on_spinBox_sub2_valueChanged(int arg1)
{
    cfg.sub2 = arg1;
}

void MainWindow::on_spinBox_sub3_valueChanged(int arg1)
{
    cfg.sub3 = arg1;
}

void MainWindow::on_spinBox_sub4_valueChanged(int arg1)
{
    cfg.sub4 = arg1;
}

void MainWindow::on_spinBox_sub5_valueChanged(int arg1)
{
    cfg.sub5 = arg1;
}

void MainWindow::on_spinBox_sub6_valueChanged(int arg1)
{
    cfg.sub6 = arg1;
}

void MainWindow::on_spinBox_sub7_valueChanged(int arg1)
{
    cfg.sub7 = arg1;
}

void MainWindow::on_spinBox_sub8_valueChanged(int arg1)
{
    cfg.sub8 = arg1;
}

void MainWindow::on_spinBox_Lepa1_valueChanged(int arg1)
{
    cfg.Lepa1 = arg1;
}

void MainWindow::on_spinBox_Lepa2_valueChanged(int arg1)
{
    cfg.Lepa2 = arg1;
}

void MainWindow::on_spinBox_Lepa3_valueChanged(int arg1)
{
    cfg.Lepa3 = arg1;
}

void MainWindow::on_spinBox_Lepa4_valueChanged(int arg1)
{
    cfg.Lepa4 = arg1;
}

void MainWindow::on_spinBox_Lepa5_valueChanged(int arg1)
{
    cfg.Lepa5 = arg1;
}

void MainWindow::on_spinBox_Lepa6_valueChanged(int arg1)
{
    cfg.Lepa6 = arg1;
}

void MainWindow::on_spinBox_Lepa7_valueChanged(int arg1)
{
    cfg.Lepa7 = arg1;
}

void MainWindow::on_spinBox_Lepa8_valueChanged(int arg1)
{
    cfg.Lepa8 = arg1;
}

void MainWindow::on_spinBox_Repa1_valueChanged(int arg1)
{
    cfg.Repa1 = arg1;
}

void MainWindow::on_spinBox_Repa2_valueChanged(int arg1)
{
    cfg.Repa2 = arg1;
}

void MainWindow::on_spinBox_Repa3_valueChanged(int arg1)
{
    cfg.Repa3 = arg1;
}

void MainWindow::on_spinBox_Repa4_valueChanged(int arg1)
{
    cfg.Repa4 = arg1;
}

void MainWindow::on_spinBox_Repa5_valueChanged(int arg1)
{
    cfg.Repa5 = arg1;
}

void MainWindow::on_spinBox_Repa6_valueChanged(int arg1)
{
    cfg.Repa6 = arg1;
}

void MainWindow::on_spinBox_Repa7_valueChanged(int arg1)
{
    cfg.Repa7 = arg1;
}

void MainWindow::on_spinBox_Repa8_valueChanged(int arg1)
{
    cfg.Repa8 = arg1;
}

void MainWindow::on_spinBox_FS1_valueChanged(int arg1)
{
    cfg.FS1 = arg1;
}

void MainWindow::on_spinBox_FS2_valueChanged(int arg1)
{
    cfg.FS2 = arg1;
}

void MainWindow::on_spinBox_FS3_valueChanged(int arg1)
{
    cfg.FS3 = arg1;
}

void MainWindow::on_spinBox_FS4_valueChanged(int arg1)
{
    cfg.FS4 = arg1;
}

void MainWindow::on_spinBox_FS5_valueChanged(int arg1)
{
    cfg.FS5 = arg1;
}

void MainWindow::on_spinBox_FS6_valueChanged(int arg1)
{
    cfg.FS6 = arg1;
}

void MainWindow::on_spinBox_FS7_valueChanged(int arg1)
{
    cfg.FS7 = arg1;
}

void MainWindow::on_spinBox_FS8_valueChanged(int arg1)
{
    cfg.FS8 = arg1;
}

void MainWindow::on_spinBox_delay1_valueChanged(int arg1)
{
    cfg.delay1 = arg1;
}

void MainWindow::on_spinBox_delay2_valueChanged(int arg1)
{
    cfg.delay2 = arg1;
}

void MainWindow::on_spinBox_delay3_valueChanged(int arg1)
{
    cfg.delay3 = arg1;
}

void MainWindow::on_spinBox_delay4_valueChanged(int arg1)
{
    cfg.delay4 = arg1;
}

void MainWindow::on_spinBox_delay5_valueChanged(int arg1)
{
    cfg.delay5 = arg1;
}

void MainWindow::on_spinBox_delay6_valueChanged(int arg1)
{
    cfg.delay6 = arg1;
}

void MainWindow::on_spinBox_delay7_valueChanged(int arg1)
{
    cfg.delay7 = arg1;
}

void MainWindow::on_comboBox_rev1_currentIndexChanged(int index)
{
    cfg.rev1 = index;
}

void MainWindow::on_comboBox_rev2_currentIndexChanged(int index)
{
    cfg.rev2 = index;
}

void MainWindow::on_comboBox_rev3_currentIndexChanged(int index)
{
    cfg.rev3 = index;
}

void MainWindow::on_comboBox_rev4_currentIndexChanged(int index)
{
    cfg.rev4 = index;
}

void MainWindow::on_comboBox_rev5_currentIndexChanged(int index)
{
    cfg.rev5 = index;
}

void MainWindow::on_comboBox_rev6_currentIndexChanged(int index)
{
    cfg.rev6 = index;
}

void MainWindow::on_comboBox_rev7_currentIndexChanged(int index)
{
    cfg.rev7 = index;
}

void MainWindow::on_comboBox_rev8_currentIndexChanged(int index)
{
    cfg.rev8 = index;
}

void MainWindow::on_comboBox_AUX5_currentIndexChanged(int index)
{
    cfg.AUX5 = index;
}

void MainWindow::on_comboBox_AUX6_currentIndexChanged(int index)
{
    cfg.AUX6 = index;
}

void MainWindow::on_comboBox_AUX7_currentIndexChanged(int index)
{
    cfg.AUX7 = index;
}

void MainWindow::on_comboBox_AUX8_currentIndexChanged(int index)
{
    cfg.AUX8 = index;
}

void MainWindow::on_comboBox_DR_MIX1_currentIndexChanged(int index)
{
    cfg.DR_MIX = index;
}

void MainWindow::on_comboBox_DR_CH1_currentIndexChanged(int index)
{
    cfg.DR_CH = index;
    Dr_DataSelet();
}

void MainWindow::on_spinBox_DR_UP1_valueChanged(int arg1)
{
    cfg.DR_UP1 = arg1;
    if (cfg.DR_CH >= 0 && cfg.DR_CH <= 3)
        cfg.DR_UpRate[cfg.DR_CH] = arg1;
    Dr_DataSelet();
}

void MainWindow::on_spinBox_DR_DOWN1_valueChanged(int arg1)
{
    cfg.DR_DOWN1 = arg1;
    if (cfg.DR_CH >= 0 && cfg.DR_CH <= 3)
        cfg.DR_DownRate[cfg.DR_CH] = arg1;
    Dr_DataSelet();
}

void MainWindow::on_doubleSpinBox_Volt_valueChanged(double arg1)
{
    cfg.Volt = arg1;
}

void MainWindow::on_spinBox_Mode_valueChanged(int arg1)
{
    cfg.Mode = arg1;
}

void MainWindow::on_spinBox_Vertion_valueChanged(int arg1)
{
    cfg.Vertion = arg1;
}

void MainWindow::on_comboBox_AttiM_currentIndexChanged(int index)
{
    cfg.AttiM = index;
}

void MainWindow::on_spinBox_Atti1_valueChanged(int arg1)
{
    cfg.Atti1 = arg1;
}

void MainWindow::on_spinBox_Atti2_valueChanged(int arg1)
{
    cfg.Atti2 = arg1;
}

void MainWindow::on_spinBox_Atti3_valueChanged(int arg1)
{
    cfg.Atti3 = arg1;
}

void MainWindow::on_spinBox_Atti4_valueChanged(int arg1)
{
    cfg.Atti4 = arg1;
}

void MainWindow::on_spinBox_Atti5_valueChanged(int arg1)
{
    cfg.Atti5 = arg1;
}

void MainWindow::on_spinBox_Atti6_valueChanged(int arg1)
{
    cfg.Atti6 = arg1;
}

void MainWindow::on_comboBox_EleMix_currentIndexChanged(int index)
{
    cfg.EleMix = index;
}

void MainWindow::on_spinBox_Elev01_valueChanged(int arg1)
{
    cfg.Elev01 = arg1;
}

void MainWindow::on_spinBox_Elev02_valueChanged(int arg1)
{
    cfg.Elev02 = arg1;
}

void MainWindow::on_spinBox_Elev03_valueChanged(int arg1)
{
    cfg.Elev03 = arg1;
}

void MainWindow::on_spinBox_Elev04_valueChanged(int arg1)
{
    cfg.Elev04 = arg1;
}

void MainWindow::on_spinBox_Elev05_valueChanged(int arg1)
{
    cfg.Elev05 = arg1;
}

void MainWindow::on_spinBox_Elev06_valueChanged(int arg1)
{
    cfg.Elev06 = arg1;
}

void MainWindow::on_comboBox_RuMix_currentIndexChanged(int index)
{
    cfg.RuMix = index;
}

void MainWindow::on_spinBox_Ru1_valueChanged(int arg1)
{
    cfg.Ru1 = arg1;
}

void MainWindow::on_spinBox_Ru2_valueChanged(int arg1)
{
    cfg.Ru2 = arg1;
}

void MainWindow::on_spinBox_Ru3_valueChanged(int arg1)
{
    cfg.Ru3 = arg1;
}

void MainWindow::on_spinBox_Ru4_valueChanged(int arg1)
{
    cfg.Ru4 = arg1;
}

void MainWindow::on_comboBox_PRM01_Mix_currentIndexChanged(int index)
{
    cfg.PRM01_Mix = index;
}

void MainWindow::on_comboBox_PRM01_Master_currentIndexChanged(int index)
{
    cfg.PRM01_Master = index;
}

void MainWindow::on_comboBox_PRM01_Slave_currentIndexChanged(int index)
{
    cfg.PRM01_Slave = index;
}

void MainWindow::on_spinBox_PRM01_Data1_valueChanged(int arg1)
{
    cfg.PRM01_Data1 = arg1;
}

void MainWindow::on_spinBox_PRM01_Data2_valueChanged(int arg1)
{
    cfg.PRM01_Data2 = arg1;
}

void MainWindow::on_spinBox_PRM01_Data3_valueChanged(int arg1)
{
    cfg.PRM01_Data3 = arg1;
}

void MainWindow::on_comboBox_PRM02_Mix_currentIndexChanged(int index)
{
    cfg.PRM02_Mix = index;
}

void MainWindow::on_comboBox_PRM02_Master_currentIndexChanged(int index)
{
    cfg.PRM02_Master = index;
}

void MainWindow::on_comboBox_PRM02_Slave_currentIndexChanged(int index)
{
    cfg.PRM02_Slave = index;
}

void MainWindow::on_spinBox_PRM02_Data1_valueChanged(int arg1)
{
    cfg.PRM02_Data1 = arg1;
}

void MainWindow::on_spinBox_PRM02_Data2_valueChanged(int arg1)
{
    cfg.PRM02_Data2 = arg1;
}

void MainWindow::on_spinBox_PRM02_Data3_valueChanged(int arg1)
{
    cfg.PRM02_Data3 = arg1;
}

void MainWindow::on_comboBox_PRM03_Mix_currentIndexChanged(int index)
{
    cfg.PRM03_Mix = index;
}

void MainWindow::on_comboBox_PRM03_Master_currentIndexChanged(int index)
{
    cfg.PRM03_Master = index;
}

void MainWindow::on_comboBox_PRM03_Slave_currentIndexChanged(int index)
{
    cfg.PRM03_Slave = index;
}

void MainWindow::on_spinBox_PRM03_Data1_valueChanged(int arg1)
{
    cfg.PRM03_Data1 = arg1;
}

void MainWindow::on_spinBox_PRM03_Data2_valueChanged(int arg1)
{
    cfg.PRM03_Data2 = arg1;
}

void MainWindow::on_spinBox_PRM03_Data3_valueChanged(int arg1)
{
    cfg.PRM03_Data3 = arg1;
}

void MainWindow::on_comboBox_DR_MIX2_currentIndexChanged(int index)
{
    cfg.DR_MIX = index;
}

void MainWindow::on_comboBox_DR_CH2_currentIndexChanged(int index)
{
    cfg.DR_CH = index;
    Dr_DataSelet();
}

void MainWindow::on_comboBox_DR_SW2_currentIndexChanged(int index)
{
    cfg.DR_SW = index;
}

void MainWindow::on_comboBox_DR_POSI_currentIndexChanged(int index)
{
    cfg.DR_POSI = index;
    Dr_DataSelet();
}

void MainWindow::on_spinBox_DR_RATE_valueChanged(int arg1)
{
    cfg.DR_RATE = arg1;
    if (cfg.DR_CH >= 0 && cfg.DR_CH <= 3)
        (cfg.DR_POSI == 0 ? cfg.DR_UpRate : cfg.DR_DownRate)[cfg.DR_CH] = arg1;
    Dr_DataSelet();
}

void MainWindow::on_spinBox_DR_EXP_valueChanged(int arg1)
{
    cfg.DR_EXP = arg1;
    if (cfg.DR_CH >= 0 && cfg.DR_CH <= 3)
        (cfg.DR_POSI == 0 ? cfg.DR_UpExp : cfg.DR_DownExp)[cfg.DR_CH] = arg1;
    Dr_DataSelet();
}

void MainWindow::on_comboBox_PRM04_Mix_currentIndexChanged(int index)
{
    cfg.PRM04_Mix = index;
}

void MainWindow::on_comboBox_PRM04_Master_currentIndexChanged(int index)
{
    cfg.PRM04_Master = index;
}

void MainWindow::on_comboBox_PRM04_Slave_currentIndexChanged(int index)
{
    cfg.PRM04_Slave = index;
}

void MainWindow::on_spinBox_PRM04_Data1_valueChanged(int arg1)
{
    cfg.PRM04_Data1 = arg1;
}

void MainWindow::on_spinBox_PRM04_Data2_valueChanged(int arg1)
{
    cfg.PRM04_Data2 = arg1;
}

void MainWindow::on_spinBox_PRM04_Data3_valueChanged(int arg1)
{
    cfg.PRM04_Data3 = arg1;
}

void MainWindow::on_comboBox_THCURE_MIX_currentIndexChanged(int index)
{
    cfg.THCURE_MIX = index;
}

void MainWindow::on_spinBox_THCURE_Data01_valueChanged(int arg1)
{
    cfg.THCURE_Data01 = arg1;
}

void MainWindow::on_spinBox_THCURE_Data02_valueChanged(int arg1)
{
    cfg.THCURE_Data02 = arg1;
}

void MainWindow::on_spinBox_THCURE_Data03_valueChanged(int arg1)
{
    cfg.THCURE_Data03 = arg1;
}

void MainWindow::on_spinBox_THCURE_Data04_valueChanged(int arg1)
{
    cfg.THCURE_Data04 = arg1;
}

void MainWindow::on_spinBox_THCURE_Data05_valueChanged(int arg1)
{
    cfg.THCURE_Data05 = arg1;
}

void MainWindow::on_spinBox_THCURE_Data06_valueChanged(int arg1)
{
    cfg.THCURE_Data06 = arg1;
}

void MainWindow::on_spinBox_THCURE_Data07_valueChanged(int arg1)
{
    cfg.THCURE_Data07 = arg1;
}

void MainWindow::on_spinBox_delay8_valueChanged(int arg1)
{
    cfg.delay8 = arg1;
}

void MainWindow::on_doubleSpinBox_extVolt_valueChanged(double arg1)
{
    cfg.extVolt = arg1;
}

void MainWindow::on_spinBox_Rssi_valueChanged(int arg1)
{
    cfg.Rssi = arg1;
}

void MainWindow::on_doubleSpinBox_rxVolt_valueChanged(double arg1)
{
    cfg.rxVolt = arg1;
}

void MainWindow::on_spinBox_step1_valueChanged(int arg1)
{
    cfg.StkStep[trimRowChannel(cfg.Mode, 1)] = arg1;
}

void MainWindow::on_spinBox_step2_valueChanged(int arg1)
{
    cfg.StkStep[trimRowChannel(cfg.Mode, 2)] = arg1;
}

void MainWindow::on_spinBox_step3_valueChanged(int arg1)
{
    cfg.StkStep[trimRowChannel(cfg.Mode, 3)] = arg1;
}

void MainWindow::on_spinBox_step4_valueChanged(int arg1)
{
    cfg.StkStep[trimRowChannel(cfg.Mode, 4)] = arg1;
}

void MainWindow::Dr_DataSelet()
{
    selectDualRate(cfg);
}
