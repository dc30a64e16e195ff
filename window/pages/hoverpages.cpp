// The combo boxes' hover highlight on every page, once a tick: it counts
// the ticks the pointer rests on a box, so unlike the values it runs
// whether or not anything changed.
#include "hover.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QComboBox>

void MainWindow::showHoverHighlights()
{
    QComboBox *const rev[8] = {ui->comboBox_rev1, ui->comboBox_rev2, ui->comboBox_rev3, ui->comboBox_rev4,
                               ui->comboBox_rev5, ui->comboBox_rev6, ui->comboBox_rev7, ui->comboBox_rev8};
    QComboBox *const aux[8] = {ui->comboBox_AUX1, ui->comboBox_AUX2, ui->comboBox_AUX3, ui->comboBox_AUX4,
                               ui->comboBox_AUX5, ui->comboBox_AUX6, ui->comboBox_AUX7, ui->comboBox_AUX8};
    QComboBox *const prm[12] = {ui->comboBox_PRM01_Mix, ui->comboBox_PRM01_Master, ui->comboBox_PRM01_Slave,
                                ui->comboBox_PRM02_Mix, ui->comboBox_PRM02_Master, ui->comboBox_PRM02_Slave,
                                ui->comboBox_PRM03_Mix, ui->comboBox_PRM03_Master, ui->comboBox_PRM03_Slave,
                                ui->comboBox_PRM04_Mix, ui->comboBox_PRM04_Master, ui->comboBox_PRM04_Slave};
    HoverCounters &h = hoverCounters;
    for (int i = 0; i < 8; ++i)
        hoverHighlight(rev[i], h.rev[i]);
    for (int i = 0; i < 8; ++i)
        hoverHighlight(aux[i], h.aux[i]);
    hoverHighlight(ui->comboBox_DR_MIX1, h.drMix1);
    hoverHighlight(ui->comboBox_DR_CH1, h.drCh1);
    hoverHighlight(ui->comboBox_DR_SW1, h.drSw1);
    hoverHighlight(ui->comboBox_AttiM, h.attiM);
    hoverHighlight(ui->comboBox_EleMix, h.eleMix);
    hoverHighlight(ui->comboBox_RuMix, h.ruMix);
    for (int i = 0; i < 12; ++i)
        hoverHighlight(prm[i], h.prm[i]);
    hoverHighlight(ui->comboBox_DR_MIX2, h.drMix2);
    hoverHighlight(ui->comboBox_DR_CH2, h.drCh2);
    hoverHighlight(ui->comboBox_DR_SW2, h.drSw2);
    hoverHighlight(ui->comboBox_DR_POSI, h.drPosi);
    hoverHighlight(ui->comboBox_THCURE_MIX, h.thcureMix);
}
