#include "delayms.h"
#include "mainwindow.h"
#include "texts.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

void MainWindow::on_toolButton_Send_clicked()
{
    const LinkTexts texts = linkTexts();
    // A second click within the pause lands on a disabled button.
    ui->toolButton_Send->setEnabled(false);
    DelayMs(200);
    ui->toolButton_Send->setEnabled(true);
    if (ui->openButton->text() == texts.openText) {
        QMessageBox::about(nullptr, texts.title, texts.noPort);
        return;
    }
    sendAllFrames();
}

// "WWW" tells the transmitter the settings are complete.
void MainWindow::sendAllFrames()
{
    SendData1();
    SendData2();
    SendData3();
    SendData4();
    writeCommand("WWW");
}
