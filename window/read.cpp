#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
#include "readback.h"
#include "statusline.h"
#include "texts.h"

#include <QMessageBox>

// Asks the transmitter for all its settings; the answers are decoded
// whenever they arrive, also during the waits below.  The read lasts until
// every settings group has answered or the answers have stopped, so no
// other command can interleave with the answers still coming in.
void MainWindow::on_toolButton_Read_clicked()
{
    const CommandScope command(*commands);
    status->command(StatusCommand::Read);
    if (!beginCommand(command))
        return;

    const LinkTexts texts = linkTexts();
    // The answers as the transmitter sent them, before the sanity pass
    // repairs them for the pages: that is what it holds.
    ConfigModel held = cfg;
    readHeld = &held;
    const bool complete = requestSettings();
    readHeld = nullptr;
    // A lost transmitter has told the user already, and a window about to
    // close has no pages left to doubt.
    if (commands->cutShort() || commands->closePending())
        return;
    if (!complete) {
        QMessageBox::about(nullptr, texts.title, readProgress.groupsArrived() ? texts.readIncomplete : texts.noAnswer);
        return;
    }
    known = held;
    const QStringList repairs = readRepairs(held);
    if (!repairs.isEmpty())
        QMessageBox::about(nullptr, texts.title,
                           verifyTexts().repaired + QLatin1Char('\n') + repairs.join(QLatin1Char('\n')));
}

// "RR", then the answers until every group has come (the decoder's note of
// the last one ends the wait), they have stopped for the quiet time, or
// the read's time is up.
bool MainWindow::requestSettings()
{
    readProgress.start(readClock.elapsed());
    writeCommand("RR");
    commands->awaitAnswers(ReadProgress::kQuietMs, ReadProgress::kLimitMs);
    readProgress.stop();
    return readProgress.complete();
}
