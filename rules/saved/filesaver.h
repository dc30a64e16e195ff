#pragma once

// Saving over a file the user keeps: where the folder allows, a temporary
// file beside it replaces it only once complete (whole file or nothing);
// where the folder forbids new files but the file itself may be written,
// the file is overwritten in place.  Either way the file keeps its
// permissions.  A device, a named pipe or a socket is never replaced: the
// bytes go into it, as a shell's ">" would send them.  GUI-free.

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

// How a save reaches what is at `path` (links followed).  Only a regular
// file, or a path where nothing is yet, may be replaced by a new file;
// anything else takes the bytes in place.
enum class SaveWay { Replace, InPlace };
SaveWay saveWay(const QString &path);

// How long a save waits for someone to open a named pipe for reading.
constexpr int kPipeReaderWaitMs = 3000;

// Writes `content` into an open QSaveFile and puts it in place.  The write
// only fills the buffer; a full disk shows when it is flushed, and
// commit() alone would overlook a failure there and put a short file in
// place of the old one.  An uncommitted QSaveFile removes its temporary.
bool commitWhole(QSaveFile &file, const QByteArray &content);

class FileSaver
{
public:
    explicit FileSaver(const QString &path);

    // False when nothing can be written there; nothing has changed then.
    bool open();
    // Writes `content` and closes; false when it did not all reach the disk
    // (or the device, or the pipe's reader).
    bool commit(const QByteArray &content);
    // Why open() or commit() failed, in the system's words.
    QString errorString() const { return why; }

private:
    bool openSpecial();

    QString path;
    QSaveFile save;
    QFile file;
    bool direct = false;
    bool special = false;
    bool existed = false;
    QFileDevice::Permissions permissions;
    QString why;
};
