// "基础菜单": servo direction, sub-trim, end points, fail-safe, delay and
// auxiliary sources.  Every tick shows the model in the widgets; a widget
// whose value changed signals it, and its handler stores the same value back.
#include "configmodel.h"
#include "mainwindow.h"
#include "selector.h"
#include "showvalue.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QSpinBox>

namespace {

void showValues(QSpinBox *const (&boxes)[8], const ConfigModel &m, const CfgField (&fields)[8])
{
    for (int i = 0; i < 8; ++i)
        showValue(boxes[i], m.*fields[i]);
}

}  // namespace

void MainWindow::Rev_Display()
{
    QComboBox *const boxes[8] = {ui->comboBox_rev1, ui->comboBox_rev2, ui->comboBox_rev3, ui->comboBox_rev4,
                                 ui->comboBox_rev5, ui->comboBox_rev6, ui->comboBox_rev7, ui->comboBox_rev8};
    for (int i = 0; i < 8; ++i)
        showSelection(boxes[i], cfg.*kRevFields[i]);
}

void MainWindow::EPA_Display()
{
    QSpinBox *const left[8] = {ui->spinBox_Lepa1, ui->spinBox_Lepa2, ui->spinBox_Lepa3, ui->spinBox_Lepa4,
                               ui->spinBox_Lepa5, ui->spinBox_Lepa6, ui->spinBox_Lepa7, ui->spinBox_Lepa8};
    QSpinBox *const right[8] = {ui->spinBox_Repa1, ui->spinBox_Repa2, ui->spinBox_Repa3, ui->spinBox_Repa4,
                                ui->spinBox_Repa5, ui->spinBox_Repa6, ui->spinBox_Repa7, ui->spinBox_Repa8};
    showValues(left, cfg, kLepaFields);
    showValues(right, cfg, kRepaFields);
}

void MainWindow::SubTrim_Display()
{
    QSpinBox *const boxes[8] = {ui->spinBox_sub1, ui->spinBox_sub2, ui->spinBox_sub3, ui->spinBox_sub4,
                                ui->spinBox_sub5, ui->spinBox_sub6, ui->spinBox_sub7, ui->spinBox_sub8};
    showValues(boxes, cfg, kSubFields);
}

void MainWindow::FS_Display()
{
    QSpinBox *const boxes[8] = {ui->spinBox_FS1, ui->spinBox_FS2, ui->spinBox_FS3, ui->spinBox_FS4,
                                ui->spinBox_FS5, ui->spinBox_FS6, ui->spinBox_FS7, ui->spinBox_FS8};
    showValues(boxes, cfg, kFsFields);
}

void MainWindow::Delay_Display()
{
    QSpinBox *const boxes[8] = {ui->spinBox_delay1, ui->spinBox_delay2, ui->spinBox_delay3, ui->spinBox_delay4,
                                ui->spinBox_delay5, ui->spinBox_delay6, ui->spinBox_delay7, ui->spinBox_delay8};
    showValues(boxes, cfg, kDelayFields);
}

void MainWindow::Aux_Display()
{
    QComboBox *const boxes[8] = {ui->comboBox_AUX1, ui->comboBox_AUX2, ui->comboBox_AUX3, ui->comboBox_AUX4,
                                 ui->comboBox_AUX5, ui->comboBox_AUX6, ui->comboBox_AUX7, ui->comboBox_AUX8};
    // Channels 1..4 have no selectable source; their single item is always shown.
    for (int i = 0; i < 4; ++i)
        showSelection(boxes[i], 0);
    for (int i = 0; i < 4; ++i)
        showSelection(boxes[4 + i], cfg.*kAuxFields[i]);
}
