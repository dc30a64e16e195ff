#include "commandguard.h"
#include "mainwindow.h"
#include "texts.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

void MainWindow::on_toolButton_Send_clicked()
{
    // Edits stay allowed meanwhile: each frame takes the model as it is
    // when that frame is built.
    const CommandScope command(*commands);
    if (!command || !commands->pause(200))
        return;
    const LinkTexts texts = linkTexts();
    if (!linkOpen()) {
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
