#include "configmodel.h"
#include "delayms.h"
#include "factory.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "texts.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

void MainWindow::RestData()
{
    factoryDefaultsFirst(cfg);
}

void MainWindow::RestData2()
{
    factoryDefaultsSecond(cfg);
}

void MainWindow::on_toolButton_Reset_clicked()
{
    resetToFactory(true, ui->toolButton_Reset);
}

// The system page's reset does not hold back the trims the transmitter
// reports while the frames go out.
void MainWindow::on_pushButton_Reset2_clicked()
{
    resetToFactory(false, ui->pushButton_Reset2);
}

void MainWindow::resetToFactory(bool holdTrims, QWidget *button)
{
    if (holdTrims)
        trimHold = 1;
    const LinkTexts texts = linkTexts();
    button->setEnabled(false);
    DelayMs(200);
    button->setEnabled(true);
    if (ui->openButton->text() == texts.openText) {
        QMessageBox::about(nullptr, texts.title, texts.noPort);
    } else {
        RestData();
        RestData2();
        SendData1();
        SendData2();
        SendData3();
        // Trims may have arrived during the three waits (the system page's
        // reset does not hold them): the I frame must carry the factory ones.
        factoryTrimsAndSteps(cfg);
        SendData4();
        writeCommand("WWW");
    }
    if (holdTrims)
        trimHold = 0;
}
