#pragma once

// Saving over a file the user keeps: where the folder allows, a temporary
// file beside it replaces it only once complete (whole file or nothing);
// where the folder forbids new files but the file itself may be written,
// the file is overwritten in place.  Either way the file keeps its
// permissions.  GUI-free.

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

class FileSaver
{
public:
    explicit FileSaver(const QString &path);

    // False when nothing can be written there; nothing has changed then.
    bool open();
    // Writes `content` and closes; false when it did not all reach the disk.
    bool commit(const QByteArray &content);

private:
    QString path;
    QSaveFile save;
    QFile file;
    bool direct = false;
    bool existed = false;
    QFileDevice::Permissions permissions;
};
