#include "commandguard.h"
#include "configfile.h"
#include "configmodel.h"
#include "filedialogs.h"
#include "filereport.h"
#include "filesaver.h"
#include "filestate.h"
#include "frameencoder.h"
#include "historytexts.h"
#include "logging.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "pagesteps.h"
#include "sanity.h"
#include "statusline.h"
#include "texts.h"
#include "transmitterlink.h"
#include "ui_mainwindow.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// What a load tells about its file in the terms of zqconfig-file check:
// empty for a file that loads whole and unchanged.
QString loadReport(const ConfigFileRead &f, const QString &name, const QString &lead)
{
    const GuardTexts texts = guardTexts();
    QStringList lines;
    const QStringList repairs = loadRepairs(f);
    if (!repairs.isEmpty())
        lines << texts.repaired.arg(repairs.join(QLatin1String("; ")));
    if (!f.missingFrames().isEmpty())
        lines << texts.shortFile.arg(framesInWords(f.missingFrames()));
    if (lines.isEmpty())
        return QString();
    lines.prepend(lead.arg(name));
    return lines.join(QLatin1Char('\n'));
}

// The file's bytes and what a load takes from them; an error box and false
// when it cannot be read or holds not a single frame: sending that would
// overwrite the transmitter with whatever the pages hold.
bool readConfiguration(QWidget *parent, const QString &path, QByteArray &content, ConfigFileRead &judged)
{
    const FileTexts texts = fileTexts();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::critical(parent, texts.errorTitle, texts.errorText, QMessageBox::Ok);
        return false;
    }
    content = file.readAll();
    file.close();
    judged = readConfigFile(content);
    if (!judged.any()) {
        QMessageBox::critical(parent, texts.errorTitle, guardTexts().notConfiguration.arg(QFileInfo(path).fileName()),
                              QMessageBox::Ok);
        return false;
    }
    return true;
}

// The file's length, then once for each of the first three frames taken.
void logFrames(const ConfigFileRead &judged)
{
    const int length = judged.length;
    qCDebug(lcFiles, "Blength00:%d", length);
    if (judged.frames.s)
        qCDebug(lcFiles, "Blength01:%d", length);
    if (judged.frames.g)
        qCDebug(lcFiles, "Blength02:%d", length);
    if (judged.frames.h)
        qCDebug(lcFiles, "Blength03:%d", length);
}

}  // namespace

bool readStateFile(QWidget *parent, const QString &path, const ConfigModel &base, ConfigModel &state)
{
    QByteArray content;
    ConfigFileRead judged;
    if (!readConfiguration(parent, path, content, judged))
        return false;
    state = base;
    takeLoadedFrames(state, judged);
    applySanity(state);
    return true;
}

// The pages take the file as a load would, and nothing is sent: the marks
// then show what differs from the transmitter.
void MainWindow::openOnPages(const QString &chosen)
{
    if (steps->holding())
        return;
    const QString path = chosen.isEmpty() ? askLoadPath(this, fileFolder) : chosen;
    if (path.isEmpty())
        return;
    fileFolder = folderOf(path);
    QByteArray content;
    ConfigFileRead judged;
    if (!readConfiguration(this, path, content, judged))
        return;
    rememberFile(path);
    logFrames(judged);
    steps->separate();
    takeLoadedFrames(cfg, judged);
    FalseSaveData();
    Dr_DataSelet();
    FalseSaveData();
    ui_Display();
    const QString report = loadReport(judged, QFileInfo(path).fileName(), historyTexts().openedNotSent);
    if (!report.isEmpty())
        QMessageBox::information(this, linkTexts().title, report);
}

void MainWindow::on_toolButton_Save_clicked()
{
    const CommandScope command(*commands);
    status->command(StatusCommand::Save);
    if (!beginCommand(command, PortCheck::NotNeeded))
        return;
    const FileTexts texts = fileTexts();
    const QString path = askSavePath(this, fileFolder);
    qCDebug(lcFiles, "%s", qUtf8Printable(path));
    if (path.isEmpty())
        return;
    fileFolder = folderOf(path);

    // The frames take 3.2 s to send; where the folder allows, the old file
    // is replaced only by a complete new one, so a crash or a failed write
    // meanwhile keeps it.
    FileSaver file(path);
    const bool opened = file.open();
    status->file(QFileInfo(path).fileName(), !opened);
    if (!opened) {
        QMessageBox::critical(this, texts.errorTitle, texts.errorText, QMessageBox::Ok);
        return;
    }
    // Sending rebuilds the stored frames from the model.
    link->sendFrames();
    const bool written = file.commit(configFileContent(link->storedFrame(FrameS), link->storedFrame(FrameG),
                                                       link->storedFrame(FrameH), link->storedFrame(FrameI)));
    status->file(QFileInfo(path).fileName(), !written);
    if (!written)
        QMessageBox::critical(this, texts.errorTitle, texts.errorText, QMessageBox::Ok);
}

void MainWindow::on_toolButton_Load_clicked()
{
    const CommandScope command(*commands);
    status->command(StatusCommand::Load);
    // Trims the transmitter reports must not replace the loaded ones before
    // the I frame is sent (held from before the button pause on).
    const TrimHoldScope holdTrims(link->trimHold(), static_cast<bool>(command));
    if (!beginCommand(command, PortCheck::NotNeeded))
        return;
    loadPath = presetLoadPath.isEmpty() ? askLoadPath(this, fileFolder) : presetLoadPath;
    if (loadPath.isEmpty()) {
        Dr_DataSelet();
        FalseSaveData();
        return;
    }
    fileFolder = folderOf(loadPath);
    rememberFile(loadPath);

    QByteArray content;
    ConfigFileRead judged;
    // Refused until read: the box that refuses it and the line then agree.
    status->file(QFileInfo(loadPath).fileName(), true);
    if (!readConfiguration(this, loadPath, content, judged)) {
        loadPath.clear();
        return;
    }
    const QString name = QFileInfo(loadPath).fileName();
    status->file(name);
    // The file was read and decoded once, by readConfiguration.
    logFrames(judged);
    takeLoadedFrames(cfg, judged);

    // A damaged file must not put out-of-range settings into the
    // transmitter: repair before sending, not only afterwards.
    FalseSaveData();
    const bool sending = linkOpen();
    if (sending)
        keepBefore(HistoryEvent::BeforeLoad, HistoryEvent::Load);
    sendAllFrames();

    Dr_DataSelet();
    FalseSaveData();
    readBack();

    // After a pulled cable the loss box says enough.
    const QString report = loadReport(judged, name, sending ? guardTexts().loadedWith : guardTexts().loadedNotSent);
    if (!report.isEmpty() && !commands->cutShort())
        QMessageBox::information(this, linkTexts().title, report);
}
