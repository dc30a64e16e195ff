#include "mainwindow.h"
#include "look.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
#include "editorranges.h"
#include "graphwindow.h"
#include "marks.h"
#include "pagesteps.h"
#include "portoffer.h"
#include "rangesession.h"
#include "readback.h"
#include "shortcuts.h"
#include "slips.h"
#include "statusline.h"
#include "texts.h"
#include "transmitterlink.h"

#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFileSystemWatcher>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstring>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), loadPath(), refreshTimer(nullptr), commands(nullptr),
      portWatch(nullptr)
{
    // setupUi binds the on_<object>_<signal> slots last, so the form's
    // initial values never reach the model.
    ui->setupUi(this);
    ui->widget_3->setModel(&cfg);
    ui->widget_4->setModel(&cfg);
    // Before the look gives the first focus, which moving the form would drop.
    formInScrollArea(this);
    adaptLookToPlatform(this);
    // Every box stops where its setting's declared range does, so no value
    // typed there is cut short on the way out.
    rangeEditorsAsDeclared(this);
    known = cfg;
    title = windowTitle();
    link = new TransmitterLink(cfg, mon, this);
    connect(&link->port(), &QSerialPort::readyRead, this, &MainWindow::serialPort_readyRead);
    connect(link, &TransmitterLink::chunkTaken, this, &MainWindow::chunkTaken);
    // Emitted before the port closes: the running command ends at once.
    connect(link, &TransmitterLink::lineLost, this, &MainWindow::linkLost);
    connect(link, &TransmitterLink::closed, this, &MainWindow::lineClosed);
    showPortNamesInFull(ui->portNameBox);
    letPortPathBeTyped(ui->portNameBox, [this](const QString &path) { choosePort(path); });
    followSystemPorts();
    ui->tabWidget->setCurrentIndex(0);
    refreshTimer = new QTimer(this);
    refreshTimer->start(100);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::ui_Display);
    commands = new CommandGuard(this,
                                {ui->toolButton_Read, ui->toolButton_Send, ui->toolButton_Save, ui->toolButton_Load,
                                 ui->toolButton_Reset, ui->pushButton_Reset2, ui->openButton},
                                link->waits());
    // A lost transmitter ends the running command (and lets a waiting
    // close go ahead) at once.
    connect(this, &MainWindow::linkLost, commands, &CommandGuard::abandon);
    status = new StatusLine(this, link->port(), link->progress(), commands);
    connect(this, &MainWindow::linkLost, status, &StatusLine::lost);
    connect(link, &TransmitterLink::heard, status, &StatusLine::lineHeard);
    connect(link, &TransmitterLink::packetArrived, status, &StatusLine::packet);
    connect(link, &TransmitterLink::frameGoing, status, &StatusLine::frame);
    connect(link, &TransmitterLink::closingWordSent, status, &StatusLine::closingSent);
    portWatch = new QTimer(this);
    portWatch->start(1000);
    connect(portWatch, &QTimer::timeout, this, &MainWindow::watchPort);
    // A plugged or pulled adapter adds or removes its device file in /dev.
    // Looking at the system's ports takes 10-30 ms (bench_link), so it is
    // done only after such a change: twice, as the port may be listed only
    // once udev has finished with it.  Where /dev cannot be watched the
    // ports are looked at every second.
    auto *devices = new QFileSystemWatcher(this);
    portLooksDue = devices->addPath(QStringLiteral("/dev")) ? 0 : -1;
    connect(devices, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (portLooksDue >= 0)
            portLooksDue = 2;
    });
    giveCommandShortcuts(this, ui);
    givePageKeys(this, ui->tabWidget);
    keepWheelOffUnfocusedEditors(this);
    differences = new DifferenceMarks(this, cfg, known, heldKnown, ui->tabWidget);
    differences->showPagesWith([this] { ui_Display(); });
    range = new RangeSession(this, *link, ui->tab);
    range->makeGraphWith([this](RangeSession &session) { return new GraphWindow(session, this); });
    setUpKeeping();
}

void MainWindow::setVerifyWrites(bool on)
{
    verifyWrites = on;
    status->verifies(on);
}

MainWindow::~MainWindow()
{
    // The link takes bytes into the models below: it goes before them.
    delete link;
    delete ui;
}

// Closing over unwritten changes asks first, Cancel the default; a close
// the user asked for before the line was lost goes at once.
void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!commands->allowClose()) {
        event->ignore();
        return;
    }
    if (!commands->closingAfterLoss() && unwrittenSettings(cfg, known) && sentUnchecked
        && !unwrittenSettings(cfg, lastSent)) {
        // The pages went out whole but the check did not run (a close
        // during the write skips it): sending them again would change
        // nothing, so only whether to close is asked.
        const VerifyTexts texts = verifyTexts();
        QMessageBox box(QMessageBox::Question, linkTexts().title, texts.closeUnverified, QMessageBox::Cancel);
        QPushButton *close = box.addButton(texts.closeButton, QMessageBox::DestructiveRole);
        box.setDefaultButton(QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(texts.cancelButton);
        box.exec();
        if (box.clickedButton() != close) {
            event->ignore();
            return;
        }
    } else if (!commands->closingAfterLoss() && unwrittenSettings(cfg, known)) {
        const VerifyTexts texts = verifyTexts();
        const DifferenceTexts answers = differenceTexts();
        // No parent: Qt 6 does not show a box over a window that is closing.
        QMessageBox box(QMessageBox::Question, linkTexts().title, texts.closeQuestion, QMessageBox::Cancel);
        QPushButton *write = box.addButton(answers.writeAndClose, QMessageBox::AcceptRole);
        QPushButton *discard = box.addButton(answers.closeWithout, QMessageBox::DestructiveRole);
        box.setDefaultButton(QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(texts.cancelButton);
        box.exec();
        if (box.clickedButton() == write) {
            // The write runs its own event loops; the close comes after it,
            // and only when the transmitter then holds the pages.
            QTimer::singleShot(0, this, [this] {
                ui->toolButton_Send->click();
                if (!unwrittenSettings(model(), known))
                    close();
            });
        }
        if (box.clickedButton() != discard) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::showUnwrittenMark()
{
    const QString shown = unwrittenSettings(cfg, known) ? title + QLatin1String(" *") : title;
    if (windowTitle() != shown)
        setWindowTitle(shown);
}

void MainWindow::ui_Display()
{
    // Each part only when what it shows changed since it was last shown:
    // live values move with the packets, the settings when edited, read,
    // loaded or taken back.  The state is taken before the steps, so a
    // change their echoes make is shown at the next tick.
    if (!liveShown.same(mon)) {
        liveShown.take(mon);
        Servo_Display();
        Recieve_Display();
    }
    SettingsShown now;
    std::memset(static_cast<void *>(&now), 0, sizeof now);
    now.pages = cfg;
    now.held = known;
    now.heldKnown = heldKnown;
    if (!settingsShown.same(now)) {
        settingsShown.take(now);
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
        showUnwrittenMark();
        if (differences)
            differences->refresh();
        // An edit, a take-back or a command's end becomes an undo step.
        if (steps)
            steps->notice();
    }
    showHoverHighlights();
}
