#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"

#include <QCloseEvent>
#include <QSerialPortInfo>
#include <QTimer>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), serialPort(), loadPath(), refreshTimer(nullptr),
      commands(nullptr)
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
    readClock.start();
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

void MainWindow::writeCommand(const char *bytes)
{
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
