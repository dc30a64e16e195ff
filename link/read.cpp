#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "delayms.h"
#include "texts.h"

#include <QMessageBox>

// Asks the transmitter for all its settings; the answers are decoded
// whenever they arrive, also during the wait below.
void MainWindow::on_toolButton_Read_clicked()
{
    ui->toolButton_Read->setEnabled(false);
    DelayMs(200);
    ui->toolButton_Read->setEnabled(true);

    const LinkTexts texts = linkTexts();
    if (ui->openButton->text() == texts.openText) {
        QMessageBox::about(nullptr, texts.title, texts.noPort);
        return;
    }
    writeCommand("RR");
    DelayMs(500);
}
