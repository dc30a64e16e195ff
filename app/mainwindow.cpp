#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
#include "linecheck.h"

#include <QCloseEvent>
#include <QSerialPortInfo>
#include <QTimer>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), serialPort(), loadPath(), refreshTimer(nullptr),
      commands(nullptr), portWatch(nullptr)
{
    // setupUi binds the on_<object>_<signal> slots last, so the form's
    // initial values never reach the model.
    ui->setupUi(this);
    connect(&serialPort, &QSerialPort::readyRead, this, &MainWindow::serialPort_readyRead);
    connect(&serialPort, &QSerialPort::errorOccurred, this, &MainWindow::serialPortError);
    refillPortList();
    ui->tabWidget->setCurrentIndex(0);
    refreshTimer = new QTimer(this);
    refreshTimer->start(100);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::ui_Display);
    commands = new CommandGuard(this, {ui->toolButton_Read, ui->toolButton_Send, ui->toolButton_Save,
                                       ui->toolButton_Load, ui->toolButton_Reset, ui->pushButton_Reset2,
                                       ui->openButton});
    // A lost transmitter ends the running command (and lets a waiting
    // close go ahead) at once.
    connect(this, &MainWindow::linkLost, commands, &CommandGuard::abandon);
    readClock.start();
    portWatch = new QTimer(this);
    portWatch->start(1000);
    connect(portWatch, &QTimer::timeout, this, &MainWindow::watchPort);
}

// Once a second: a port that went away without the port reporting an
// error (its device file removed) is noticed within that second.
void MainWindow::watchPort()
{
    if (serialPort.isOpen() && serialLineGone(serialPort.handle(), openedFile, QSerialPort::NoError))
        deviceLost();
}

MainWindow::~MainWindow()
{
    delete ui;
}

// Port names in the order the system lists them, name only.
void MainWindow::refillPortList()
{
    ui->portNameBox->clear();
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        ui->portNameBox->addItem(info.portName());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (commands->allowClose())
        QMainWindow::closeEvent(event);
    else
        event->ignore();
}

// Nothing is written while no port is open: after a loss, a command still
// in its waits stops writing at once.
void MainWindow::writeCommand(const char *bytes)
{
    if (serialPort.isOpen())
        serialPort.write(bytes);
}

void MainWindow::ui_Display()
{
    Servo_Display();
    Recieve_Display();
    Rev_Display();
    EPA_Display();
    SubTrim_Display();
    FS_Display();
    Delay_Display();
    Aux_Display();
    DR_Display();
    Parameter_Display();
    Atti_Display();
    Elev_Display();
    Vtype_Display();
    Prm_Display();
    DRCure_Display();
    THcure_Display();
    StkTrim_Display();
}
