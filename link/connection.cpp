#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "monitorstate.h"
#include "texts.h"

#include <QIcon>
#include <QMessageBox>

// The button's text is the connection state: the open text means no port
// is open, anything else means one is.
void MainWindow::on_openButton_clicked()
{
    const LinkTexts texts = linkTexts();
    if (ui->openButton->text() == texts.openText) {
        serialPort.setPortName(ui->portNameBox->currentText());
        serialPort.setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
        serialPort.setDataBits(QSerialPort::Data8);
        serialPort.setParity(QSerialPort::NoParity);
        serialPort.setStopBits(QSerialPort::OneStop);
        serialPort.setFlowControl(QSerialPort::NoFlowControl);
        if (!serialPort.open(QIODevice::ReadWrite)) {
            QMessageBox::about(nullptr, texts.title, texts.openFailed);
            return;
        }
        ui->portNameBox->setEnabled(false);
        ui->openButton->setText(texts.closeText);
        ui->toolButton_led->setIcon(QIcon(QStringLiteral(":/myImage/images/green.png")));
        writeCommand("OK");
        return;
    }

    writeCommand("DIS");
    // Hand the goodbye to the line before closing; closing drops whatever
    // is still buffered.
    serialPort.flush();
    serialPort.close();

    for (MonField servo : kServoFields)
        mon.*servo = 1000;
    Servo_Display();

    ui->portNameBox->setEnabled(true);
    ui->openButton->setText(texts.openText);
    ui->toolButton_led->setIcon(QIcon(QStringLiteral(":/myImage/images/red.png")));
    refillPortList();
}
