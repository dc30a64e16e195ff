#include "filedialogs.h"

#include "texts.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

QString startFolder(const QString &folder)
{
    return folder.isEmpty() ? QStringLiteral("./") : folder;
}

}  // namespace

QString askSavePath(QWidget *parent, const QString &folder)
{
    const FileTexts texts = fileTexts();
    QFileDialog dialog(parent, texts.saveTitle, startFolder(folder), texts.filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog adds the suffix itself, so its overwrite question names
    // the file that will really be replaced.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString askLoadPath(QWidget *parent, const QString &folder)
{
    const FileTexts texts = fileTexts();
    return QFileDialog::getOpenFileName(parent, texts.openTitle, startFolder(folder), texts.filters);
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}
