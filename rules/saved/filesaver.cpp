#include "filesaver.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Only the mode bits.  The "user" flags say what this process may do; fed
// back into setPermissions they would make a read-only file writable for
// its owner whenever root saves it.
constexpr QFileDevice::Permissions kModeBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                               | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                               | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                               | QFileDevice::WriteOther | QFileDevice::ExeOther;

#ifdef Q_OS_UNIX
// A pipe whose reader has gone makes the write fail with EPIPE, and raises
// SIGPIPE, which would end the program (the window too).  The signal is
// held back on this thread for the write and the one it raised dropped.
class PipeSignalHold
{
public:
    PipeSignalHold()
    {
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, &before);
        sigset_t pending;
        sigpending(&pending);
        alreadyPending = sigismember(&pending, SIGPIPE) == 1;
    }
    ~PipeSignalHold()
    {
        sigset_t pending;
        sigpending(&pending);
        if (!alreadyPending && sigismember(&pending, SIGPIPE) == 1) {
            const timespec now = {0, 0};
            sigtimedwait(&pipe, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
    }

private:
    sigset_t pipe, before;
    bool alreadyPending = false;
};
#else
struct PipeSignalHold
{
    PipeSignalHold() {}
};
#endif

}  // namespace

SaveWay saveWay(const QString &path)
{
    // Renaming a temporary over a device node or a pipe would put a plain
    // file where it was, and the bytes would never reach its reader.
    const QFileInfo info(path);
    return !info.exists() || info.isFile() ? SaveWay::Replace : SaveWay::InPlace;
}

bool commitWhole(QSaveFile &file, const QByteArray &content)
{
    return file.write(content) == content.size() && file.flush() && file.commit();
}

FileSaver::FileSaver(const QString &p) : path(p), save(p), file(p)
{
    // Qt's own fallback covers only some of the reasons a temporary file
    // cannot be made (not a read-only mount); open() decides itself.
    save.setDirectWriteFallback(false);
}

bool FileSaver::open()
{
    const QFileInfo info(path);
    existed = info.exists();
    permissions = info.permissions() & kModeBits;
    // A file the user may not write stays as it is, though the folder
    // would let a new one take its place.
    if (existed && !info.isWritable()) {
        why = qt_error_string(EACCES);
        return false;
    }
    if (saveWay(path) == SaveWay::InPlace)
        return openSpecial();
    if (save.open(QIODevice::WriteOnly)) {
        if (existed)
            save.setPermissions(permissions);
        return true;
    }
    // No new file in that folder; the existing one may still be writable.
    // Opened without truncating, so a failure here leaves it as it was.
    why = save.errorString();
    if (!existed || !file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    direct = true;
    return true;
}

// Opened for writing only, never created or truncated.  Opening a named
// pipe waits for a reader, for ever if none comes; a save waits a while
// instead, then gives up.
bool FileSaver::openSpecial()
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    const bool fifo = ::stat(name.constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    const QDeadlineTimer wait(kPipeReaderWaitMs);
    int fd;
    while ((fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) < 0) {
        if (errno != EINTR && (errno != ENXIO || !fifo || wait.hasExpired())) {
            why = qt_error_string(errno);
            return false;
        }
        QThread::msleep(10);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        why = file.errorString();
        return false;
    }
#else
    if (!file.open(QIODevice::WriteOnly | QIODevice::ExistingOnly)) {
        why = file.errorString();
        return false;
    }
#endif
    direct = special = true;
    return true;
}

bool FileSaver::commit(const QByteArray &content)
{
    if (!direct) {
        const bool ok = commitWhole(save, content);
        why = save.errorString();
        return ok;
    }
    // In place: overwrite from the start, then cut off what is left of a
    // longer old file.  The old blocks are reused, so a full disk does not
    // stop a file of the usual length.  A device or a pipe has nothing to cut.
    // A failed flush keeps the bytes, and closing tries them once more.
    const PipeSignalHold hold;
    const bool ok = file.write(content) == content.size() && file.flush() && (special || file.resize(content.size()));
    why = file.errorString();
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}
