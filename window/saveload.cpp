#include "commandguard.h"
#include "configfile.h"
#include "configmodel.h"
#include "filereport.h"
#include "filesaver.h"
#include "frameencoder.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "texts.h"
#include "ui_mainwindow.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextStream>

namespace {

// What a load tells about its file in the terms of zqconfig-file check:
// empty for a file that loads whole and unchanged.
QString loadReport(const ConfigFileRead &f, const QString &name)
{
    const GuardTexts texts = guardTexts();
    QStringList lines;
    const QStringList repairs = loadRepairs(f);
    if (!repairs.isEmpty())
        lines << texts.repaired.arg(repairs.join(QLatin1String("; ")));
    if (!f.missingFrames().isEmpty())
        lines << texts.shortFile.arg(f.missingFrames());
    if (lines.isEmpty())
        return QString();
    lines.prepend(texts.loadedWith.arg(name));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void MainWindow::on_toolButton_Save_clicked()
{
    const CommandScope command(*commands);
    if (!command || !commands->pause(200))
        return;
    const FileTexts texts = fileTexts();
    const QString path = QFileDialog::getSaveFileName(this, texts.saveTitle, QStringLiteral("./"), texts.saveFilter);
    qDebug("%s", qUtf8Printable(path));
    if (path.isEmpty())
        return;

    // The frames take 3.2 s to send; where the folder allows, the old file
    // is replaced only by a complete new one, so a crash or a failed write
    // meanwhile keeps it.
    FileSaver file(path);
    if (!file.open()) {
        QMessageBox::critical(this, texts.errorTitle, texts.errorText, QMessageBox::Ok);
        return;
    }
    // Sending rebuilds Str1..Str4 from the model.
    SendData1();
    SendData2();
    SendData3();
    SendData4();
    if (!file.commit(configFileContent(Str1, Str2, Str3, Str4)))
        QMessageBox::critical(this, texts.errorTitle, texts.errorText, QMessageBox::Ok);
}

void MainWindow::on_toolButton_Load_clicked()
{
    const CommandScope command(*commands);
    if (!command)
        return;
    // Trims the transmitter reports must not replace the loaded ones before
    // the I frame is sent.
    const TrimHoldScope holdTrims(trimHold);
    const FileTexts texts = fileTexts();
    if (!commands->pause(200))
        return;
    loadPath = QFileDialog::getOpenFileName(this, texts.openTitle, QStringLiteral("./"), texts.openFilter);
    if (loadPath.isEmpty()) {
        Dr_DataSelet();
        FalseSaveData();
        return;
    }

    QFile file(loadPath);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::critical(this, texts.errorTitle, texts.errorText, QMessageBox::Ok);
        loadPath.clear();
        return;
    }
    const QByteArray content = file.readAll();
    file.close();
    // Without a single frame in place this is no configuration: sending
    // would overwrite the transmitter with whatever the pages hold.
    const ConfigFileRead judged = readConfigFile(content);
    const QString name = QFileInfo(loadPath).fileName();
    if (!judged.any()) {
        QMessageBox::critical(this, texts.errorTitle, guardTexts().notConfiguration.arg(name), QMessageBox::Ok);
        loadPath.clear();
        return;
    }
    QTextStream in(content);
    const QString text = in.readAll();

    const int length = text.length();
    qDebug("Blength00:%d", length);
    const DecodedFrames taken = decodeConfigText(text, cfg);
    if (taken.s)
        qDebug("Blength01:%d", length);
    if (taken.g)
        qDebug("Blength02:%d", length);
    if (taken.h)
        qDebug("Blength03:%d", length);

    // A damaged file must not put out-of-range settings into the
    // transmitter: repair before sending, not only afterwards.
    FalseSaveData();
    sendAllFrames();

    Dr_DataSelet();
    FalseSaveData();
    readBack();

    // After a pulled cable the loss box says enough.
    const QString report = loadReport(judged, name);
    if (!report.isEmpty() && !commands->cutShort())
        QMessageBox::information(this, linkTexts().title, report);
}
