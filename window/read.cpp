#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
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
    if (!linkOpen()) {
        QMessageBox::about(nullptr, texts.title, texts.noPort);
        return;
    }
    // A lost transmitter has told the user already, and a window about to
    // close has no pages left to doubt.
    if (requestSettings())
        known = cfg;
    else if (!commands->cutShort() && !commands->closePending())
        QMessageBox::about(nullptr, texts.title, texts.readIncomplete);
}

// "RR", then the answers until every group has come (the decoder's note of
// the last one ends the wait) or they have stopped for the quiet time.
bool MainWindow::requestSettings()
{
    readProgress.start(readClock.elapsed());
    writeCommand("RR");
    commands->awaitAnswers(ReadProgress::kQuietMs);
    readProgress.stop();
    return readProgress.complete();
}
