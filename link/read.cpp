#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
#include "delayms.h"
#include "texts.h"

#include <QMessageBox>

// Asks the transmitter for all its settings; the answers are decoded
// whenever they arrive, also during the waits below.  The read lasts until
// every settings group has answered or the answers have stopped, so no
// other command can interleave with the answers still coming in.
void MainWindow::on_toolButton_Read_clicked()
{
    const CommandScope command(*commands);
    if (!command || !commands->pause(200))
        return;

    const LinkTexts texts = linkTexts();
    if (ui->openButton->text() == texts.openText) {
        QMessageBox::about(nullptr, texts.title, texts.noPort);
        return;
    }
    readProgress.start(readClock.elapsed());
    writeCommand("RR");
    DelayMs(500);
    while (!readProgress.finished(readClock.elapsed()) && !delaysSkipped())
        DelayMs(20);
    readProgress.stop();

    // A lost transmitter has told the user already, and a window about to
    // close has no pages left to doubt.
    if (!readProgress.complete() && !commands->cutShort() && !commands->closePending())
        QMessageBox::about(nullptr, texts.title, texts.readIncomplete);
}
