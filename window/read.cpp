#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commandguard.h"
#include "readback.h"
#include "readcopy.h"
#include "statusline.h"
#include "texts.h"
#include "transmitterlink.h"

#include <QMessageBox>

// Asks the transmitter for all its settings; the answers are decoded
// whenever they arrive, also during the waits below, into a copy that
// the pages take only once every group has come.  The read lasts until
// every settings group has answered or the answers have stopped, so no
// other command can interleave with the answers still coming in.
void MainWindow::on_toolButton_Read_clicked()
{
    const CommandScope command(*commands);
    status->command(StatusCommand::Read);
    if (!beginCommand(command))
        return;
    readSettings(false);
}

bool MainWindow::readSettings(bool keepEdits)
{
    const LinkTexts texts = linkTexts();
    const bool complete = link->requestSettings(cfg);
    // A lost transmitter has told the user already, and a window about to
    // close has no pages left to doubt.
    if (commands->cutShort() || commands->closePending())
        return false;
    if (!complete) {
        if (link->progress().groupsArrived() == 0 && link->heardDuringRead())
            status->heardOnly();
        QMessageBox::about(nullptr, texts.title, readFailure());
        return false;
    }
    // The answers as the transmitter sent them, before the sanity pass
    // repairs them for the pages: that is what it holds.
    const ConfigModel held = link->answers();
    const ConfigModel edited = cfg, before = known;
    known = held;
    heldKnown = true;
    keepHeld(HistoryEvent::Read);
    takeWholeRead(cfg, held);
    // Repair before anything is shown: a page refresh would otherwise push
    // an out-of-range value into a spin box, whose clamped value its
    // handler would then store in place of the fallback.
    Dr_DataSelet();
    FalseSaveData();
    Dr_DataSelet();
    if (keepEdits) {
        keepEditsOnTop(cfg, edited, before);
        Dr_DataSelet();
    }
    ui_Display();
    const QStringList repairs = readRepairs(held);
    if (!repairs.isEmpty())
        QMessageBox::about(nullptr, texts.title,
                           verifyTexts().repaired + QLatin1Char('\n') + repairs.join(QLatin1Char('\n')));
    return true;
}

// Three ways a read falls short, told apart: some groups came, bytes came
// but none was an answer, nothing came at all.
QString MainWindow::readFailure() const
{
    const LinkTexts texts = linkTexts();
    const int groups = link->progress().groupsArrived();
    if (groups > 0)
        return texts.readIncomplete + QLatin1Char('\n') + texts.partial.arg(groups).arg(ReadProgress::kGroups);
    if (link->heardDuringRead())
        return texts.readIncomplete + QLatin1Char('\n') + texts.noise;
    return texts.noAnswer;
}
