#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
#include "linecheck.h"
#include "monitorstate.h"
#include "monitortext.h"
#include "texts.h"

#include <QIcon>
#include <QMessageBox>
#include <QTimer>

void MainWindow::on_openButton_clicked()
{
    const LinkTexts texts = linkTexts();
    if (!linkOpen()) {
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
        openedFile = portFileLocation(ui->portNameBox->currentText());
        ++openCount;
        framer.reset();
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
    showDisconnected();
}

// The connection state after a close, by the user or by a lost line:
// every read-out back to rest, the list open for a new choice.
void MainWindow::showDisconnected()
{
    // Half a packet from this line means nothing to the next one.
    quietTimer->stop();
    framer.reset();
    const LinkTexts texts = linkTexts();
    restLiveValues(mon);
    Servo_Display();
    Recieve_Display();

    ui->portNameBox->setEnabled(true);
    ui->openButton->setText(texts.openText);
    ui->toolButton_led->setIcon(QIcon(QStringLiteral(":/myImage/images/red.png")));
    followSystemPorts();
}

// Errors of a line that went away (cable pulled, device removed) end the
// connection; a full output buffer reports errors too and is let be.
void MainWindow::serialPortError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !linkOpen())
        return;
    if (!serialLineGone(serialPort.handle(), openedFile, error))
        return;
    // The error comes from inside the port's own notifier, which closing
    // would delete under it: close once it has returned, if by then the
    // same connection is still open.
    QTimer::singleShot(0, this, [this, opened = openCount] {
        if (opened == openCount)
            deviceLost();
    });
}

void MainWindow::deviceLost()
{
    if (!linkOpen() || losingLine)
        return;
    losingLine = true;
    emit linkLost();
    // No "DIS": nobody is there to take it, and a dead line only rejects it.
    serialPort.clear();
    serialPort.close();
    serialPort.clearError();
    losingLine = false;
    showDisconnected();
    // A window the user is closing goes at once: the command it waited for
    // has just ended, and a box would keep the window open behind it.
    if (commands->closePending())
        return;
    const LinkTexts texts = linkTexts();
    QMessageBox::about(nullptr, texts.title, texts.lineLost);
}
