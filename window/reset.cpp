#include "commandguard.h"
#include "configmodel.h"
#include "factory.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "statusline.h"
#include "texts.h"
#include "transmitterlink.h"
#include "ui_mainwindow.h"

#include <QAbstractButton>
#include <QMessageBox>

void MainWindow::RestData()
{
    factoryDefaults(cfg);
}

// The factory trims and steps once more, for the I frame.
void MainWindow::RestData2()
{
    factoryTrimsAndSteps(cfg);
}

namespace {

// Yes / No with No the default, so a stray Enter or Escape leaves the
// transmitter alone.
bool factoryResetWanted(QWidget *parent)
{
    const GuardTexts texts = guardTexts();
    QMessageBox box(QMessageBox::Question, linkTexts().title, texts.resetQuestion, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(texts.yes);
    box.button(QMessageBox::No)->setText(texts.no);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace

void MainWindow::on_toolButton_Reset_clicked()
{
    resetToFactory(true);
}

// The system page's reset does not hold back the trims the transmitter
// reports while the frames go out.
void MainWindow::on_pushButton_Reset2_clicked()
{
    resetToFactory(false);
}

void MainWindow::resetToFactory(bool holdTrims)
{
    const CommandScope command(*commands);
    status->command(StatusCommand::Reset);
    // Held from before the button pause on.
    const TrimHoldScope hold(link->trimHold(), command && holdTrims);
    if (!beginCommand(command)) {
        // The transmitter went away, or no port is open: nothing to reset.
    } else if (!factoryResetWanted(this)) {
        // No: nothing sent, nothing changed.
    } else {
        keepBefore(HistoryEvent::BeforeReset, HistoryEvent::Reset);
        link->sendFactorySettings();
        readBack();
    }
}
