#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
#include "monitorstate.h"
#include "monitortext.h"
#include "portlist.h"
#include "portoffer.h"
#include "statusline.h"
#include "texts.h"
#include "transmitterlink.h"

#include <QIcon>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QTimer>

void MainWindow::on_openButton_clicked()
{
    const LinkTexts texts = linkTexts();
    if (!linkOpen()) {
        QString why;
        if (!link->open(ui->portNameBox->currentText(), &why)) {
            status->notOpened(ui->portNameBox->currentText());
            // The designed line first, then why in the system's terms.
            QMessageBox::about(nullptr, texts.title, texts.openFailed + QLatin1Char('\n') + why);
            return;
        }
        // Another transmitter may be at the end of the line now.
        heldKnown = false;
        sentUnchecked = false;
        ui->portNameBox->setEnabled(false);
        ui->openButton->setText(texts.closeText);
        ui->toolButton_led->setIcon(QIcon(QStringLiteral(":/myImage/images/green.png")));
        status->opened();
        return;
    }
    link->close();
}

void MainWindow::lineClosed(bool lost)
{
    showDisconnected();
    // A window the user is closing goes at once: the command it waited for
    // has just ended, and a box would keep the window open behind it.
    if (!lost || commands->closePending())
        return;
    const LinkTexts texts = linkTexts();
    QMessageBox::about(nullptr, texts.title, texts.lineLost + status->lossDetail());
}

// The connection state after a close, by the user or by a lost line:
// every read-out back to rest, the list open for a new choice.
void MainWindow::showDisconnected()
{
    const LinkTexts texts = linkTexts();
    restLiveValues(mon);
    Servo_Display();
    Recieve_Display();

    ui->portNameBox->setEnabled(true);
    ui->openButton->setText(texts.openText);
    ui->toolButton_led->setIcon(QIcon(QStringLiteral(":/myImage/images/red.png")));
    followSystemPorts();
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

}  // namespace

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
        link->checkLine();
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

bool MainWindow::linkOpen() const
{
    return link->isOpen();
}
