#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
#include "linecheck.h"
#include "monitorstate.h"
#include "monitortext.h"
#include "portlist.h"
#include "portoffer.h"
#include "portwrite.h"
#include "statusline.h"
#include "texts.h"

#include <QFileInfo>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#include <QIcon>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QTimer>

namespace {

QString whyNotOpen(const QSerialPort &port)
{
    OpenAttempt a;
    a.port = port.portName();
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError: a.error = OpenAttempt::NotFound; break;
    case QSerialPort::PermissionError: a.error = OpenAttempt::Permission; break;
    default: a.error = OpenAttempt::Other; break;
    }
    const QString file = portFileLocation(port.portName());
    const QFileInfo info(file);
    a.exists = info.exists();
    a.accessible = info.isReadable() && info.isWritable();
#ifdef Q_OS_UNIX
    struct stat st;
    a.characterDevice = ::stat(QFile::encodeName(file).constData(), &st) == 0 && S_ISCHR(st.st_mode);
#else
    a.characterDevice = a.exists;
#endif
    a.systemText = port.errorString();
    return openFailureReason(a);
}

} // namespace

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
            // The designed line first, then why in the system's terms.
            QMessageBox::about(nullptr, texts.title, texts.openFailed + QLatin1Char('\n') + whyNotOpen(serialPort));
            return;
        }
        openedFile = portFileLocation(ui->portNameBox->currentText());
        ++openCount;
        // Another transmitter may be at the end of the line now.
        heldKnown = false;
        sentUnchecked = false;
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
    QMessageBox::about(nullptr, texts.title, texts.lineLost + status->lossDetail());
}

namespace {

QStringList systemPortNames()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names << info.portName();
    return names;
}

} // namespace

// Once a second.  While a port is open: a port that went away without
// reporting an error (its device file removed) is noticed within that
// second.  Otherwise the list follows ports being plugged and unplugged.
// Polling the system's port list every second would cost ~2 % of a core
// (20 ms a look); a udev monitor costs nothing while idle but needs
// libudev and a running udev daemon (often missing in containers and
// minimal systems).  Watching /dev through Qt (inotify) costs nothing
// while idle either, needs neither, and devtmpfs creates the device file
// even without udev.
void MainWindow::watchPort()
{
    if (linkOpen()) {
        if (serialLineGone(serialPort.handle(), openedFile, QSerialPort::NoError))
            deviceLost();
        return;
    }
    if (portLooksDue == 0)
        return;
    if (portLooksDue > 0)
        --portLooksDue;
    followSystemPorts();
}

void MainWindow::followSystemPorts()
{
    QStringList shown;
    for (int i = 0; i < ui->portNameBox->count(); ++i)
        shown << ui->portNameBox->itemText(i);
    const QStringList now = systemPortNames();
    const PortListUpdate u = followPorts(shown, ui->portNameBox->currentIndex(), systemPorts, now, handAddedPorts);
    systemPorts = now;
    if (!u.changed)
        return;
    ui->portNameBox->clear();
    ui->portNameBox->addItems(u.items);
    ui->portNameBox->setCurrentIndex(u.current);
}

void MainWindow::offerPort(const QString &path)
{
    if (!handAddedPorts.contains(path))
        handAddedPorts << path;
    followSystemPorts();
    ui->portNameBox->setCurrentIndex(ui->portNameBox->findText(path));
}

void MainWindow::choosePort(const QString &nameOrPath)
{
    if (nameOrPath.isEmpty())
        return;
    const int index = ui->portNameBox->findText(portNameOf(nameOrPath));
    if (index >= 0)
        ui->portNameBox->setCurrentIndex(index);
    else
        offerPort(nameOrPath);
}

// The port itself answers whether the link is open: the open button's text
// is only its picture, in one of two languages, and a lost line closes the
// port before the button can follow.
bool MainWindow::linkOpen() const
{
    return serialPort.isOpen();
}

// Nothing is written while no port is open: after a loss, a command still
// in its waits stops writing at once.
void MainWindow::writeCommand(const QByteArray &bytes)
{
    if (linkOpen())
        writeToPort(serialPort, bytes.constData(), bytes.size());
}
