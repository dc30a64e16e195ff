#include "commandguard.h"
#include "frameencoder.h"
#include "mainwindow.h"
#include "marks.h"
#include "readback.h"
#include "statusline.h"
#include "texts.h"
#include "transmitterlink.h"
#include "ui_mainwindow.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// Lines of a mismatch box: enough to see a pattern, few enough to fit.
constexpr int kMaxMismatchLines = 15;

}  // namespace

void MainWindow::on_toolButton_Send_clicked()
{
    // Edits stay allowed meanwhile: each frame takes the model as it is
    // when that frame is built.
    const CommandScope command(*commands);
    status->command(StatusCommand::Write);
    if (!beginCommand(command) || !writeIntoUnread())
        return;
    keepBefore(HistoryEvent::BeforeWrite, HistoryEvent::Write);
    sendAllFrames();
    readBack();
}

// A write replaces every setting, the ones the pages never showed from
// this transmitter too; until a read or a checked write the window does
// not know them, so it asks, "read first" the default.
bool MainWindow::writeIntoUnread()
{
    if (heldKnown)
        return true;
    const LinkTexts texts = linkTexts();
    QMessageBox box(QMessageBox::Question, texts.title, texts.unreadQuestion, QMessageBox::Cancel, this);
    QPushButton *read = box.addButton(texts.readFirst, QMessageBox::AcceptRole);
    QPushButton *write = box.addButton(texts.writeAnyway, QMessageBox::DestructiveRole);
    box.button(QMessageBox::Cancel)->setText(verifyTexts().cancelButton);
    box.setDefaultButton(read);
    box.exec();
    if (box.clickedButton() == write)
        return true;
    if (box.clickedButton() == read && !commands->cutShort() && !commands->closePending() && linkOpen()) {
        status->becomes(StatusCommand::Read);
        readSettings(true);
    }
    return false;
}

// "WWW" tells the transmitter the settings are complete.
void MainWindow::sendAllFrames()
{
    link->sendFrames();
    link->sendClosingWord();
}

// The end of every command that closes with "WWW": asks the transmitter
// what it now holds and compares that, setting by setting, with what the
// four frames carried (not with the pages, which may have been edited
// meanwhile).  The answers never reach the pages.
void MainWindow::readBack()
{
    // A lost transmitter has told the user already.
    if (commands->cutShort() || !linkOpen())
        return;
    const ConfigModel sent = modelOfFrames(cfg, link->storedFrame(FrameS), link->storedFrame(FrameG),
                                           link->storedFrame(FrameH), link->storedFrame(FrameI));
    lastSent = sent;
    sentUnchecked = true;
    if (!verifyWrites) {
        // Taken on trust, as asked: the write went out whole.
        known = sent;
        heldKnown = true;
        sentUnchecked = false;
        keepHeld(afterWrite);
        return;
    }
    // A close asked for meanwhile is not held up by a read-back.
    const TransmitterLink::ReadBack asked = link->readBack(sent);
    if (asked == TransmitterLink::ReadBack::Skipped || commands->cutShort())
        return;
    const bool complete = asked == TransmitterLink::ReadBack::Complete;
    const ConfigModel held = link->answers();
    if (complete) {
        known = held;
        heldKnown = true;
        sentUnchecked = false;
        keepHeld(afterWrite);
    }
    // A window about to close asks about what is left unwritten instead.
    if (commands->closePending())
        return;
    const VerifyTexts texts = verifyTexts();
    const QStringList differences = readBackDifferences(sent, held);
    status->checked(differences.size());
    const DifferenceTexts next = differenceTexts();
    if (!complete)
        showWriteVerdict(linkTexts().title, texts.unverified, next.unverifiedNext);
    else if (!differences.isEmpty())
        showWriteVerdict(linkTexts().title,
                         texts.mismatch + QLatin1Char('\n') + firstLines(differences, kMaxMismatchLines, texts.more),
                         next.mismatchNext.arg(DifferenceMarks::shortcut().toString(QKeySequence::NativeText)));
}
